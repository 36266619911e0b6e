// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/bevel.h"

#include <QPainter>

namespace velto {

// Edges are filled one-pixel rectangles, not lines, so that they stay inside the box
// and whole at any scale factor.
void DrawBevelBox(QPainter& painter, const QRect& box, const QColor& topLeft, const QColor& bottomRight) {
    painter.fillRect(box.left(), box.top(), box.width(), 1, topLeft);
    painter.fillRect(box.left(), box.top(), 1, box.height(), topLeft);
    painter.fillRect(box.left(), box.bottom(), box.width(), 1, bottomRight);
    painter.fillRect(box.right(), box.top(), 1, box.height(), bottomRight);
}

Bevel::Bevel(QWidget* parent, Style style) : QWidget(parent), style_(style) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Bevel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor highlight = palette().color(QPalette::Light);
    switch (style_) {
        case Style::LoweredBox:
            DrawBevelBox(painter, rect(), shadow, highlight);
            break;
        case Style::RaisedBox:
            DrawBevelBox(painter, rect(), highlight, shadow);
            break;
        case Style::RaisedFrame:
            DrawBevelBox(painter, rect().adjusted(1, 1, 0, 0), shadow, shadow);
            DrawBevelBox(painter, rect().adjusted(0, 0, -1, -1), highlight, highlight);
            break;
    }
}

}  // namespace velto
