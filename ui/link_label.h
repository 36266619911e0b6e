// A label that stands for a link: a hand pointer over it, and a click signal.
#pragma once

#include "ui/label.h"

namespace velto {

class LinkLabel : public Label {
    Q_OBJECT

public:
    LinkLabel(QWidget* parent, const QString& text);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace velto
