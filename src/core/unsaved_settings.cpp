#include "core/unsaved_settings.h"

#include "core/settings_keys.h"
#include "platform/file_ops.h"

#include <cstdint>

namespace oruvel::core {
namespace {

constexpr std::string_view kSection = "unsaved";
constexpr std::string_view kSettingsFileKey = "settingsfile";

// FNV-1a: the same name for the same path in every build.
std::string pathHash(const std::string& path) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : path) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
    std::string hex(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4U) {
        hex[static_cast<std::size_t>(i)] = "0123456789abcdef"[hash & 0xFU];
    }
    return hex;
}

} // namespace

std::string unsavedSettingsFile(const std::string& configFolder, const std::string& settingsPath) {
    if (configFolder.empty()) {
        return {};
    }
    return configFolder + "/Quorlane/Oruvel_unsaved_" + pathHash(settingsPath) + ".ini";
}

bool keepUnsaved(const std::string& file, const std::string& settingsPath,
                 const std::vector<platform::ini::KeyValue>& values) {
    if (file.empty()) {
        platform::setFileFailure("there is no folder of the user's own");
        return false;
    }
    std::vector<platform::ini::KeyValue> entries{{std::string(kSettingsFileKey), settingsPath}};
    entries.insert(entries.end(), values.begin(), values.end());
    return platform::makeFolders(platform::folderOf(file)) && platform::ini::writeValues(file, kSection, entries);
}

std::vector<platform::ini::KeyValue> takeUnsaved(const std::string& file, const std::string& settingsPath) {
    if (file.empty() ||
        platform::ini::readValue(file, kSection, kSettingsFileKey) != platform::ini::valueAsRead(settingsPath)) {
        return {};
    }
    std::vector<platform::ini::KeyValue> values;
    for (const KeyRow& row : kKeyTable) {
        std::string value = platform::ini::readValue(file, kSection, row.name);
        if (!value.empty()) {
            values.push_back({std::string(row.name), std::move(value)});
        }
    }
    platform::removeFile(file);
    return values;
}

} // namespace oruvel::core
