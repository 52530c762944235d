#pragma once

#include <string>
#include <string_view>

namespace oruvel::platform {

enum class ByteOrder { Little, Big };

// UTF-16 bytes in `order` as UTF-8. A surrogate without its partner becomes the three bytes that encode it alone, and
// an odd last byte is dropped, so that utf16FromUtf8 gives the same units back.
std::string utf8FromUtf16(std::string_view bytes, ByteOrder order);

// UTF-8 as UTF-16 bytes in `order`. A byte that starts no sequence becomes U+FFFD.
std::string utf16FromUtf8(std::string_view text, ByteOrder order);

} // namespace oruvel::platform
