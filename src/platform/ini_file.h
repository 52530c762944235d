#pragma once

#include <string>
#include <string_view>

namespace oruvel::platform::ini {

// How a new file ends its lines (CR LF on Windows, LF elsewhere); an existing file keeps its own.
#ifdef _WIN32
inline constexpr std::string_view kNativeLineEnding = "\r\n";
#else
inline constexpr std::string_view kNativeLineEnding = "\n";
#endif

// Longest value a read hands back; longer values are cut, as the classic profile-file reader does.
inline constexpr std::size_t kMaxValueLength = 254;

// How one line of an INI file reads.
struct IniLine {
    enum class Kind { Other, Section, Entry };
    Kind kind = Kind::Other;
    std::string_view name;  // section name or key, trimmed
    std::string_view value; // entry value, trimmed, one pair of surrounding quotes removed
};

// Classifies one line (without its line end). Sections are "[name]"; entries "key=value"; lines starting with ";"
// and lines without "=" are neither.
IniLine classifyLine(std::string_view line);

// Case-insensitive (ASCII) comparison used for section and key names.
bool namesEqual(std::string_view a, std::string_view b);

// The value of `key` in the first section named `section` of the file at `path`, or empty text when the file, the
// section or the key is missing. Section and key are matched case-insensitively; the value is trimmed, loses one pair
// of surrounding quotes, ends at a NUL byte and is cut to kMaxValueLength bytes (never inside a UTF-8 sequence).
// Memory use is bounded whatever the file holds.
std::string readValue(const std::string& path, std::string_view section, std::string_view key);

// The value a read gives back for an entry written as `written`: trimmed, one pair of surrounding quotes removed, ended
// at a NUL byte and cut to kMaxValueLength bytes.
std::string valueAsRead(std::string_view written);

// False for names or values that would change the file's structure: CR, LF or NUL anywhere, "=" in a key, "[" or ";"
// starting a key, "[" or "]" in a section, an empty section or key.
bool isWritableEntry(std::string_view section, std::string_view key, std::string_view value);

// Sets `key` in `section` of the file at `path` to `value`, creating the file and the section when needed. Every other
// byte of the file is kept. The file is replaced atomically under a lock on its folder shared with other writers, so a
// crash never leaves it half written and concurrent writers of different keys keep both. A symbolic link is written
// through to its file. Refuses (returns false, file unchanged) what isWritableEntry refuses, a file that is read-only
// and a path that is a folder; platform::lastFileFailure() then says why.
bool writeValue(const std::string& path, std::string_view section, std::string_view key, std::string_view value);

} // namespace oruvel::platform::ini
