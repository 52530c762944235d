#pragma once

#include "platform/ini_file.h"

#include <string>
#include <vector>

namespace oruvel::core {

// Changes that could not be written to the settings file before the program ended (a full disk, a file made
// read-only) wait in a file of their own in the user's folder, and the next start with the same settings file applies
// them as changes and removes that file.

// The file that holds the changes waiting for `settingsPath`: one per settings file, named after a hash of its path.
std::string unsavedSettingsFile(const std::string& configFolder, const std::string& settingsPath);

// Keeps `values` (stored key names and forms) for the next start, beside what earlier runs left there; false, with
// platform::lastFileFailure() saying why, when that cannot be written either.
bool keepUnsaved(const std::string& file, const std::string& settingsPath,
                 const std::vector<platform::ini::KeyValue>& values);

// The changes waiting for `settingsPath` in `file`, in the key table's order, and the file removed. Nothing when the
// file is missing or belongs to another settings file. Empty values are not kept.
std::vector<platform::ini::KeyValue> takeUnsaved(const std::string& file, const std::string& settingsPath);

} // namespace oruvel::core
