// Puts a widget of a window's layout in place: its name and its geometry in the
// parent's pixels.
#pragma once

#include <QString>
#include <QWidget>

namespace velto {

template <typename T>
T* Place(T* widget, const char* name, int left, int top, int width, int height) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

}  // namespace velto
