#pragma once

#include <string>
#include <string_view>

namespace oruvel::platform {

inline bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

inline std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

inline char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

inline std::string toLowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        c = asciiLower(c);
    }
    return out;
}

// Cuts `s` to at most `maxBytes` without splitting a UTF-8 sequence.
inline std::string_view cutUtf8(std::string_view s, std::size_t maxBytes) {
    if (s.size() <= maxBytes) {
        return s;
    }
    std::size_t n = maxBytes;
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0U) == 0x80U) {
        --n;
    }
    return s.substr(0, n);
}

} // namespace oruvel::platform
