// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers for laying out a window's widgets: name and place, face and text colour.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <QWidget>

namespace velto {

template <typename T>
T* Place(T* widget, const char* name, int left, int top, int width, int height) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

// A face by its written name, `pixels` high.
inline QFont Face(const char* family, int pixels) {
    QFont face(QString::fromLatin1(family));
    face.setPixelSize(pixels);
    return face;
}

inline void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette colours = widget->palette();
    colours.setColor(QPalette::WindowText, colour);
    widget->setPalette(colours);
}

}  // namespace velto
