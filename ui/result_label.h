// SPDX-License-Identifier: GPL-3.0-or-later
// The result label: a label whose every new text is announced to assistive technology
// as a notification, in words, so that a screen reader speaks it without the focus
// moving.
#pragma once

#include "ui/label.h"

namespace velto {

class ResultLabel : public Label {
    Q_OBJECT

public:
    ResultLabel(QWidget* parent, const QString& text);

    // Shows `text`; a text that differs from the one shown is announced on the next
    // turn of the event loop, after what the action that led to it says of itself (the
    // focus moving to the mode button just pressed). (Hides QLabel::setText, which
    // announces nothing.)
    void setText(const QString& text);

private:
    bool announcing_ = false;  // an announcement waits for the next turn
};

}  // namespace velto
