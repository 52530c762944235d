#include "core/window_position.h"

#include "core/program.h"
#include "core/value_conversion.h"
#include "platform/registry_routines.h"

namespace oruvel::core {

using platform::RegistryRoutines;
using platform::RegRoot;

void SaveWindowPosition(Program& program, const PositionedWindow& window, const std::string& top,
                        const std::string& left) {
    RegistryRoutines reg(program.registry());
    reg.hkey = RegRoot::CurrentUser;
    reg.KeyRoot = kMakerKeyRoot;
    reg.CreateKey(kMakerKey);
    reg.KeyRoot = kProductKeyRoot;
    reg.CreateKey(kProductKey);
    reg.Subkey = kProductKey;
    const std::string name = window.windowName();
    reg.SetRegistryValue(name + "_x", top, platform::reg::kSz);
    program.letMessagesRun();
    reg.SetRegistryValue(name + "_y", left, platform::reg::kSz);
    program.letMessagesRun();
}

void LoadWindowPosition(Program& program, PositionedWindow& window) {
    RegistryRoutines reg(program.registry());
    reg.hkey = RegRoot::CurrentUser;
    reg.KeyRoot = kProductKeyRoot;
    reg.Subkey = kProductKey;
    const std::string name = window.windowName();
    const std::string x = platform::regVariantText(reg.GetRegistryValue(name + "_x"));
    const std::string y = platform::regVariantText(reg.GetRegistryValue(name + "_y"));
    program.letMessagesRun();
    if (x.empty() && y.empty()) {
        return;
    }
    const int top = toInt32(x).value_or(0);
    const int left = toInt32(y).value_or(0);
    window.moveTwips(left, top);
}

void ForgetWindowPositions(Program& program) {
    RegistryRoutines reg(program.registry());
    reg.hkey = RegRoot::CurrentUser;
    reg.KeyRoot = kMakerKeyRoot;
    reg.CreateKey(kMakerKey);
    reg.KeyRoot = kProductKeyRoot;
    reg.DeleteKey(kProductKey);
    program.letMessagesRun();
}

} // namespace oruvel::core
