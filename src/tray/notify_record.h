#pragma once

#include <cstdint>
#include <string>

namespace oruvel::tray {

// The shell's notify requests.
namespace nim {
inline constexpr int kAdd = 0;
inline constexpr int kModify = 1;
inline constexpr int kDelete = 2;
} // namespace nim

// Which record fields a request carries.
namespace nif {
inline constexpr std::uint32_t kMessage = 0x1;
inline constexpr std::uint32_t kIcon = 0x2;
inline constexpr std::uint32_t kTip = 0x4;
inline constexpr std::uint32_t kInfo = 0x10;
} // namespace nif

using Handle = std::uintptr_t;

// The notify record as the tray control fills it. Text fields keep the shell's limits (the tip holds at most 127
// characters, the balloon text 255, the balloon title 63).
struct NotifyRecord {
    std::uint32_t cbSize = 0;
    Handle hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    Handle hIcon = 0;
    std::string szTip;
    std::uint32_t dwState = 0;
    std::uint32_t dwStateMask = 0;
    std::string szInfo;
    std::uint32_t uTimeout = 0;
    std::string szInfoTitle;
    std::uint32_t dwInfoFlags = 0;

    static constexpr std::uint32_t kSize = 504;
    static constexpr std::uint32_t kCallbackMessage = 0x200;
    static constexpr std::size_t kTipChars = 127;
    static constexpr std::size_t kInfoChars = 255;
    static constexpr std::size_t kInfoTitleChars = 63;

    void setTip(const std::string& text);
    void setInfo(const std::string& text);
    void setInfoTitle(const std::string& text);
};

// Cuts UTF-8 text to at most `chars` characters.
std::string cutCharacters(const std::string& text, std::size_t chars);

} // namespace oruvel::tray
