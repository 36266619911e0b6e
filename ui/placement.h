// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers for laying out a window's widgets: name and place, face and text colour.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <QWidget>
#include <algorithm>
#include <iterator>
#include <string_view>
#include <utility>

namespace velto {

template <typename T>
T* Place(T* widget, const char* name, int left, int top, int width, int height) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

// A face by its written name, `pixels` high, drawn with the installed face that stands
// for it. Asked for by its own name, the installed face spares Qt a search for the
// substitutes of every written name, and for their fallbacks.
inline QFont Face(std::string_view family, int pixels) {
    static constexpr std::pair<std::string_view, const char*> kInstalled[] = {
        {"MS Sans Serif", "Liberation Sans"},
        // The narrow cut keeps every message of the result panel within its three lines.
        {"System", "Liberation Sans Narrow"},
        {"Comic Sans MS", "Comic Neue"},
    };
    const auto* const installed =
        std::find_if(std::begin(kInstalled), std::end(kInstalled), [family](const auto& face) { return face.first == family; });
    QFont face(installed != std::end(kInstalled)
                   ? QString::fromLatin1(installed->second)
                   : QString::fromLatin1(family.data(), static_cast<qsizetype>(family.size())));
    face.setPixelSize(pixels);
    return face;
}

inline void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette colours = widget->palette();
    colours.setColor(QPalette::WindowText, colour);
    widget->setPalette(colours);
}

}  // namespace velto
