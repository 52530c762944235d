#pragma once

#include "core/appearance.h"
#include "core/settings_keys.h"

#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QScrollBar;

namespace Ui { // NOLINT(readability-identifier-naming): the namespace Qt gives generated forms
class SettingsWindow;
}

namespace oruvel::core {
class Settings;
}

namespace oruvel::settings_ui {

class ColourSwatch;
class DialogBackend;
class FullScaleEdit;
class SettingCheckBox;
class SettingRadioButton;

// The settings window: a view of the settings. Each control shows its key's value and a change the user makes in it
// goes to the settings at once; changes made elsewhere show up in the controls. Closing it only hides it.
class SettingsWindow : public QWidget {
    Q_OBJECT
public:
    explicit SettingsWindow(core::Settings& settings, QWidget* parent = nullptr);
    ~SettingsWindow() override;

    // The dialogs the window opens (Qt's own unless replaced).
    void setDialogBackend(DialogBackend* dialogs) { dialogs_ = dialogs; }
    // Reads a picture file for a bar's fill; nullopt when it does not load as a picture.
    using PictureLoader = std::function<std::optional<QImage>(const QString&)>;
    void setPictureLoader(PictureLoader loader) { loadPicture_ = std::move(loader); }
    // The folder of the shipped fill pictures, where the picture dialog first opens.
    void setPicturesFolder(const QString& folder) { picturesFolder_ = folder; }
    // The nine tray pictures shown as the legend, in the legend's order, with what each tells.
    void setTrayLegend(const std::array<QPixmap, 9>& pictures, const std::array<QString, 9>& names);
    // Shows a bar's fill picture in its preview.
    void showFillPicture(core::Bar bar, const QImage& picture);
    // The path the picture dialog of a bar opens on: the last one chosen, else the stored one.
    const QString& fillPicturePath(core::Bar bar) const { return fillPicturePaths_[core::indexOf(bar)]; }

    // Opens a colour dialog for one colour; a chosen colour is stored.
    void chooseColour(core::ColourRole role);
    // Opens a picture dialog for a bar's fill; a picture that loads becomes the bar's fill picture.
    void chooseFillPicture(core::Bar bar);
    void restoreDefaultColours();
    void randomizeColours();

    // Shows the window in front, with the keyboard focus.
    void showInFront();
    // Shows one line about settings that could not be saved across the window's foot; an empty text removes it.
    void showSaveProblem(const QString& text);
    // Says below the form that the picture chosen could not be read (empty: nothing to say).
    void showPictureProblem(const QString& text);
    // Says below the form why the start at login could not be set (empty: nothing to say).
    void showLoginStartProblem(const QString& text);
    // Says beside the window modes, or stops saying, that no compositing manager runs to make the monitor see-through.
    void showNoCompositorNote(bool shown);
    // The caption of the start-at-login box, where the system's own name for it differs from the form's.
    void setStartWithLoginCaption(const QString& caption);

    // Fixed client size, in pixels.
    static constexpr int kClientWidth = 486;
    static constexpr int kClientHeight = 392;
    // The line below the form that tells of settings not saved, while there are.
    static constexpr int kNoteHeight = 24;

signals:
    // A picture file was chosen and loaded as a bar's fill; its path and the picture fill mode are stored.
    void fillPictureChosen(core::Bar bar, const QImage& picture);
    void resetPositionsRequested();
    // The menu key or Shift+F10, at a screen position.
    void menuRequested(QPoint globalPos);
    // The user closed the window (its close button, the window manager, Escape).
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void makeAccessible();
    void bindControls();
    void connectCommands();
    // Registers how the value of `key` is shown, and shows it now.
    void bind(core::Key key, std::function<void()> show);
    void bindBox(SettingCheckBox* box, core::Key key);
    void bindLevel(QScrollBar* bar, QLabel* caption, core::Key key);
    void bindColour(ColourSwatch* swatch, core::ColourRole role);
    void bindFullScale(FullScaleEdit* edit, core::Key key);
    void bindWindowMode(SettingRadioButton* button, core::WindowMode mode);
    void bindFillMode(SettingRadioButton* button, core::Bar bar, core::FillMode mode);
    void onSettingChanged(core::Key key);
    void showFootNote();
    // Greys what the monitor's hidden state and the window mode make meaningless.
    void updateEnabledControls();

    struct Binding {
        core::Key key;
        std::function<void()> show;
    };

    core::Settings& settings_;
    std::unique_ptr<Ui::SettingsWindow> ui_;
    std::vector<Binding> bindings_;
    int listener_ = -1;
    DialogBackend* dialogs_ = nullptr;
    PictureLoader loadPicture_;
    QString picturesFolder_;
    std::array<QString, 2> fillPicturePaths_;
    QLabel* saveProblem_ = nullptr;
    QString saveProblemText_;
    QString pictureProblemText_;
    QString loginStartProblemText_;
    QLabel* noCompositor_ = nullptr;
};

// The program's caption: "Oruvel v" + major.minor.revision.
QString programCaption();

} // namespace oruvel::settings_ui
