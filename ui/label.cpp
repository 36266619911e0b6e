// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/label.h"

#include <QPainter>

namespace velto {

Label::Label(QWidget* parent, const QString& text) : QLabel(text, parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Label::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
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
