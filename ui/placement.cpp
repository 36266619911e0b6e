// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/placement.h"

#include <QEvent>
#include <QMetaObject>
#include <QPalette>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

namespace velto {

QFont Face(std::string_view family, int pixels) {
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

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette colours = widget->palette();
    colours.setColor(role, colour);
    widget->setPalette(colours);
}

void RetakeColoursAfter(const QEvent* event, QWidget* window, std::function<void()> take) {
    static constexpr char kPending[] = "veltoColoursPending";
    if (event->type() != QEvent::ApplicationPaletteChange && event->type() != QEvent::StyleChange) return;
    if (window->property(kPending).toBool()) return;
    window->setProperty(kPending, true);
    QMetaObject::invokeMethod(window, [window, take = std::move(take)] {
        window->setProperty(kPending, false);
        for (QWidget* widget : window->findChildren<QWidget*>()) widget->setPalette(QPalette());
        window->setPalette(QPalette());
        take();
    }, Qt::QueuedConnection);
}

namespace {

double Luminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

}  // namespace

double Contrast(const QColor& first, const QColor& second) {
    const double a = Luminance(first);
    const double b = Luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor ReadableOn(const QColor& background, const QColor& written, const QColor& matching) {
    constexpr double kReadable = 4.5;
    if (Contrast(written, background) >= kReadable) return written;
    if (Contrast(matching, background) >= kReadable) return matching;
    return Contrast(Qt::black, background) >= Contrast(Qt::white, background) ? QColor(Qt::black) : QColor(Qt::white);
}

}  // namespace velto
