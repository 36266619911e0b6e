// A static text painted on its parent's background colour, from the top of its box.
// Disabled, it shows the engraved look: the text in highlight one pixel right and down,
// then in shadow in place.
#pragma once

#include <QLabel>

namespace velto {

class Label : public QLabel {
public:
    Label(QWidget* parent, const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace velto
