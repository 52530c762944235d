#include "platform/qt/desktop_state.h"

#include "platform/qt/x11_connection.h"

#include <QWidget>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace oruvel::platform {
namespace {

// The X screen the program runs on: the number after the dot of DISPLAY (0 without one).
int screenNumber() {
    const char* display = std::getenv("DISPLAY");
    const char* dot = display != nullptr ? std::strrchr(display, '.') : nullptr;
    return dot != nullptr && dot > std::strrchr(display, ':') ? std::atoi(dot + 1) : 0;
}

} // namespace

bool pointerButtonHeld() {
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr) {
        return false;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const ReplyPtr<xcb_query_pointer_reply_t> reply(
        xcb_query_pointer_reply(connection, xcb_query_pointer(connection, screen->root), nullptr), &std::free);
    constexpr unsigned kButtons = XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3;
    return reply != nullptr && (reply->mask & kButtons) != 0;
}

bool compositorRunning() {
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr) {
        return true;
    }
    // A compositing manager owns the selection _NET_WM_CM_S<screen>.
    const std::string name = "_NET_WM_CM_S" + std::to_string(screenNumber());
    const xcb_atom_t atom = internAtom(connection, name);
    if (atom == XCB_ATOM_NONE) {
        return true;
    }
    const ReplyPtr<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom), nullptr), &std::free);
    return owner == nullptr || owner->owner != XCB_NONE;
}

bool seeThroughPixelsShow() {
    if (x11Connection() == nullptr) {
        return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    }
    return compositorRunning();
}

std::optional<QPoint> windowSystemPlace(const QWidget& window) {
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr) {
        if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
            return std::nullopt;
        }
        return window.frameGeometry().topLeft(); // a platform that places windows as asked (offscreen)
    }
    if (!window.testAttribute(Qt::WA_WState_Created)) {
        return std::nullopt;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const ReplyPtr<xcb_translate_coordinates_reply_t> reply(
        xcb_translate_coordinates_reply(
            connection, xcb_translate_coordinates(connection, static_cast<xcb_window_t>(window.winId()), root, 0, 0),
            nullptr),
        &std::free);
    if (reply == nullptr) {
        return std::nullopt;
    }
    return QPoint(reply->dst_x, reply->dst_y);
}

} // namespace oruvel::platform
