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

bool acceptsTypedCharacter(std::string_view text, char16_t typed, std::string_view replaced) {
    const int fields = fieldCount(text, ".");
    if (fields > 4) {
        return false;
    }
    if (typed == u'.') {
        return fields - fieldCount(replaced, ".") == 0; // no point left beside the selection
    }
    return typed == kBackspace || (typed >= u'0' && typed <= u'9');
}

} // namespace oruvel::settings_ui
