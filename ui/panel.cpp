// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel.h"

#include <QAccessibleWidget>
#include <QPainter>

#include "ui/bevel.h"
#include "ui/label.h"

namespace velto {
namespace {

QAccessibleInterface* AsStatusBar(Panel* panel) { return new QAccessibleWidget(panel, QAccessible::StatusBar); }

}  // namespace

Panel::Panel(QWidget* parent) : QWidget(parent) {
    InstallAccessible<Panel, AsStatusBar>();
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Panel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect box = rect();
    painter.fillRect(box, palette().color(QPalette::Window));
    DrawBevelBox(painter, box, palette().color(QPalette::Light), palette().color(QPalette::Dark));
}

}  // namespace velto
