// The settings file: any file content (in any of the encodings and line ends it may come in) reads without trouble,
// and writing one or two keys in one replace leaves every other key's value.
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
    const int second = size > 1 ? data[1] % 8 : target; // the same key twice: its last value counts
    const KeyValue changes[] = {{kKeys[target], "fuzzed value"}, {kKeys[second], "second value"}};
    if (writeValues(path, "main", changes)) {
        for (int i = 0; i < 8; ++i) {
            const std::string after = readValue(path, "main", kKeys[i]);
            const char* expected = i == second ? "second value" : i == target ? "fuzzed value" : nullptr;
            if (expected != nullptr ? after != expected : after != before[i]) {
                __builtin_trap();
            }
        }
    }
    std::remove(path.c_str());
    return 0;
}
