#include "core/program.h"

#include "core/modini.h"

namespace oruvel::core {

Program::Program(std::string programFolder, std::unique_ptr<platform::RegistryStore> registry, QueryOpener openQuery)
    : programFolder_(std::move(programFolder)), registry_(std::move(registry)), openQuery_(std::move(openQuery)) {}

std::string Program::settingsPath() const {
    std::string path = programFolder_;
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    path += kSettingsFileName;
    return path;
}

std::string Program::readSetting(const SettingKey& key) const {
    return ReadIni(std::string(kSettingsSection), std::string(key.name), settingsPath());
}

bool Program::writeSetting(const SettingKey& key, const std::string& value) const {
    return WriteIni(std::string(kSettingsSection), std::string(key.name), value, settingsPath());
}

void Program::letMessagesRun() const {
    if (!pump_) {
        return;
    }
    if (coalescing_) {
        const double now = clock_->seconds();
        if (now - lastPass_ < CoalescedMessagePasses::kInterval) {
            return;
        }
        lastPass_ = now;
    }
    pump_();
}

CoalescedMessagePasses::CoalescedMessagePasses(Program& program) : program_(program), outer_(!program.coalescing_) {
    if (outer_) {
        program_.coalescing_ = true;
        program_.lastPass_ = program_.clock_->seconds();
    }
}

CoalescedMessagePasses::~CoalescedMessagePasses() {
    if (outer_) {
        program_.coalescing_ = false;
    }
}

} // namespace oruvel::core
