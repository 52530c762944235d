// How each setting reaches the monitor, whoever changed it.
#include "app/gadget.h"
#include "core/settings.h"
#include "core/start_with_login_port.h"
#include "monitor/monitor_window.h"
#include "tray/tray_icon.h"

#include <algorithm>

namespace oruvel::app {

using core::WindowMode;
namespace keys = core::keys;

namespace {

bool isAppearanceKey(const core::SettingKey& key) {
    const auto in = [&key](const auto& keys) { return std::find(keys.begin(), keys.end(), &key) != keys.end(); };
    return &key == &keys::barBorder || &key == &keys::roundCorners || in(core::kReadFillKeys) ||
           in(core::kWriteFillKeys) ||
           std::any_of(core::kColourRoleKeys.begin(), core::kColourRoleKeys.end(),
                       [&key](const core::ColourRoleKey& c) { return c.key == &key; });
}

} // namespace

monitor::MonitorLook Gadget::look() const {
    monitor::MonitorLook look;
    for (const core::ColourRoleKey& c : core::kColourRoleKeys) {
        look.colours[core::indexOf(c.role)] = settings_.number(*c.key);
    }
    look.barBorder = settings_.number(keys::barBorder) == 1;
    look.roundCorners = settings_.number(keys::roundCorners) == 1;
    look.fills = {settings_.fillMode(core::Bar::Read), settings_.fillMode(core::Bar::Write)};
    look.windowMode = settings_.windowMode();
    look.translucentOpacity = settings_.number(keys::translucentOpacity);
    look.ghostOpacity = settings_.number(keys::ghostOpacity);
    const int onTop = settings_.number(keys::alwaysOnTop);
    look.alwaysOnTop = onTop == 0 || onTop == 1 ? std::optional<bool>(onTop == 1) : std::nullopt;
    // Nothing shows the monitor before the show setting has been applied, so a hidden one never flashes.
    look.shown = visibilityApplied_ && settings_.number(keys::showMonitor) != 0;
    return look;
}

void Gadget::onSettingChanged(const core::SettingKey& key) {
    if (exiting_) {
        return;
    }
    if (&key == &keys::alwaysOnTop) {
        applyAlwaysOnTop();
    } else if (&key == &keys::compactMode) {
        applyCompactLayout();
    } else if (&key == &keys::showMonitor) {
        applyMonitorVisibility();
    } else if (&key == &keys::translucentOpacity) {
        applyOpacity(WindowMode::Translucent);
    } else if (&key == &keys::ghostOpacity) {
        applyOpacity(WindowMode::Ghost);
    } else if (&key == &keys::startWithLogin) {
        if (services_.startWithLogin != nullptr) {
            services_.startWithLogin->apply(settings_.number(key) == 1);
        }
    } else if (&key == &keys::diskInstance) {
        sampler_.switchInstance(settings_.text(key));
        tray_->setToolTip(trayToolTip());
    } else if (std::find(core::kWindowModeKeys.begin(), core::kWindowModeKeys.end(), &key) !=
               core::kWindowModeKeys.end()) {
        // The buttons of a group change together; the mode is applied once, when it is a new one.
        if (appliedWindowMode_ != settings_.windowMode()) {
            appliedWindowMode_ = settings_.windowMode();
            applyWindowMode();
        }
    } else if (isAppearanceKey(key)) {
        applyAppearance();
    }
}

void Gadget::applyAppearance() {
    monitor_->setLook(look());
    monitor_->applyAppearance();
}

void Gadget::applyAlwaysOnTop() {
    monitor_->setLook(look());
    monitor_->applyAlwaysOnTop();
}

void Gadget::applyCompactLayout() {
    const int compact = settings_.number(keys::compactMode);
    if (compact == 0 || compact == 1) {
        monitor_->applyLayout(monitor::optionLayout(compact == 1));
    }
    applyAppearance();
}

// A hidden monitor goes back to the normal mode and leaves the top; the settings window greys what no longer means
// anything.
void Gadget::applyMonitorVisibility() {
    monitor_->setLook(look());
    const int shown = settings_.number(keys::showMonitor);
    if (shown == 0) {
        if (settings_.windowMode() != WindowMode::Normal) {
            settings_.setWindowMode(WindowMode::Normal);
        }
        if (settings_.number(keys::alwaysOnTop) != 0) {
            settings_.setNumber(keys::alwaysOnTop, 0);
        }
        monitor_->hide();
    } else if (shown == 1) {
        monitor_->show();
    }
    visibilityApplied_ = true;
    monitor_->setLook(look());
    keepReachable();
}

void Gadget::applyWindowMode() {
    const std::optional<WindowMode> mode = settings_.windowMode();
    if (!mode) {
        return;
    }
    applyAppearance();
    if (mode == WindowMode::Translucent || mode == WindowMode::Ghost) {
        applyOpacity(*mode);
    } else if (mode == WindowMode::Normal) {
        monitor_->enterNormalMode();
    }
    applyMonitorVisibility();
}

void Gadget::applyOpacity(WindowMode mode) {
    if (settings_.windowMode() != mode) {
        return; // stored for when the mode is chosen
    }
    monitor_->setLook(look());
    if (mode == WindowMode::Translucent) {
        monitor_->applyTranslucentOpacity();
    } else {
        monitor_->enterGhostMode();
    }
}

} // namespace oruvel::app
