#include "core/settings_location.h"

#include "core/settings_keys.h"
#include "platform/file_ops.h"
#include "platform/line_scanner.h"

#include <cstdint>
#include <cstdio>
#include <memory>

namespace oruvel::core {
namespace {

std::string inFolder(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/' && path.back() != '\\') {
        path += '/';
    }
    return path.append(name);
}

// Copies `from` to a new file `to`; nothing happens when `to` exists already or `from` cannot be read.
void copyOnce(const std::string& from, const std::string& to) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> source(platform::openForReading(from), &std::fclose);
    if (!source || std::fseek(source.get(), 0, SEEK_END) != 0) {
        return;
    }
    const long size = std::ftell(source.get());
    if (size < 0) {
        return;
    }
    platform::createFileExclusively(to, [&](platform::OutputSink& out) {
        return platform::copyRange(source.get(), 0, static_cast<std::uint64_t>(size),
                                   [&](std::string_view bytes) { return out.write(bytes); });
    });
}

} // namespace

std::string settingsFileBeside(const std::string& programFolder) {
    return inFolder(programFolder, kSettingsFileName);
}

SettingsLocation chooseSettingsLocation(const SettingsPlaces& places) {
    std::string beside = settingsFileBeside(places.programFolder);
    if (places.programFolderWritable || places.userFolder.empty()) {
        return {beside, std::nullopt};
    }
    SettingsLocation location{inFolder(places.userFolder, kSettingsFileName), std::nullopt};
    if (!places.userFolderHasFile && places.programFolderHasFile) {
        location.seedFrom = beside;
    }
    return location;
}

std::string picturesFolder(const std::string& programFolder, bool (*isFolder)(const std::string&)) {
    std::string beside = inFolder(programFolder, "bars");
    if (isFolder(beside)) {
        return beside;
    }
    const std::string installed = inFolder(programFolder, "../share/oruvel/bars");
    return isFolder(installed) ? installed : beside;
}

std::string prepareSettingsFile(const std::string& programFolder, const std::string& userConfigFolder,
                                bool (*isWritableFolder)(const std::string&)) {
    SettingsPlaces places;
    places.programFolder = programFolder;
    places.programFolderWritable = isWritableFolder(programFolder);
    const std::string beside = settingsFileBeside(programFolder);
    places.programFolderHasFile = platform::isRegularFile(beside);
    places.userFolder = userConfigFolder.empty() ? std::string() : inFolder(userConfigFolder, "Oruvel");
    places.userFolderHasFile =
        !places.userFolder.empty() && platform::isRegularFile(inFolder(places.userFolder, kSettingsFileName));
    const SettingsLocation location = chooseSettingsLocation(places);
    if (location.path != beside && platform::makeFolders(places.userFolder) && location.seedFrom) {
        copyOnce(*location.seedFrom, location.path);
    }
    return location.path;
}

std::string shippedPictureNow(const std::string& storedPath, const std::string& picturesFolder) {
    const std::size_t slash = storedPath.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? storedPath : storedPath.substr(slash + 1);
    return name.empty() || name == "." || name == ".." ? std::string() : picturesFolder + "/" + name;
}

} // namespace oruvel::core
