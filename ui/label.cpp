// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/label.h"

#include <QEvent>
#include <QPainter>

namespace velto {

Label::Label(QWidget* parent, const QString& text) : QLabel(text, parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Label::changeEvent(QEvent* event) {
    // Screen readers do not say that a list is unavailable; the greyed caption that names
    // it says so, in their own word.
    if (event->type() == QEvent::EnabledChange)
        setAccessibleName(isEnabled() ? QString() : text() + QStringLiteral(", неактивно"));
    QLabel::changeEvent(event);
}

void Label::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (text().trimmed().isEmpty()) return;  // nothing to draw: its face need not even load
    const int flags = static_cast<int>(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
    if (isEnabled()) {
        painter.setPen(palette().color(QPalette::WindowText));
    } else {
        // The engraved look takes the bevels' colours, not the paler disabled ones.
        painter.setPen(palette().color(QPalette::Normal, QPalette::Light));
        painter.drawText(rect().translated(1, 1), flags, text());
        painter.setPen(palette().color(QPalette::Normal, QPalette::Dark));
    }
    painter.drawText(rect(), flags, text());
}

}  // namespace velto
