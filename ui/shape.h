// SPDX-License-Identifier: GPL-3.0-or-later
// A filled rectangle without an outline: an 8 by 24 block at the top left of its box.
// The main window's band stripes are these.
#pragma once

#include <QColor>
#include <QWidget>

namespace velto {

class Shape : public QWidget {
public:
    Shape(QWidget* parent, const QColor& fill);

    QColor fill() const { return fill_; }
    void setFill(const QColor& fill);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_;
};

}  // namespace velto
