// SPDX-License-Identifier: GPL-3.0-or-later
// A label that stands for a link: a hand pointer over it, and a click signal, once for
// a single click and once for a double click, or for Enter or Space while it has the
// focus, which Tab gives it and a dotted frame shows. Assistive technology sees a link
// with a press action that follows it.
#pragma once

#include "ui/label.h"

namespace velto {

class LinkLabel : public Label {
    Q_OBJECT

public:
    LinkLabel(QWidget* parent, const QString& text);

signals:
    void clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool secondClick_ = false;  // the press was the second of a double click
};

}  // namespace velto
