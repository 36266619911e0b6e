// SPDX-License-Identifier: GPL-3.0-or-later
// A bevel frame: one-pixel outlines along the widget's bounds, interior left unpainted.
#pragma once

#include <QWidget>

class QPainter;

namespace velto {

// Draws the one-pixel edges of `box`: top and left in `topLeft`, bottom and right in
// `bottomRight`.
void DrawBevelBox(QPainter& painter, const QRect& box, const QColor& topLeft, const QColor& bottomRight);

class Bevel : public QWidget {
public:
    enum class Style {
        LoweredBox,   // shadow top and left, highlight bottom and right
        RaisedBox,    // the reverse
        RaisedFrame,  // a shadow outline one pixel in, then a highlight one: an etched line
    };

    Bevel(QWidget* parent, Style style);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Style style_;
};

}  // namespace velto
