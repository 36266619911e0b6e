// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel.h"

#include <QPainter>

#include "ui/bevel.h"

namespace velto {

Panel::Panel(QWidget* parent, const QColor& colour) : QWidget(parent) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colour);
    setPalette(colours);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Panel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect box = rect();
    painter.fillRect(box, palette().color(QPalette::Window));
    DrawBevelBox(painter, box, palette().color(QPalette::Light), palette().color(QPalette::Dark));
}

}  // namespace velto
