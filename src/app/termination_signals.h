#pragma once

#include <functional>

namespace oruvel::app {

// Runs `handler` on the user-interface thread when the process is asked to end (SIGTERM, SIGINT, SIGHUP on
// POSIX systems), so the program goes down through its orderly shutdown.
void onTerminationRequest(std::function<void()> handler);

} // namespace oruvel::app
