#include "platform/private_folder.h"

namespace oruvel::platform {

std::string privateRuntimeFolder(std::size_t /*room*/, std::string& why) {
    why.clear();
    return {};
}

} // namespace oruvel::platform
