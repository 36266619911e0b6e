// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/band_list.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>
#include <algorithm>

namespace velto {
namespace {

QAccessible::UpdateHandler g_nextHandler = nullptr;

// As the focus leaves a list, its text part drops its selection, and Qt announces that;
// a screen reader takes it for the list the focus goes to and says "text not selected"
// on every Tab. That one announcement is not passed on; every other goes on as before.
void DropDeselectionAsFocusLeaves(QAccessibleEvent* event) {
    if (event->type() == QAccessible::TextSelectionChanged) {
        const auto* edit = qobject_cast<const QLineEdit*>(event->object());
        if (edit != nullptr && !edit->hasFocus() && !edit->hasSelectedText() &&
            qobject_cast<const BandList*>(edit->parent()) != nullptr)
            return;
    }
    if (g_nextHandler != nullptr) {
        g_nextHandler(event);
        return;
    }
    // No other handler: hand the event to the platform's accessibility bridge.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(DropDeselectionAsFocusLeaves);
}

}  // namespace

BandList::BandList(QWidget* parent, std::span<const std::string_view> entries, int visibleRows)
    : QComboBox(parent) {
    [[maybe_unused]] static const bool installed =
        (g_nextHandler = QAccessible::installUpdateHandler(DropDeselectionAsFocusLeaves), true);
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(visibleRows);
    for (std::string_view entry : entries)
        addItem(QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size())));
    setCurrentIndex(-1);
    // Qt would make an entry that the text names current when editing finishes, and
    // report it as a pick: a change nobody made. The selected position is read from the
    // text instead.
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    // A pick (mouse, keys or wheel) sets the current index, which writes the entry's text
    // before it announces the new index; activated then follows. Every other change of
    // the text comes from outside: the user or assistive technology.
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) { shownIndex_ = index; });
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] {
        if (!settingText_ && currentIndex() == shownIndex_) emit changed();
    });
    connect(this, &QComboBox::activated, this, &BandList::changed);
    // A picked entry is kept selected, so that typing replaces it.
    connect(this, &QComboBox::activated, this, [this] {
        lineEdit()->setSelection(static_cast<int>(currentText().size()), -static_cast<int>(currentText().size()));
    });
    connect(lineEdit(), &QLineEdit::textChanged, this, &BandList::FitText);
}

void BandList::FitText() {
    // The line edit keeps 2 px clear on either side of its text, and 1 px for the cursor.
    const int room = lineEdit()->contentsRect().width() - 5;
    const QString text = lineEdit()->text();
    QFont face = font();
    const int natural = QFontMetrics(face).horizontalAdvance(text);
    if (natural > room) {
        int stretch = std::max(kNarrowest, 100 * room / natural);
        face.setStretch(stretch);
        while (stretch > kNarrowest && QFontMetrics(face).horizontalAdvance(text) > room) face.setStretch(--stretch);
    }
    lineEdit()->setFont(face);
}

int BandList::selectedPosition() const { return findText(currentText()); }

void BandList::Step(int step) {
    const int from = selectedPosition();
    const int to = from == -1 ? (step > 0 ? 0 : -1) : from + step;
    if (to < 0 || to >= count()) return;
    settingText_ = true;
    setCurrentIndex(to);
    setEditText(itemText(to));  // the index may have stayed while the text named another entry
    settingText_ = false;
    emit activated(to);
}

void BandList::keyPressEvent(QKeyEvent* event) {
    const bool plain = !(event->modifiers() & (Qt::AltModifier | Qt::ControlModifier));
    if (plain && (event->key() == Qt::Key_Up || event->key() == Qt::Key_PageUp)) {
        Step(-1);
    } else if (plain && (event->key() == Qt::Key_Down || event->key() == Qt::Key_PageDown)) {
        Step(1);
    } else {
        QComboBox::keyPressEvent(event);
    }
}

void BandList::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta != 0) Step(delta > 0 ? -1 : 1);
    event->accept();
}

}  // namespace velto
