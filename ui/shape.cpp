// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shape.h"

#include <QPainter>

namespace velto {

Shape::Shape(QWidget* parent, const QColor& fill) : QWidget(parent), fill_(fill) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setFill(const QColor& fill) {
    fill_ = fill;
    update();
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(0, 0, width() - 1, height() - 1, fill_);
}

}  // namespace velto
