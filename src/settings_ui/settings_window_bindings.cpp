// Each control of the settings window bound to its key: how the key's value shows in the control, and how a change
// the user makes (with the mouse or the keyboard) reaches the settings.
#include "core/settings.h"
#include "look/system_palette.h"
#include "settings_ui/full_scale_edit.h"
#include "settings_ui/setting_widgets.h"
#include "settings_ui/settings_window.h"
#include "ui_settings_window.h"

#include <QSignalBlocker>

namespace oruvel::settings_ui {

using core::Bar;
using core::ColourRole;
using core::Key;
using core::WindowMode;

void SettingsWindow::bindControls() {
    bindBox(ui_->showMonitorCheckBox, Key::ShowMonitor);
    bindBox(ui_->startWithLoginCheckBox, Key::StartWithLogin);
    bindBox(ui_->compactModeCheckBox, Key::CompactMode);
    bindBox(ui_->alwaysOnTopCheckBox, Key::AlwaysOnTop);
    bindBox(ui_->roundCornersCheckBox, Key::RoundCorners);
    bindBox(ui_->barBorderCheckBox, Key::BarBorder);
    bindBox(ui_->hideBarTextCheckBox, Key::HideBarText);
    bindBox(ui_->disableBarFillCheckBox, Key::DisableBarFill);

    bindColour(ui_->readBackgroundSwatch, ColourRole::ReadBackground);
    bindColour(ui_->readTextSwatch, ColourRole::ReadText);
    bindColour(ui_->readFillSwatch, ColourRole::ReadFill);
    bindColour(ui_->readFillTextSwatch, ColourRole::ReadFillText);
    bindColour(ui_->writeBackgroundSwatch, ColourRole::WriteBackground);
    bindColour(ui_->writeTextSwatch, ColourRole::WriteText);
    bindColour(ui_->writeFillSwatch, ColourRole::WriteFill);
    bindColour(ui_->writeFillTextSwatch, ColourRole::WriteFillText);

    bindFillMode(ui_->readFillColourRadioButton, Bar::Read, core::FillMode::Colour);
    bindFillMode(ui_->readFillPictureRadioButton, Bar::Read, core::FillMode::Picture);
    bindFillMode(ui_->writeFillColourRadioButton, Bar::Write, core::FillMode::Colour);
    bindFillMode(ui_->writeFillPictureRadioButton, Bar::Write, core::FillMode::Picture);
    for (const Bar bar : core::kBars) {
        const Key path = core::fillPicturePathKey(bar);
        bind(path, [this, bar, path] {
            fillPicturePaths_[core::indexOf(bar)] = QString::fromStdString(settings_.text(path));
        });
    }

    bindWindowMode(ui_->normalModeRadioButton, WindowMode::Normal);
    bindWindowMode(ui_->blendModeRadioButton, WindowMode::BlendIntoDesktop);
    bindWindowMode(ui_->translucentModeRadioButton, WindowMode::Translucent);
    bindWindowMode(ui_->ghostModeRadioButton, WindowMode::Ghost);
    bindLevel(ui_->translucentOpacityScrollBar, ui_->translucentLevelLabel, Key::TranslucentOpacity);
    bindLevel(ui_->ghostOpacityScrollBar, ui_->ghostLevelLabel, Key::GhostOpacity);

    bindFullScale(ui_->readFullScaleEdit, Key::ReadFullScale);
    bindFullScale(ui_->writeFullScaleEdit, Key::WriteFullScale);

    // Which controls mean something follows the show box and the window mode.
    for (const Key key : core::kWindowModeKeys) {
        bind(key, [this] { updateEnabledControls(); });
    }
    bind(Key::ShowMonitor, [this] { updateEnabledControls(); });
}

void SettingsWindow::bind(Key key, std::function<void()> show) {
    show();
    bindings_.push_back({key, std::move(show)});
}

// A click (the mouse, or the space bar) moves the box between clear and ticked; a greyed box only comes from the file.
void SettingsWindow::bindBox(SettingCheckBox* box, Key key) {
    connect(box, &QAbstractButton::clicked, this, [this, box, key] { settings_.setNumber(key, box->value()); });
    bind(key, [this, box, key] {
        const QSignalBlocker quiet(box);
        box->setValue(settings_.number(key));
    });
}

void SettingsWindow::bindLevel(QScrollBar* bar, QLabel* caption, Key key) {
    connect(bar, &QScrollBar::valueChanged, this, [this, key](int value) { settings_.setNumber(key, value); });
    bind(key, [this, bar, caption, key] {
        const int level = settings_.number(key);
        const QSignalBlocker quiet(bar);
        bar->setValue(level);
        caption->setText(QStringLiteral("透明度级别: ") + QString::number(level));
    });
}

void SettingsWindow::bindColour(ColourSwatch* swatch, ColourRole role) {
    connect(swatch, &ColourSwatch::clicked, this, [this, role] { chooseColour(role); });
    const Key key = core::colourKey(role);
    bind(key, [this, swatch, key] {
        swatch->setColour(look::toQColor(settings_.number(key), palette().color(QPalette::Window)));
    });
}

// The text counts from each change; it is also stored at every key released in the box, so the file holds what the
// box shows (a stored 0 that shows as 25 is written as 25 then).
void SettingsWindow::bindFullScale(FullScaleEdit* edit, Key key) {
    connect(edit, &QLineEdit::textEdited, this,
            [this, key](const QString& text) { settings_.setText(key, text.toStdString()); });
    connect(edit, &FullScaleEdit::keyReleased, this, [this, key] { settings_.store(key); });
    bind(key, [this, edit, key] {
        const QString text = QString::fromStdString(settings_.text(key));
        if (edit->text() != text) {
            edit->setText(text);
        }
    });
}

void SettingsWindow::bindWindowMode(SettingRadioButton* button, WindowMode mode) {
    connect(button, &QAbstractButton::clicked, this, [this, mode] { settings_.setWindowMode(mode); });
    const Key key = core::windowModeKey(mode);
    bind(key, [this, button, key] { button->setSelected(settings_.option(key)); });
}

void SettingsWindow::bindFillMode(SettingRadioButton* button, Bar bar, core::FillMode mode) {
    connect(button, &QAbstractButton::clicked, this, [this, bar, mode] { settings_.setFillMode(bar, mode); });
    const Key key = core::fillKeysOf(bar)[mode == core::FillMode::Colour ? 0 : 1];
    bind(key, [this, button, key] { button->setSelected(settings_.option(key)); });
}

} // namespace oruvel::settings_ui
