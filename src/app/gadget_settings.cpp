// How each setting reaches the monitor, whoever changed it.
#include "app/gadget.h"
#include "core/login_start_switch.h"
#include "core/settings.h"
#include "monitor/monitor_window.h"
#include "tray/tray_icon.h"

namespace oruvel::app {

using core::BoxState;
using core::Key;

namespace {

// A box that is clear or ticked, as a choice; nullopt while it is greyed.
std::optional<bool> decided(BoxState box) {
    return box == BoxState::Greyed ? std::nullopt : std::optional<bool>(box == BoxState::Ticked);
}

} // namespace

monitor::MonitorLook Gadget::look() const {
    monitor::MonitorLook look;
    for (const core::ColourRoleKey& c : core::kColourRoleKeys) {
        look.colours[core::indexOf(c.role)] = settings_.number(c.key);
    }
    look.barBorder = settings_.box(Key::BarBorder) == BoxState::Ticked;
    look.roundCorners = settings_.box(Key::RoundCorners) == BoxState::Ticked;
    look.fills = {settings_.fillMode(core::Bar::Read), settings_.fillMode(core::Bar::Write)};
    look.windowMode = settings_.windowMode();
    look.translucentOpacity = settings_.number(Key::TranslucentOpacity);
    look.ghostOpacity = settings_.number(Key::GhostOpacity);
    look.alwaysOnTop = decided(settings_.box(Key::AlwaysOnTop));
    look.compact = decided(settings_.box(Key::CompactMode));
    // Nothing shows the monitor before the show setting has been applied, so a hidden one never flashes.
    look.shown = visibilityApplied_ && settings_.box(Key::ShowMonitor) != BoxState::Clear;
    return look;
}

void Gadget::onSettingChanged(Key key) {
    // Each change reaches here once and is applied to its end; applying it never changes a setting.
    Q_ASSERT_X(!applyingChange_, "Gadget::onSettingChanged", "a setting changed while another was applied");
    if (exiting_) {
        return;
    }
    applyingChange_ = true;
    switch (core::rowOf(key).effect) {
    case core::Effect::Look:
        monitor_->setLook(look());
        break;
    case core::Effect::Visibility:
        applyMonitorVisibility();
        break;
    case core::Effect::Sampling:
        sampler_.switchInstance(settings_.text(key));
        tray_->setToolTip(trayToolTip());
        history_.clear(); // the minute kept is the monitor's disk's
        historySince_ = QDateTime::currentDateTime();
        break;
    case core::Effect::StartWithLogin:
        applyLoginStart();
        break;
    case core::Effect::NextTick:
        break;
    case core::Effect::ActivityView:
        if (activityWindow_ != nullptr) {
            activityWindow_->applySetting(key);
        }
        break;
    }
    applyingChange_ = false;
}

// The box asks for the start at login; when the switch cannot do it, the box goes back to what is so and the settings
// window says why. Going back is no request of its own.
void Gadget::applyLoginStart() {
    if (services_.loginStart == nullptr || revertingLoginStart_) {
        return;
    }
    const bool on = settings_.box(Key::StartWithLogin) == BoxState::Ticked;
    services_.loginStart->apply(on, [this, on, alive = alive_](const std::string& failure) {
        if (!*alive || exiting_) {
            return;
        }
        loginStartProblem_ = failure.empty() ? QString()
                                             : QStringLiteral("登录时自动运行未能%1：%2")
                                                   .arg(on ? QStringLiteral("设置") : QStringLiteral("取消"),
                                                        QString::fromStdString(failure));
        if (settingsWindow_ != nullptr) {
            settingsWindow_->showLoginStartProblem(loginStartProblem_);
        }
        if (!failure.empty() && (settings_.box(Key::StartWithLogin) == BoxState::Ticked) == on) {
            revertingLoginStart_ = true;
            settings_.setNumber(Key::StartWithLogin, on ? 0 : 1);
            revertingLoginStart_ = false;
        }
    });
}

// A hidden monitor is taken off the screen; the settings already put it in the normal mode and off the top.
void Gadget::applyMonitorVisibility() {
    visibilityApplied_ = true;
    monitor_->setLook(look());
    const BoxState shown = settings_.box(Key::ShowMonitor);
    if (shown == BoxState::Clear) {
        monitor_->hide();
    } else if (shown == BoxState::Ticked) {
        monitor_->show();
    }
    keepReachable();
}

} // namespace oruvel::app
