// The settings file: any file content reads without trouble, and writing one key leaves every other key's value.
#include "platform/ini_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const std::string& scratchFile() {
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("oruvel-fuzz-" + std::to_string(::getpid()) + ".ini")).string();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, unsigned long size) {
    using namespace oruvel::platform::ini;
    const std::string path = scratchFile();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    static const char* const kKeys[] = {"drive", "show", "compact", "readmax", "writemax", "a", "key", "x"};
    std::string before[8];
    for (int i = 0; i < 8; ++i) {
        before[i] = readValue(path, "main", kKeys[i]);
        if (before[i].size() > kMaxValueLength) {
            __builtin_trap();
        }
    }
    const int target = size > 0 ? data[0] % 8 : 0;
    if (writeValue(path, "main", kKeys[target], "fuzzed value")) {
        for (int i = 0; i < 8; ++i) {
            const std::string after = readValue(path, "main", kKeys[i]);
            if (i == target ? after != "fuzzed value" : after != before[i]) {
                __builtin_trap();
            }
        }
    }
    std::remove(path.c_str());
    return 0;
}
