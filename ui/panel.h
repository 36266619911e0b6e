// SPDX-License-Identifier: GPL-3.0-or-later
// A coloured panel with a one-pixel raised bevel: highlight top and left, shadow
// bottom and right. Its children inherit its colour as their background.
#pragma once

#include <QWidget>

namespace velto {

class Panel : public QWidget {
public:
    Panel(QWidget* parent, const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace velto
