// A push button with a glyph: glyph and caption centred as one group, 4 pixels apart,
// moving one pixel right and down while held; focused, a dark outline and a focus
// rectangle 4 pixels inside the edge.
#pragma once

#include <QPixmap>
#include <QPushButton>

namespace velto {

class BitBtn : public QPushButton {
public:
    BitBtn(QWidget* parent, const QString& text, const QPixmap& glyph);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap glyph_;
};

}  // namespace velto
