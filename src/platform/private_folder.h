#pragma once

#include <string>

// POSIX only: on Windows the user's own temporary folder serves instead.
namespace oruvel::platform {

// A folder for this user's locks that no other user can put anything in, read or replace, and that holds nothing
// but this program's files: "oruvel" in XDG_RUNTIME_DIR when that is an absolute path to a folder of this user's
// that only they may enter; else "oruvel-<uid>" in TMPDIR (when absolute) or /tmp. Each is created with mode 0700
// and checked for owner and mode before use (a squatter's folder, a link, or one others may enter is never used).
// Empty when there is none, with the reason in `why`.
std::string privateRuntimeFolder(std::string& why);

// The same with the environment given (each null when unset).
std::string privateRuntimeFolderFrom(const char* xdgRuntimeDir, const char* tmpDir, std::string& why);

} // namespace oruvel::platform
