#include "platform/qt/desktop_state.h"

#include "platform/qt/x11_connection.h"

#include <QWidget>

#include <cstdlib>

namespace oruvel::platform {

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
    return screenSelectionOwned(connection, "_NET_WM_CM_S").value_or(true);
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
