// Makes every fsync and fdatasync of a process take ORUVEL_FSYNC_DELAY_MS milliseconds longer (20 by default), as on
// a slow or busy disk. Loaded with LD_PRELOAD by bench/settings_write_stall.sh.
#include <dlfcn.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

void delay() {
    const char* text = std::getenv("ORUVEL_FSYNC_DELAY_MS");
    std::this_thread::sleep_for(std::chrono::milliseconds(text != nullptr ? std::atol(text) : 20));
}

using SyncCall = int (*)(int);

SyncCall next(const char* name) {
    return reinterpret_cast<SyncCall>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" int fsync(int fd) {
    static const SyncCall real = next("fsync");
    delay();
    return real(fd);
}

extern "C" int fdatasync(int fd) {
    static const SyncCall real = next("fdatasync");
    delay();
    return real(fd);
}
