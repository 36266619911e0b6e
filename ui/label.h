// SPDX-License-Identifier: GPL-3.0-or-later
// A static text painted on its parent's background colour, from the top of its box.
// Disabled, it shows the engraved look: the text in highlight one pixel right and down,
// then in shadow in place, and assistive technology hears that what it names is
// unavailable.
#pragma once

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace velto {

class Label : public QLabel {
    // A meta-object of its own gives the finished label an accessible object of its own,
    // apart from the one that QLabel's constructor announces the text through: screen
    // readers keep the state they read from that one, hidden while a hidden window is
    // built, and showing the window later corrects only part of it.
    Q_OBJECT

public:
    Label(QWidget* parent, const QString& text);

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// How assistive technology sees a label of a kind of its own: in `role`, named by its
// text.
class LabelAccessible : public QAccessibleWidget {
public:
    LabelAccessible(QLabel* label, QAccessible::Role role) : QAccessibleWidget(label, role) {}

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? static_cast<const QLabel*>(widget())->text() : QAccessibleWidget::text(kind);
    }
};

// Gives every widget of kind `Widget` the accessible interface that `make` returns; the
// first call installs it, later ones do nothing.
template <typename Widget, QAccessibleInterface* (*make)(Widget*)>
void InstallAccessible() {
    [[maybe_unused]] static const bool installed = (QAccessible::installFactory([](const QString&, QObject* object) {
        auto* widget = qobject_cast<Widget*>(object);
        return widget != nullptr ? make(widget) : nullptr;
    }), true);
}

}  // namespace velto
