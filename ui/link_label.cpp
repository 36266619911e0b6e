#include "ui/link_label.h"

#include <QMouseEvent>

namespace velto {

LinkLabel::LinkLabel(QWidget* parent, const QString& text) : Label(parent, text) {
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
    Label::mouseReleaseEvent(event);
}

}  // namespace velto
