// SPDX-License-Identifier: GPL-3.0-or-later
// A widget's text as assistive technology reads it: its characters, words, sentences and
// lines at, before and after any offset, and any range of it, with every offset checked
// against the text before it is used. (Qt's own search for a piece never ends on some
// texts in Qt 6.4 and 6.8: at the end of a word, or at a blank that begins the text.)
#pragma once

#include <QAccessible>
#include <QString>

namespace velto {

class AccessibleText : public QAccessibleTextInterface {
public:
    // The text as it is read.
    virtual QString readText() const = 0;

    // The text from `start` up to `end`; -1 for `end` is the end of the text, and a range
    // that reaches past either end of the text is cut to it.
    QString text(int start, int end) const override;
    int characterCount() const override;
    // The piece of kind `boundary` that holds `offset` (at the end of the text, the last
    // piece; there is no character there), the last one that ends at or before it, and
    // the first one that begins after it. -1 for `offset` is the end of the text, -2 the
    // cursor. With no such piece the answer is empty and starts and ends at `offset`;
    // with no such offset, at -1.
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* start, int* end) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* start, int* end) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* start, int* end) const override;
    // The text has no attributes: one run over all of it.
    QString attributes(int offset, int* start, int* end) const override;

protected:
    // `offset` brought into the text: from 0 to its length.
    int Clamped(int offset) const;

private:
    enum class Side { At, Before, After };
    QString Piece(Side side, int offset, QAccessible::TextBoundaryType boundary, int* start, int* end) const;
};

}  // namespace velto
