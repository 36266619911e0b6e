// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/radio_button.h"

#include <QKeyEvent>

namespace velto {

RadioButton::RadioButton(QWidget* parent, const QString& text) : QRadioButton(text, parent) {
    setFocusPolicy(Qt::ClickFocus);
    connect(this, &QRadioButton::toggled, this,
            [this](bool checked) { setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus); });
}

// Left and Right move as Up and Down do: Qt looks for a button beside this one, and the
// group stands in a column.
void RadioButton::keyPressEvent(QKeyEvent* event) {
    const int key = event->key() == Qt::Key_Left ? Qt::Key_Up : event->key() == Qt::Key_Right ? Qt::Key_Down : 0;
    if (key == 0) {
        QRadioButton::keyPressEvent(event);
        return;
    }
    QKeyEvent moved(event->type(), key, event->modifiers(), event->text());
    QRadioButton::keyPressEvent(&moved);
    event->setAccepted(moved.isAccepted());
}

}  // namespace velto
