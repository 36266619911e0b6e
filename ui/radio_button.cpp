// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/radio_button.h"

namespace velto {

RadioButton::RadioButton(QWidget* parent, const QString& text) : QRadioButton(text, parent) {
    setFocusPolicy(Qt::ClickFocus);
    connect(this, &QRadioButton::toggled, this,
            [this](bool checked) { setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus); });
}

}  // namespace velto
