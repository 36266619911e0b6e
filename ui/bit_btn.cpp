// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/bit_btn.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "ui/bevel.h"

namespace velto {

BitBtn::BitBtn(QWidget* parent, const QString& text, const QPixmap& glyph)
    : PushButton(parent, text), glyph_(glyph) {}

void BitBtn::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton face;
    initStyleOption(&face);
    face.text.clear();
    face.icon = QIcon();
    face.state &= ~QStyle::State_HasFocus;
    painter.drawControl(QStyle::CE_PushButtonBevel, face);

    const int shift = isDown() ? 1 : 0;
    const int textWidth = fontMetrics().horizontalAdvance(text());
    const int left = (width() - (glyph_.width() + 4 + textWidth)) / 2 + shift;
    painter.drawPixmap(left, (height() - glyph_.height()) / 2 + shift, glyph_);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(QRect(left + glyph_.width() + 4, shift, textWidth + 1, height()),
                     Qt::AlignLeft | Qt::AlignVCenter, text());

    if (hasFocus()) {
        const QColor frame = palette().color(QPalette::Shadow);
        DrawBevelBox(painter, rect(), frame, frame);
        // Every other pixel in the text colour, the classic focus rectangle; the style's
        // own would tint what lies under it.
        QPen dots(palette().color(QPalette::ButtonText), 0);
        dots.setDashPattern({1, 1});
        painter.setPen(dots);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(4, 4, -5, -5));
    }
}

}  // namespace velto
