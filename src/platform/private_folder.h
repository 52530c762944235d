#pragma once

#include <cstddef>
#include <string>

// POSIX only: on Windows the system's own per-user names (the user's temporary folder, named pipes with their default
// security) serve instead.
namespace oruvel::platform {

// A folder for this user's sockets and locks that no other user can put anything in, read or replace:
// XDG_RUNTIME_DIR when it is an absolute path to a folder of this user's that only they may enter; else
// "oruvel-<uid>" in TMPDIR (when absolute) or /tmp, created with mode 0700 and checked for owner and mode before use
// (a squatter's folder, a link, or one others may enter is never used). `room` is how many bytes the caller adds to
// the folder's path (a socket's name must fit the system's limit): folders longer than that allows are passed over.
// Empty when there is none, with the reason in `why`.
std::string privateRuntimeFolder(std::size_t room, std::string& why);

// The same with the environment given (each null when unset).
std::string privateRuntimeFolderFrom(const char* xdgRuntimeDir, const char* tmpDir, std::size_t room, std::string& why);

} // namespace oruvel::platform
