// SPDX-License-Identifier: GPL-3.0-or-later
// A push button with a glyph: glyph and caption centred as one group, 4 pixels apart,
// moving one pixel right and down while held; focused, a dark outline and a dotted
// focus rectangle 4 pixels inside the edge.
#pragma once

#include <QPixmap>

#include "ui/push_button.h"

namespace velto {

class BitBtn : public PushButton {
public:
    BitBtn(QWidget* parent, const QString& text, const QPixmap& glyph);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap glyph_;
};

}  // namespace velto
