// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/x11_hints.h"

#include <QGuiApplication>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>
#include <xcb/xcb.h>

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

}  // namespace

void MarkAsUtilityWindow(QWidget* window) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
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

}  // namespace velto
