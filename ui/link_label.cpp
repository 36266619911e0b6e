// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/link_label.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <utility>

namespace velto {
namespace {

// Assistive technology sees a link, named by its address, that its press action follows.
class LinkAccessible : public LabelAccessible {
public:
    explicit LinkAccessible(LinkLabel* link) : LabelAccessible(link, QAccessible::Link) {}

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) emit link()->clicked();
    }

private:
    LinkLabel* link() const { return static_cast<LinkLabel*>(widget()); }
};

QAccessibleInterface* Link(LinkLabel* link) { return new LinkAccessible(link); }

}  // namespace

LinkLabel::LinkLabel(QWidget* parent, const QString& text) : Label(parent, text) {
    InstallAccessible<LinkLabel, Link>();
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit clicked();
        return;
    default:
        Label::keyPressEvent(event);
    }
}

void LinkLabel::paintEvent(QPaintEvent* event) {
    Label::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.rect = rect();
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
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
