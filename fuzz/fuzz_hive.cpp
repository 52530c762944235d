// The registry hive file: any text parses, and what is read writes back to text that reads back the same.
#include "platform/registry_hive.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, unsigned long size) {
    using oruvel::platform::RegistryHive;
    const auto hive = RegistryHive::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!hive) {
        return 0;
    }
    const std::string once = hive->serialize();
    const auto again = RegistryHive::parse(once);
    if (!again || again->serialize() != once) {
        __builtin_trap();
    }
    return 0;
}
