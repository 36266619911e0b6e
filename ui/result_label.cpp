// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/result_label.h"

namespace velto {
namespace {

// Screen readers speak a notification when it becomes showing; the label is one.
QAccessibleInterface* Notification(ResultLabel* label) { return new LabelAccessible(label, QAccessible::Notification); }

}  // namespace

ResultLabel::ResultLabel(QWidget* parent, const QString& text) : Label(parent, text) {
    InstallAccessible<ResultLabel, Notification>();
}

void ResultLabel::setText(const QString& text) {
    if (text == this->text()) return;
    Label::setText(text);
    // Hidden and shown again, for assistive technology only: the new text is spoken.
    QAccessibleEvent hidden(this, QAccessible::ObjectHide);
    QAccessible::updateAccessibility(&hidden);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

}  // namespace velto
