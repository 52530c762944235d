#include "monitor/monitor_layout.h"

#include "core/twips.h"

namespace oruvel::monitor {

MonitorLayout loadLayout(bool compact) {
    if (compact) {
        return optionLayout(true);
    }
    MonitorLayout l;
    l.width = kBarWidthTwips + kLoadMarginTwips;
    l.height = 2 * kBarHeightTwips + kLoadMarginTwips;
    l.bar[0] = {0, 0, kBarWidthTwips, kBarHeightTwips};
    l.bar[1] = {0, kWriteBarTopTwips, kBarWidthTwips, kBarHeightTwips};
    return l;
}

MonitorLayout optionLayout(bool compact) {
    MonitorLayout l;
    l.width = kBarWidthTwips;
    if (compact) {
        l.height = kBarHeightTwips;
        l.bar[0] = {0, 0, kCompactBarWidthTwips, kBarHeightTwips};
        l.bar[1] = {kCompactBarWidthTwips, 0, kCompactBarWidthTwips, kBarHeightTwips};
    } else {
        l.height = kNormalHeightTwips;
        l.bar[0] = {0, 0, kBarWidthTwips, kBarHeightTwips};
        l.bar[1] = {0, kWriteBarTopTwips, kBarWidthTwips, kBarHeightTwips};
    }
    return l;
}

TwipPoint defaultPlace(int workAreaRightPixels, int workAreaBottomPixels, int windowWidthTwips, int windowHeightTwips) {
    const int right = core::pixelsToTwips(workAreaRightPixels);
    const int bottom = core::pixelsToTwips(workAreaBottomPixels);
    return {right - 2 * windowWidthTwips, bottom - windowHeightTwips};
}

} // namespace oruvel::monitor
