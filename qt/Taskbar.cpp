#include "qt/Taskbar.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace qt {
namespace {

xcb_atom_t atom(xcb_connection_t* connection, std::string_view name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data());
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

xcb_connection_t* x11Connection() {
    const auto* const x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    // The offscreen platform answers as X11 too, without a connection.
    return x11 != nullptr ? x11->connection() : nullptr;
}

std::array<xcb_atom_t, 2> outOfTaskbar(xcb_connection_t* connection) {
    return {atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
            atom(connection, "_NET_WM_STATE_SKIP_PAGER")};
}

} // namespace

// The states are written on the window before it is mapped, which is how a client sets them
// (EWMH); Qt keeps the ones it finds there when it adds its own at mapping.
void KeepOutOfTaskbar(QWidget* window) {
    xcb_connection_t* const connection = x11Connection();
    if (connection == nullptr) {
        return;
    }
    const std::array<xcb_atom_t, 2> states = outOfTaskbar(connection);
    xcb_change_property(
        connection, XCB_PROP_MODE_APPEND, static_cast<xcb_window_t>(window->winId()),
        atom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, states.size(), states.data());
    xcb_flush(connection);
}

// The state of a window the window manager manages is changed by asking it, through a message
// to the root window (EWMH).
void ReturnToTaskbar(QWidget* window) {
    xcb_connection_t* const connection = x11Connection();
    if (connection == nullptr) {
        return;
    }
    const std::array<xcb_atom_t, 2> states = outOfTaskbar(connection);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window->winId());
    message.type = atom(connection, "_NET_WM_STATE");
    message.data.data32[0] = 0; // _NET_WM_STATE_REMOVE
    message.data.data32[1] = states[0];
    message.data.data32[2] = states[1];
    message.data.data32[3] = 1; // asked by an application
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

} // namespace qt
