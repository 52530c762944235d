#include "monitor/button_state_logic.h"

namespace oruvel::monitor {

ButtonLook buttonLook(const ButtonCondition& c) {
    const ButtonPicture down = c.hasDownPicture ? ButtonPicture::DownPicture : ButtonPicture::Picture;
    if (!c.enabled) {
        return {4, c.hasDisabledPicture ? ButtonPicture::DisabledPicture : ButtonPicture::Picture};
    }
    if (!c.hot || c.pushed) {
        if (c.value || c.pushed) {
            return {3, down};
        }
        if (c.focused || c.isDefault) {
            return {5, ButtonPicture::Picture};
        }
        return {1, ButtonPicture::Picture};
    }
    return {2, c.value ? down : ButtonPicture::Picture};
}

} // namespace oruvel::monitor
