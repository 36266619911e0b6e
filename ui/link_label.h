// SPDX-License-Identifier: GPL-3.0-or-later
// A label that stands for a link: a hand pointer over it, and a click signal, once for
// a single click and once for a double click. Assistive technology sees a link with a
// press action that follows it; it stays out of the tab order.
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
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool secondClick_ = false;  // the press was the second of a double click
};

}  // namespace velto
