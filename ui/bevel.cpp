#include "ui/bevel.h"

#include <QPainter>

namespace velto {

void DrawBevelBox(QPainter& painter, const QRect& box, const QColor& topLeft, const QColor& bottomRight) {
    painter.setPen(topLeft);
    painter.drawLine(box.topLeft(), box.topRight());
    painter.drawLine(box.topLeft(), box.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(box.bottomLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomRight());
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
            painter.setPen(shadow);
            painter.drawRect(rect().adjusted(1, 1, -1, -1));
            painter.setPen(highlight);
            painter.drawRect(rect().adjusted(0, 0, -2, -2));
            break;
    }
}

}  // namespace velto
