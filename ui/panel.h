// SPDX-License-Identifier: GPL-3.0-or-later
// A coloured panel with a one-pixel raised bevel: highlight top and left, shadow
// bottom and right. Its children inherit its colour as their background. Assistive
// technology sees it as the window's status bar, which a screen reader reads on demand.
#pragma once

#include <QWidget>

namespace velto {

class Panel : public QWidget {
    Q_OBJECT

public:
    explicit Panel(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace velto
