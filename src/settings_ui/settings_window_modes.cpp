// The four window modes and the two opacity levels.
#include "core/program.h"
#include "core/value_conversion.h"
#include "monitor/monitor_window.h"
#include "settings_ui/setting_widgets.h"
#include "settings_ui/settings_window.h"

#include <QLabel>
#include <QScrollBar>

namespace oruvel::settings_ui {
namespace {

QString levelCaption(int level) {
    return QStringLiteral("透明度级别: ") + QString::number(level);
}

} // namespace

using core::WindowMode;

void SettingsWindow::applyWindowMode(WindowMode mode) {
    translucentLevelLabel->setEnabled(mode == WindowMode::Translucent);
    translucentOpacityScrollBar->setEnabled(mode == WindowMode::Translucent);
    ghostLevelLabel->setEnabled(mode == WindowMode::Ghost);
    ghostOpacityScrollBar->setEnabled(mode == WindowMode::Ghost);
    if (monitor::MonitorWindow* m = monitor()) {
        m->applyAppearance();
    }
    if (mode == WindowMode::Translucent || mode == WindowMode::Ghost) {
        applyOpacity(mode);
    } else if (mode == WindowMode::Normal) {
        if (monitor::MonitorWindow* m = monitor()) {
            m->enterNormalMode();
        }
    }
    applyMonitorVisibility();
    const auto selected = [this](WindowMode m) { return core::booleanText(windowModeRadioButton(m)->isChecked()); };
    store(core::keys::translucentMode, selected(WindowMode::Translucent));
    store(core::keys::ghostMode, selected(WindowMode::Ghost));
    store(core::keys::blendMode, selected(WindowMode::BlendIntoDesktop));
    store(core::keys::normalMode, selected(WindowMode::Normal));
}

void SettingsWindow::applyOpacity(WindowMode mode) {
    const int value = opacity(mode);
    if (mode == WindowMode::Translucent) {
        store(core::keys::translucentOpacity, std::to_string(value));
        if (windowModeRadioButton(WindowMode::Translucent)->isChecked()) {
            if (monitor::MonitorWindow* m = monitor()) {
                m->setClickThrough(false);
                m->setOpacity(static_cast<std::uint8_t>(value & 0xFF));
            }
        }
        translucentLevelLabel->setText(levelCaption(value));
    } else if (mode == WindowMode::Ghost) {
        store(core::keys::ghostOpacity, std::to_string(value));
        if (windowModeRadioButton(WindowMode::Ghost)->isChecked()) {
            if (monitor::MonitorWindow* m = monitor()) {
                m->enterGhostMode();
            }
        }
        ghostLevelLabel->setText(levelCaption(value));
    }
}

} // namespace oruvel::settings_ui
