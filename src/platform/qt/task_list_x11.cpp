#include "platform/qt/task_list.h"

#include "platform/qt/x11_connection.h"

#include <QEvent>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <vector>

namespace oruvel::platform {
namespace {

// Adds the skip states: to the state property of a window not yet mapped, which the window manager reads as it maps
// it (Qt adds its own states to what is there); by a request to the window manager for a mapped one.
void addSkipStates(const QWidget& widget) {
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr || !widget.testAttribute(Qt::WA_WState_Created)) {
        return;
    }
    const auto window = static_cast<xcb_window_t>(widget.winId());
    const xcb_atom_t state = internAtom(connection, "_NET_WM_STATE");
    const std::array<xcb_atom_t, 2> skips{internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                                          internAtom(connection, "_NET_WM_STATE_SKIP_PAGER")};
    if (state == XCB_ATOM_NONE || std::count(skips.begin(), skips.end(), XCB_ATOM_NONE) != 0) {
        return;
    }
    const ReplyPtr<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr),
        &std::free);
    if (attributes == nullptr) {
        return;
    }
    if (attributes->map_state == XCB_MAP_STATE_UNMAPPED) {
        const ReplyPtr<xcb_get_property_reply_t> reply(
            xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, state, XCB_ATOM_ATOM, 0, 64),
                                   nullptr),
            &std::free);
        std::vector<xcb_atom_t> missing;
        const auto* held = reply != nullptr && reply->format == 32
                               ? static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()))
                               : nullptr;
        const int count = held != nullptr ? xcb_get_property_value_length(reply.get()) / 4 : 0;
        for (const xcb_atom_t skip : skips) {
            if (std::find(held, held + count, skip) == held + count) {
                missing.push_back(skip);
            }
        }
        xcb_change_property(connection, XCB_PROP_MODE_APPEND, window, state, XCB_ATOM_ATOM, 32,
                            static_cast<std::uint32_t>(missing.size()), missing.data());
    } else {
        xcb_client_message_event_t request{};
        request.response_type = XCB_CLIENT_MESSAGE;
        request.format = 32;
        request.window = window;
        request.type = state;
        request.data.data32[0] = 1; // add
        request.data.data32[1] = skips[0];
        request.data.data32[2] = skips[1];
        request.data.data32[3] = 1; // from a normal application
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char*>(&request));
    }
    xcb_flush(connection);
}

// A window is shown before it is mapped: the states are in place when the window manager takes it.
class SkipStates final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            addSkipStates(*static_cast<QWidget*>(watched));
        }
        return false;
    }
};

} // namespace

void keepOutOfTaskList(QWidget& window) {
    window.installEventFilter(new SkipStates(&window));
    if (window.isVisible()) {
        addSkipStates(window);
    }
}

} // namespace oruvel::platform
