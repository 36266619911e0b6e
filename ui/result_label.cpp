#include "ui/result_label.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace velto {
namespace {

// Screen readers speak a notification when it becomes showing; the label is one.
class ResultAccessible : public QAccessibleWidget {
public:
    explicit ResultAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Notification) {}

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? static_cast<const QLabel*>(widget())->text() : QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* ResultAccessibleFor(const QString&, QObject* object) {
    auto* label = qobject_cast<ResultLabel*>(object);
    return label != nullptr ? new ResultAccessible(label) : nullptr;
}

}  // namespace

ResultLabel::ResultLabel(QWidget* parent, const QString& text) : Label(parent, text) {
    [[maybe_unused]] static const bool installed = (QAccessible::installFactory(ResultAccessibleFor), true);
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
