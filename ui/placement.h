// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers for laying out a window's widgets: name and place, face and text colour.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <QWidget>
#include <functional>
#include <string_view>

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
QFont Face(std::string_view family, int pixels);

// Gives `widget` its own colour for `role`; every other role follows its parent.
void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

// Calls `take` once a change of the user's scheme that `event`, sent to `window`, is part
// of (a new palette, and with some platform themes a new style) is over, however many
// events announce it. Every palette set in the window is dropped first: with Qt 6.4, a
// change of style while the program runs leaves widgets no longer inheriting their
// parents' colours.
void RetakeColoursAfter(const QEvent* event, QWidget* window, std::function<void()> take);

// The contrast ratio of two colours, from 1 to 21, as WCAG 2 reckons it.
double Contrast(const QColor& first, const QColor& second);

// The colour for text on `background`, a colour of the user's scheme: `written` where it
// reads there (a contrast of 4.5:1 or more), else the scheme's `matching` text colour
// where that reads, else black or white, whichever reads better.
QColor ReadableOn(const QColor& background, const QColor& written, const QColor& matching);

}  // namespace velto
