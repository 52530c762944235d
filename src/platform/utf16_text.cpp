#include "platform/utf16_text.h"

#include <cstdint>

namespace oruvel::platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

std::uint16_t unitAt(std::string_view bytes, std::size_t i, ByteOrder order) {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<std::uint16_t>(order == ByteOrder::Little ? (b << 8U) | a : (a << 8U) | b);
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6U));
        out += static_cast<char>(0x80 | (c & 0x3FU));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12U));
        out += static_cast<char>(0x80 | ((c >> 6U) & 0x3FU));
        out += static_cast<char>(0x80 | (c & 0x3FU));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18U));
        out += static_cast<char>(0x80 | ((c >> 12U) & 0x3FU));
        out += static_cast<char>(0x80 | ((c >> 6U) & 0x3FU));
        out += static_cast<char>(0x80 | (c & 0x3FU));
    }
}

void appendUnit(std::string& out, std::uint16_t unit, ByteOrder order) {
    const auto high = static_cast<char>(unit >> 8U);
    const auto low = static_cast<char>(unit & 0xFFU);
    out += order == ByteOrder::Little ? low : high;
    out += order == ByteOrder::Little ? high : low;
}

// The code point of the UTF-8 sequence at `text[i]` and its length; a broken sequence reads as one U+FFFD byte.
std::pair<char32_t, std::size_t> decodeAt(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80            ? 1
                               : (lead >> 5U) == 0x6  ? 2
                               : (lead >> 4U) == 0xE  ? 3
                               : (lead >> 3U) == 0x1E ? 4
                                                      : 0;
    if (length == 0 || i + length > text.size()) {
        return {kReplacement, 1};
    }
    char32_t c = length == 1 ? lead : lead & (0x7FU >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0U) != 0x80U) {
            return {kReplacement, 1};
        }
        c = (c << 6U) | (next & 0x3FU);
    }
    return {c > 0x10FFFF ? kReplacement : c, length};
}

} // namespace

std::string utf8FromUtf16(std::string_view bytes, ByteOrder order) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const std::uint16_t unit = unitAt(bytes, i, order);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            const std::uint16_t next = unitAt(bytes, i + 2, order);
            if (next >= 0xDC00 && next < 0xE000) {
                appendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10U) + (next - 0xDC00));
                i += 2;
                continue;
            }
        }
        appendUtf8(out, unit);
    }
    return out;
}

std::string utf16FromUtf8(std::string_view text, ByteOrder order) {
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size();) {
        const auto [c, length] = decodeAt(text, i);
        i += length;
        if (c >= 0x10000) {
            appendUnit(out, static_cast<std::uint16_t>(0xD800 + ((c - 0x10000) >> 10U)), order);
            appendUnit(out, static_cast<std::uint16_t>(0xDC00 + ((c - 0x10000) & 0x3FFU)), order);
        } else {
            appendUnit(out, static_cast<std::uint16_t>(c), order);
        }
    }
    return out;
}

} // namespace oruvel::platform
