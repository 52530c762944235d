#pragma once

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace oruvel::platform {

// The program's connection to the X server; null where Qt does not run on X11 (native Wayland).
inline xcb_connection_t* x11Connection() {
    const auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 != nullptr ? x11->connection() : nullptr;
}

// An X server's reply, freed with it.
template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

// The atom of `name`, XCB_ATOM_NONE when the server does not answer. Each name is asked for once: an atom stays the
// same for the server's life.
inline xcb_atom_t internAtom(xcb_connection_t* connection, std::string_view name) {
    static std::map<std::string, xcb_atom_t, std::less<>> atoms;
    if (const auto known = atoms.find(name); known != atoms.end()) {
        return known->second;
    }
    const ReplyPtr<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()), nullptr),
        &std::free);
    if (reply == nullptr) {
        return XCB_ATOM_NONE;
    }
    atoms.emplace(name, reply->atom);
    return reply->atom;
}

// The X screen the program runs on: the number after the dot of DISPLAY (0 without one).
inline int screenNumber() {
    const char* display = std::getenv("DISPLAY");
    const char* dot = display != nullptr ? std::strrchr(display, '.') : nullptr;
    return dot != nullptr && dot > std::strrchr(display, ':') ? std::atoi(dot + 1) : 0;
}

// The atom of the selection `<prefix><screen>` of the program's screen (a compositing manager owns _NET_WM_CM_S0, a
// notification area _NET_SYSTEM_TRAY_S0).
inline xcb_atom_t screenSelection(xcb_connection_t* connection, std::string_view prefix) {
    return internAtom(connection, std::string(prefix) + std::to_string(screenNumber()));
}

// Whether a client owns the selection `<prefix><screen>` of the program's screen; nullopt when the server does not
// answer.
inline std::optional<bool> screenSelectionOwned(xcb_connection_t* connection, std::string_view prefix) {
    const xcb_atom_t atom = screenSelection(connection, prefix);
    if (atom == XCB_ATOM_NONE) {
        return std::nullopt;
    }
    const ReplyPtr<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom), nullptr), &std::free);
    if (owner == nullptr) {
        return std::nullopt;
    }
    return owner->owner != XCB_NONE;
}

} // namespace oruvel::platform
