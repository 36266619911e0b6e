// SPDX-License-Identifier: GPL-3.0-or-later
// A push button that Enter clicks as well as Space, as push buttons do on the classic
// desktop.
#pragma once

#include <QPushButton>

namespace velto {

class PushButton : public QPushButton {
public:
    PushButton(QWidget* parent, const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace velto
