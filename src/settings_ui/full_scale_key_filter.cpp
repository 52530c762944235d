#include "settings_ui/full_scale_key_filter.h"

namespace oruvel::settings_ui {

int fieldCount(std::string_view text, std::string_view separator) {
    const std::string_view sep = separator.empty() ? std::string_view(" ") : separator;
    int count = 1;
    for (std::size_t pos = text.find(sep); pos != std::string_view::npos; pos = text.find(sep, pos + sep.size())) {
        ++count;
    }
    return count;
}

int filterRateKey(std::string_view text, int code) {
    const int fields = fieldCount(text, ".");
    int c = code;
    if (fields > 4) {
        c = 0;
    }
    if (fields == 4 && c == '.') {
        c = 0;
    }
    if (c != 23 && c != 8 && c != 3 && c != 24 && (c < '0' || c > '9')) {
        c = 0;
    }
    return c;
}

} // namespace oruvel::settings_ui
