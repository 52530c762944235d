#include "startup/start_with_login.h"

#include "platform/platform_services.h"
#include "platform/registry_routines.h"

namespace oruvel::startup {

std::string windowsVersionName(int platformId, int major, int minor, int build) {
    const int build16 = build & 0xFFFF;
    switch (platformId) {
    case 0:
        return "Windows 3.1";
    case 1:
        if (minor == 0) {
            return "Windows 95";
        }
        if (minor == 10) {
            return build16 == 2222 ? "Windows 98SE" : "Windows 98";
        }
        if (minor == 90) {
            return "Windows Me";
        }
        return {};
    case 2:
        if (major == 3) {
            return "Windows NT 3.51";
        }
        if (major == 4) {
            return "Windows NT 4.0";
        }
        if (major == 5 && minor == 0) {
            return "Windows 2000";
        }
        if (major == 5 && minor == 1) {
            return "Windows XP";
        }
        if (major == 5 && minor == 2) {
            return "Windows Server 2003";
        }
        return {};
    default:
        return {};
    }
}

std::string windowsVersionName() {
    const auto v = platform::readOsVersion();
    return v ? windowsVersionName(v->platformId, v->major, v->minor, v->build) : std::string{};
}

std::string runKeyValue(const std::string& folder, const std::string& fileName, const std::string& arguments) {
    std::string value = "\"" + folder + "\\" + fileName + ".exe\"";
    if (!arguments.empty()) {
        value += " " + arguments;
    }
    return value;
}

void addRunKeyValue(const std::string& arguments, platform::RegRoot root, platform::RegistryStore& store,
                    const std::string& folder) {
    platform::RegistryKey reg(store);
    reg.root = root;
    reg.parentPath = kRunKeyRoot;
    reg.name = kRunKey;
    reg.setValue(kProgramTitle, runKeyValue(folder, kProgramTitle, arguments), platform::reg::kSz);
}

void removeRunKeyValue(platform::RegRoot root, platform::RegistryStore& store) {
    platform::RegistryKey reg(store);
    reg.root = root;
    reg.parentPath = kRunKeyRoot;
    reg.name = kRunKey;
    reg.deleteValue(kProgramTitle);
}

} // namespace oruvel::startup
