#include "core/window_position.h"

#include "core/program.h"
#include "core/value_conversion.h"
#include "platform/registry_routines.h"

namespace oruvel::core {

using platform::RegistryKey;
using platform::RegRoot;

void saveWindowPosition(Program& program, const PositionedWindow& window) {
    RegistryKey reg(program.registry());
    reg.hkey = RegRoot::CurrentUser;
    reg.KeyRoot = kMakerKeyRoot;
    reg.CreateKey(kMakerKey);
    reg.KeyRoot = kProductKeyRoot;
    reg.CreateKey(kProductKey);
    reg.Subkey = kProductKey;
    const std::string name = window.windowName();
    reg.SetRegistryValue(name + "_x", std::to_string(window.topTwips()), platform::reg::kSz);
    reg.SetRegistryValue(name + "_y", std::to_string(window.leftTwips()), platform::reg::kSz);
}

void restoreWindowPosition(Program& program, PositionedWindow& window) {
    RegistryKey reg(program.registry());
    reg.hkey = RegRoot::CurrentUser;
    reg.KeyRoot = kProductKeyRoot;
    reg.Subkey = kProductKey;
    const std::string name = window.windowName();
    const std::string x = platform::regVariantText(reg.GetRegistryValue(name + "_x"));
    const std::string y = platform::regVariantText(reg.GetRegistryValue(name + "_y"));
    if (x.empty() && y.empty()) {
        return;
    }
    const int top = toInt32(x).value_or(0);
    const int left = toInt32(y).value_or(0);
    window.moveTwips(left, top);
}

void forgetWindowPositions(Program& program) {
    RegistryKey reg(program.registry());
    reg.hkey = RegRoot::CurrentUser;
    reg.KeyRoot = kMakerKeyRoot;
    reg.CreateKey(kMakerKey);
    reg.KeyRoot = kProductKeyRoot;
    reg.DeleteKey(kProductKey);
}

} // namespace oruvel::core
