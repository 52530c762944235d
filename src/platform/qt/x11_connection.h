#pragma once

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace oruvel::platform {

// The program's connection to the X server; null where Qt does not run on X11 (native Wayland).
inline xcb_connection_t* x11Connection() {
    const auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 != nullptr ? x11->connection() : nullptr;
}

// An X server's reply, freed with it.
template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

// The atom of `name`, XCB_ATOM_NONE when the server does not answer.
inline xcb_atom_t internAtom(xcb_connection_t* connection, std::string_view name) {
    const ReplyPtr<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()), nullptr),
        &std::free);
    return reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

} // namespace oruvel::platform
