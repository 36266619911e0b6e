// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessible_text.h"

#include <QTextBoundaryFinder>
#include <algorithm>
#include <optional>
#include <vector>

namespace velto {
namespace {

// Where the pieces of kind `boundary` begin and end in `text`, in order: from 0 to its
// length, with every offset once.
std::vector<int> Boundaries(const QString& text, QAccessible::TextBoundaryType boundary) {
    const int length = static_cast<int>(text.size());
    std::vector<int> offsets{0};
    std::optional<QTextBoundaryFinder::BoundaryType> kind;
    switch (boundary) {
    case QAccessible::CharBoundary: kind = QTextBoundaryFinder::Grapheme; break;
    case QAccessible::WordBoundary: kind = QTextBoundaryFinder::Word; break;
    case QAccessible::SentenceBoundary: kind = QTextBoundaryFinder::Sentence; break;
    case QAccessible::LineBoundary:
    case QAccessible::ParagraphBoundary:
        for (int at = static_cast<int>(text.indexOf(u'\n')); at != -1 && at + 1 < length;
             at = static_cast<int>(text.indexOf(u'\n', at + 1)))
            offsets.push_back(at + 1);
        break;
    case QAccessible::NoBoundary: break;
    }
    if (kind) {
        // A word is followed by the blanks and signs up to the next word, a piece of its own.
        QTextBoundaryFinder finder(*kind, text);
        for (qsizetype at = finder.toNextBoundary(); at > 0 && at < length; at = finder.toNextBoundary()) {
            if (*kind != QTextBoundaryFinder::Word ||
                (finder.boundaryReasons() & (QTextBoundaryFinder::StartOfItem | QTextBoundaryFinder::EndOfItem)))
                offsets.push_back(static_cast<int>(at));
        }
    }
    if (length > 0) offsets.push_back(length);
    return offsets;
}

}  // namespace

int AccessibleText::Clamped(int offset) const { return std::clamp(offset, 0, characterCount()); }

int AccessibleText::characterCount() const { return static_cast<int>(readText().size()); }

QString AccessibleText::text(int start, int end) const {
    const int from = Clamped(start);
    const int to = end == -1 ? characterCount() : Clamped(end);
    return from < to ? readText().mid(from, to - from) : QString();
}

QString AccessibleText::attributes(int, int* start, int* end) const {
    *start = 0;
    *end = characterCount();
    return {};
}

QString AccessibleText::textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* start, int* end) const {
    return Piece(Side::At, offset, boundary, start, end);
}

QString AccessibleText::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                                         int* end) const {
    return Piece(Side::Before, offset, boundary, start, end);
}

QString AccessibleText::textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                                        int* end) const {
    return Piece(Side::After, offset, boundary, start, end);
}

QString AccessibleText::Piece(Side side, int offset, QAccessible::TextBoundaryType boundary, int* start,
                              int* end) const {
    const QString whole = readText();
    const int length = static_cast<int>(whole.size());
    if (offset == -1) offset = length;
    if (offset == -2) offset = cursorPosition();
    *start = *end = -1;
    if (offset < 0 || offset > length) return {};
    const std::vector<int> offsets = Boundaries(whole, boundary);
    // The first boundary past the offset ends the piece that holds it.
    const auto next = std::upper_bound(offsets.begin(), offsets.end(), offset);
    auto piece = offsets.end();  // where the answer begins; its end follows it
    switch (side) {
    case Side::At:
        if (next != offsets.end()) piece = next - 1;
        else if (offset == length && length > 0 && boundary != QAccessible::CharBoundary) piece = next - 2;
        break;
    case Side::Before:
        if (next - offsets.begin() >= 2) piece = next - 2;
        break;
    case Side::After:
        if (next != offsets.end() && next + 1 != offsets.end()) piece = next;
        break;
    }
    if (piece == offsets.end()) {
        *start = *end = offset;
        return {};
    }
    *start = *piece;
    *end = *(piece + 1);
    return whole.mid(*start, *end - *start);
}

}  // namespace velto
