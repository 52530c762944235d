#include "app/termination_signals.h"

#include <QObject>
#include <QSocketNotifier>

#ifndef _WIN32
#include <array>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace oruvel::app {

#ifndef _WIN32
namespace {

std::array<int, 2> signalPipe{-1, -1};

void signalHandler(int /*sig*/) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
}

} // namespace

void onTerminationRequest(std::function<void()> handler) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe.data()) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier, handler = std::move(handler)] {
        char byte = 0;
        [[maybe_unused]] const auto got = ::read(signalPipe[1], &byte, 1);
        notifier->setEnabled(false);
        handler();
    });
    struct sigaction action {};
    action.sa_handler = signalHandler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int sig : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(sig, &action, nullptr);
    }
}
#else
void onTerminationRequest(std::function<void()> /*handler*/) {}
#endif

} // namespace oruvel::app
