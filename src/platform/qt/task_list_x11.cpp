#include "platform/qt/task_list.h"

#include "platform/qt/x11_connection.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
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

// Asks the window manager to add (or remove) up to two states of a mapped window.
void requestStates(xcb_connection_t* connection, xcb_window_t window, bool add, xcb_atom_t first,
                   xcb_atom_t second = XCB_ATOM_NONE) {
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = window;
    request.type = internAtom(connection, "_NET_WM_STATE");
    request.data.data32[0] = add ? 1 : 0;
    request.data.data32[1] = first;
    request.data.data32[2] = second;
    request.data.data32[3] = 1; // from a normal application
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&request));
    xcb_flush(connection);
}

// The states a window's state property holds now.
std::vector<xcb_atom_t> heldStates(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t state) {
    const ReplyPtr<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, state, XCB_ATOM_ATOM, 0, 64),
                               nullptr),
        &std::free);
    if (reply == nullptr || reply->format != 32) {
        return {};
    }
    const auto* held = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    return {held, held + xcb_get_property_value_length(reply.get()) / 4};
}

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
        const std::vector<xcb_atom_t> held = heldStates(connection, window, state);
        std::vector<xcb_atom_t> missing;
        for (const xcb_atom_t skip : skips) {
            if (std::find(held.begin(), held.end(), skip) == held.end()) {
                missing.push_back(skip);
            }
        }
        xcb_change_property(connection, XCB_PROP_MODE_APPEND, window, state, XCB_ATOM_ATOM, 32,
                            static_cast<std::uint32_t>(missing.size()), missing.data());
    } else {
        requestStates(connection, window, true, skips[0], skips[1]);
    }
    xcb_flush(connection);
}

// A window manager that keeps a window it maps from the focus (KWin, for a window shown without activation) marks it
// as demanding attention. A gadget asks for nothing: whenever the window manager marks a window kept out of the task
// lists, the mark is taken off again.
class AttentionWithdrawal final : public QAbstractNativeEventFilter {
public:
    static AttentionWithdrawal& instance() {
        static auto* withdrawal = [] {
            auto* filter = new AttentionWithdrawal;
            QCoreApplication::instance()->installNativeEventFilter(filter);
            return filter;
        }();
        return *withdrawal;
    }
    void watch(xcb_window_t window) {
        if (std::find(windows_.begin(), windows_.end(), window) == windows_.end()) {
            windows_.push_back(window);
        }
    }
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* /*result*/) override {
        if (type != "xcb_generic_event_t") {
            return false;
        }
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) {
            return false;
        }
        const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        xcb_connection_t* connection = x11Connection();
        if (connection == nullptr || std::find(windows_.begin(), windows_.end(), notify->window) == windows_.end()) {
            return false;
        }
        if (state_ == XCB_ATOM_NONE) {
            state_ = internAtom(connection, "_NET_WM_STATE");
            attention_ = internAtom(connection, "_NET_WM_STATE_DEMANDS_ATTENTION");
        }
        if (notify->atom != state_ || attention_ == XCB_ATOM_NONE) {
            return false;
        }
        const std::vector<xcb_atom_t> held = heldStates(connection, notify->window, state_);
        if (std::find(held.begin(), held.end(), attention_) != held.end()) {
            requestStates(connection, notify->window, false, attention_);
        }
        return false;
    }

private:
    std::vector<xcb_window_t> windows_;
    xcb_atom_t state_ = XCB_ATOM_NONE;
    xcb_atom_t attention_ = XCB_ATOM_NONE;
};

// A window is shown before it is mapped: the states are in place when the window manager takes it.
class SkipStates final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            auto& window = *static_cast<QWidget*>(watched);
            addSkipStates(window);
            if (x11Connection() != nullptr) {
                AttentionWithdrawal::instance().watch(static_cast<xcb_window_t>(window.winId()));
            }
        }
        return false;
    }
};

} // namespace

void keepOutOfTaskList(QWidget& window) {
    window.installEventFilter(new SkipStates(&window));
    if (window.isVisible()) {
        addSkipStates(window);
        AttentionWithdrawal::instance().watch(static_cast<xcb_window_t>(window.winId()));
    }
}

} // namespace oruvel::platform
