#pragma once

#include <span>
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
// section or the key is missing. A file that starts with a UTF-16 byte order mark is read as UTF-16 (values come back
// as UTF-8); lines end at CR LF, LF or a CR alone. Section and key are matched case-insensitively; the value is
// trimmed, loses one pair of surrounding quotes, ends at a NUL byte and is cut to kMaxValueLength bytes (never inside a
// UTF-8 sequence). Memory use is bounded whatever the file holds.
std::string readValue(const std::string& path, std::string_view section, std::string_view key);

// The value a read gives back for an entry written as `written`: trimmed, one pair of surrounding quotes removed, ended
// at a NUL byte and cut to kMaxValueLength bytes.
std::string valueAsRead(std::string_view written);

// False for names or values that would change the file's structure: CR, LF or NUL anywhere, "=" in a key, "[" or ";"
// starting a key, "[" or "]" in a section, an empty section or key.
bool isWritableEntry(std::string_view section, std::string_view key, std::string_view value);

// True when a value written as `value` reads back exactly as it is: isWritableEntry accepts it and valueAsRead keeps
// it.
bool holdsExactly(std::string_view value);

// One key and its value, for writes of several at once.
struct KeyValue {
    std::string key;
    std::string value;
    bool operator==(const KeyValue&) const = default;
};

// Sets each key in `section` of the file at `path` to its value, in one replace of the file: a key already there is
// changed where it stands, new keys go at the end of the section in the order given (the file and the section are
// created when needed). A key given twice gets its last value. Every other byte of the file is kept, and so are its
// encoding (UTF-8, with or without a byte order mark, or UTF-16 with its mark) and its line ends. The file is replaced
// atomically under a lock on its folder shared with other writers, so a crash never leaves it half written and
// concurrent writers of different keys keep both. A symbolic link is written through to its file. Refuses (returns
// false, file unchanged) what isWritableEntry refuses, a file that exists but cannot be read, a file that is read-only
// or not this user's, and a path that is a folder; platform::lastFileFailure() then says why.
bool writeValues(const std::string& path, std::string_view section, std::span<const KeyValue> entries);

// Removes what writes to the file at `path` left behind when the program was stopped in the middle of one (their
// temporary files), under the lock the writers share.
void removeInterruptedWrites(const std::string& path);

// writeValues for one key.
bool writeValue(const std::string& path, std::string_view section, std::string_view key, std::string_view value);

} // namespace oruvel::platform::ini
