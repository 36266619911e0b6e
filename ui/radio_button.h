// SPDX-License-Identifier: GPL-3.0-or-later
// A radio button of a group of which only the checked one is a tab stop. All four
// arrow keys move through the group.
#pragma once

#include <QRadioButton>

namespace velto {

class RadioButton : public QRadioButton {
public:
    RadioButton(QWidget* parent, const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace velto
