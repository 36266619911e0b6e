// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/push_button.h"

#include <QKeyEvent>

namespace velto {

PushButton::PushButton(QWidget* parent, const QString& text) : QPushButton(text, parent) {}

void PushButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

}  // namespace velto
