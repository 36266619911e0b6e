#include "ui/link_label.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <utility>

namespace velto {
namespace {

// Assistive technology sees a link, named by its address, that its press action follows.
class LinkAccessible : public QAccessibleWidget {
public:
    explicit LinkAccessible(LinkLabel* link) : QAccessibleWidget(link, QAccessible::Link) {}

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? link()->text() : QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) emit link()->clicked();
    }

private:
    LinkLabel* link() const { return static_cast<LinkLabel*>(widget()); }
};

QAccessibleInterface* LinkAccessibleFor(const QString&, QObject* object) {
    auto* link = qobject_cast<LinkLabel*>(object);
    return link != nullptr ? new LinkAccessible(link) : nullptr;
}

}  // namespace

LinkLabel::LinkLabel(QWidget* parent, const QString& text) : Label(parent, text) {
    [[maybe_unused]] static const bool installed = (QAccessible::installFactory(LinkAccessibleFor), true);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) secondClick_ = true;
    Label::mouseDoubleClickEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool second = std::exchange(secondClick_, false);
    if (!second && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
    Label::mouseReleaseEvent(event);
}

}  // namespace velto
