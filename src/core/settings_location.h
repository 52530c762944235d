#pragma once

#include <optional>
#include <string>

namespace oruvel::core {

// What the choice of the settings file depends on, found out once at start.
struct SettingsPlaces {
    std::string programFolder;
    bool programFolderWritable = false;
    bool programFolderHasFile = false; // a settings file beside the program
    std::string userFolder;            // the per-user folder for the file, empty when there is none
    bool userFolderHasFile = false;
};

struct SettingsLocation {
    std::string path;                    // the settings file to read and write
    std::optional<std::string> seedFrom; // a file to copy to `path` first, as its starting point
    bool operator==(const SettingsLocation&) const = default;
};

// The settings file beside the program.
std::string settingsFileBeside(const std::string& programFolder);

// A program folder the user can write to keeps the settings file beside the program (a portable folder). Otherwise
// (a system-wide install) the file lives in the per-user folder; on the first start there a file beside the program
// (an administrator's defaults) is copied as the starting point, and never changed. Without a per-user folder the
// file beside the program is used as it is: read, and never written.
SettingsLocation chooseSettingsLocation(const SettingsPlaces& places);

// The fill pictures' folder: "bars" beside the program, else the installed data folder ../share/oruvel/bars.
std::string picturesFolder(const std::string& programFolder, bool (*isFolder)(const std::string&));

// Where a stored fill picture of the shipped folder is now, when the program's folder has been moved or copied since
// it was chosen: the file of that name in today's pictures folder ("/" or "\" end the stored folder). Empty when the
// stored path names no file.
std::string shippedPictureNow(const std::string& storedPath, const std::string& picturesFolder);

// Finds out the places on this system, chooses, and seeds the per-user file when it is new. Returns the path.
// `isWritableFolder` answers whether the user may write in the program folder.
std::string prepareSettingsFile(const std::string& programFolder, const std::string& userConfigFolder,
                                bool (*isWritableFolder)(const std::string&));

} // namespace oruvel::core
