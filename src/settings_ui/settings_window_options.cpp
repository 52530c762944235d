// Bar and window options, and the colour scheme's apply-and-store routines.
#include "core/program.h"
#include "core/start_with_login_port.h"
#include "core/value_conversion.h"
#include "monitor/monitor_layout.h"
#include "monitor/monitor_window.h"
#include "settings_ui/colour_roles.h"
#include "settings_ui/setting_widgets.h"
#include "settings_ui/settings_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>

namespace oruvel::settings_ui {
namespace {

std::string boxText(const SettingCheckBox* box) {
    return std::to_string(box->value());
}

} // namespace

void SettingsWindow::onAlwaysOnTopToggled() {
    store(core::keys::alwaysOnTop, boxText(alwaysOnTopCheckBox));
    if (monitor::MonitorWindow* m = monitor()) {
        m->applyAlwaysOnTop();
    }
}

void SettingsWindow::onRoundCornersToggled() {
    store(core::keys::roundCorners, boxText(roundCornersCheckBox));
    applyAppearance();
}

void SettingsWindow::onDisableBarFillClicked() {
    store(core::keys::disableBarFill, boxText(disableBarFillCheckBox));
}

void SettingsWindow::onHideBarTextClicked() {
    store(core::keys::hideBarText, boxText(hideBarTextCheckBox));
}

void SettingsWindow::onStartWithLoginClicked() {
    const int value = startWithLoginCheckBox->value();
    if (startWithLogin_ != nullptr) {
        startWithLogin_->apply(value == 1);
    }
    store(core::keys::startWithLogin, std::to_string(value));
}

void SettingsWindow::onBarBorderClicked() {
    applyAppearance();
}

void SettingsWindow::onFillModeClicked() {
    applyAppearance();
}

void SettingsWindow::applyCompactMode() {
    const int value = compactModeCheckBox->value();
    store(core::keys::compactMode, std::to_string(value));
    if (value == 0 || value == 1) {
        if (monitor::MonitorWindow* m = monitor()) {
            m->applyLayout(monitor::optionLayout(value == 1));
        }
    }
    applyAppearance();
}

void SettingsWindow::setAppearanceControlsEnabled(bool enabled, bool includeOpacity) {
    std::vector<QWidget*> controls{coloursGroupBox, windowModeGroupBox};
    for (QLabel* label : colourLabels) {
        controls.push_back(label);
    }
    for (ColourSwatch* swatch : colourSwatches) {
        controls.push_back(swatch);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{
             defaultColoursButton, randomColoursButton, resetPositionsButton, roundCornersCheckBox, barBorderCheckBox,
             hideBarTextCheckBox, readFillColourRadioButton, readFillPictureRadioButton, writeFillColourRadioButton,
             writeFillPictureRadioButton, alwaysOnTopCheckBox, readFillPictureButton, writeFillPictureButton}) {
        controls.push_back(w);
    }
    for (SettingRadioButton* mode : windowModeRadioButtons) {
        controls.push_back(mode);
    }
    // The opacity controls are left out when enabling: their state belongs to the window mode.
    if (includeOpacity) {
        for (QWidget* w : std::initializer_list<QWidget*>{translucentLevelLabel, ghostLevelLabel,
                                                          translucentOpacityScrollBar, ghostOpacityScrollBar}) {
            controls.push_back(w);
        }
    }
    for (QWidget* w : controls) {
        w->setEnabled(enabled);
    }
}

void SettingsWindow::applyMonitorVisibility() {
    const int value = showMonitorCheckBox->value();
    store(core::keys::showMonitor, std::to_string(value));
    if (value == 0) {
        windowModeRadioButton(core::WindowMode::Normal)->setSelected(true);
        alwaysOnTopCheckBox->setValue(0);
        setAppearanceControlsEnabled(false, true);
        if (monitor::MonitorWindow* m = monitor()) {
            m->hide();
        }
    } else if (value == 1) {
        setAppearanceControlsEnabled(true, false);
        if (monitor::MonitorWindow* m = monitor()) {
            m->show();
        }
    }
    monitorVisibilityApplied_ = true;
}

void SettingsWindow::applyAppearance() {
    if (monitor::MonitorWindow* m = monitor()) {
        m->applyAppearance();
    }
    applyMonitorVisibility();
    saveAppearance();
}

void SettingsWindow::saveAppearance() {
    for (const ColourRoleKey& c : kColourRoleKeys) {
        store(*c.key, std::to_string(colour(c.role)));
    }
    store(core::keys::barBorder, boxText(barBorderCheckBox));
    store(core::keys::readFillUsesColour, core::booleanText(readFillColourRadioButton->isChecked()));
    store(core::keys::readFillUsesPicture, core::booleanText(readFillPictureRadioButton->isChecked()));
    store(core::keys::writeFillUsesColour, core::booleanText(writeFillColourRadioButton->isChecked()));
    store(core::keys::writeFillUsesPicture, core::booleanText(writeFillPictureRadioButton->isChecked()));
}

void SettingsWindow::restoreDefaultColours() {
    readFillPictureRadioButton->setSelected(true);
    for (const ColourRoleKey& c : kColourRoleKeys) {
        colourSwatch(c.role)->setColour(core::toInt32(c.key->defaultText).value_or(0));
    }
    applyAppearance();
}

void SettingsWindow::randomizeColours() {
    readFillColourRadioButton->setSelected(true);
    writeFillColourRadioButton->setSelected(true);
    QRandomGenerator* random = QRandomGenerator::global();
    for (ColourSwatch* swatch : colourSwatches) {
        const int red = random->bounded(256);
        const int green = random->bounded(256);
        const int blue = random->bounded(256);
        swatch->setColour(core::makeColour(red, green, blue));
    }
    applyAppearance();
}

} // namespace oruvel::settings_ui
