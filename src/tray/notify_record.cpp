#include "tray/notify_record.h"

namespace oruvel::tray {

std::string cutCharacters(const std::string& text, std::size_t chars) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0U) != 0x80U) {
            if (count == chars) {
                return text.substr(0, i);
            }
            ++count;
        }
    }
    return text;
}

void NotifyRecord::setTip(const std::string& text) { szTip = cutCharacters(text.substr(0, text.find('\0')), kTipChars); }
void NotifyRecord::setInfo(const std::string& text) { szInfo = cutCharacters(text, kInfoChars); }
void NotifyRecord::setInfoTitle(const std::string& text) { szInfoTitle = cutCharacters(text, kInfoTitleChars); }

} // namespace oruvel::tray
