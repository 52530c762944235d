#include "core/window_position.h"

#include "core/program.h"
#include "core/value_conversion.h"
#include "platform/registry_routines.h"

namespace oruvel::core {

using platform::RegistryKey;
using platform::RegRoot;

namespace {

// Creates the maker's key when it is missing and names the product key below it (which it does not create).
RegistryKey makerKey(Program& program) {
    RegistryKey reg(program.registry());
    reg.root = RegRoot::CurrentUser;
    reg.parentPath = kMakerKeyRoot;
    reg.createKey(kMakerKey);
    reg.parentPath = kProductKeyRoot;
    reg.name = kProductKey;
    return reg;
}

} // namespace

void saveWindowPosition(Program& program, const PositionedWindow& window) {
    RegistryKey reg = makerKey(program);
    reg.createKey();
    const std::string name = window.windowName();
    reg.setValue(name + "_x", std::to_string(window.topTwips()), platform::reg::kSz);
    reg.setValue(name + "_y", std::to_string(window.leftTwips()), platform::reg::kSz);
}

void restoreWindowPosition(Program& program, PositionedWindow& window) {
    RegistryKey reg(program.registry());
    reg.root = RegRoot::CurrentUser;
    reg.parentPath = kProductKeyRoot;
    reg.name = kProductKey;
    const std::string name = window.windowName();
    const std::string x = platform::valueText(reg.value(name + "_x"));
    const std::string y = platform::valueText(reg.value(name + "_y"));
    if (x.empty() && y.empty()) {
        return;
    }
    const int top = toInt32(x).value_or(0);
    const int left = toInt32(y).value_or(0);
    window.moveTwips(left, top);
}

void forgetWindowPositions(Program& program) {
    RegistryKey reg = makerKey(program);
    reg.deleteKey(kProductKey);
}

} // namespace oruvel::core
