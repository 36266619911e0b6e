#include "ui/link_label.h"

#include <QMouseEvent>
#include <utility>

namespace velto {

LinkLabel::LinkLabel(QWidget* parent, const QString& text) : Label(parent, text) {
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
