// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/x11_hints.h"

#include <QGuiApplication>
#include <QImage>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>
#include <xcb/xcb.h>

#include "ui/picture.h"

namespace velto {
namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const auto cookie = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

void SetAtoms(xcb_connection_t* connection, xcb_window_t window, const char* property, std::initializer_list<const char*> names) {
    std::vector<xcb_atom_t> atoms;
    for (const char* name : names) atoms.push_back(Atom(connection, name));
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, Atom(connection, property), XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(atoms.size()), atoms.data());
}

// Takes the window out of the program's window group: window managers keep a utility
// window of a group above every other window of it.
void LeaveWindowGroup(xcb_connection_t* connection, xcb_window_t window) {
    constexpr std::uint32_t kWindowGroupHint = 1u << 6;
    const auto cookie = xcb_get_property(connection, 0, window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, 9);
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 9 * 4) return;
    std::uint32_t hints[9];
    std::memcpy(hints, xcb_get_property_value(reply.get()), sizeof hints);
    if (!(hints[0] & kWindowGroupHint)) return;
    hints[0] &= ~kWindowGroupHint;
    hints[8] = 0;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, 9, hints);
}

xcb_connection_t* X11Connection() {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

}  // namespace

void MarkAsUtilityWindow(QWidget* window) {
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr) return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    // Qt keeps these: it writes the type only when the window flags change, adds its own
    // states to those already set on a hidden window, and rewrites the hints from what
    // it finds.
    SetAtoms(connection, id, "_NET_WM_WINDOW_TYPE", {"_NET_WM_WINDOW_TYPE_UTILITY"});
    SetAtoms(connection, id, "_NET_WM_STATE", {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"});
    LeaveWindowGroup(connection, id);
    xcb_flush(connection);
}

void OfferProgramIcon(QWidget* window) {
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr) return;
    constexpr int kSides[] = {32, 16, 22, 24, 48, 64, 128, 256};
    // For each size its width, its height, then each pixel as ARGB, unpremultiplied: all
    // in one write, as window managers read the icons whenever they change.
    std::vector<std::uint32_t> icons;
    std::size_t length = 0;
    for (const int side : kSides) length += 2 + static_cast<std::size_t>(side) * static_cast<std::size_t>(side);
    icons.reserve(length);
    for (const int side : kSides) {
        const QImage size = ResourceImage(side == 32 ? QStringLiteral(":/mainicon.png")
                                                     : QStringLiteral(":/icons/%1x%1/velto03.png").arg(side));
        icons.push_back(static_cast<std::uint32_t>(size.width()));
        icons.push_back(static_cast<std::uint32_t>(size.height()));
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) icons.push_back(size.pixel(x, y));
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()),
                        Atom(connection, "_NET_WM_ICON"), XCB_ATOM_CARDINAL, 32, static_cast<std::uint32_t>(icons.size()),
                        icons.data());
    xcb_flush(connection);
}

}  // namespace velto
