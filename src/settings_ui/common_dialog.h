#pragma once

#include "core/colour.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

class QWidget;

namespace oruvel::settings_ui {

// Puts a dialog in front of the user. Injected so tests can answer dialogs without a person.
class DialogBackend {
public:
    virtual ~DialogBackend() = default;
    struct OpenRequest {
        QWidget* owner = nullptr;
        QString title;
        QString filter; // "description|patterns|..."
        int filterIndex = 1;
        QString initialFile;
        std::uint32_t flags = 0; // the dialog flags (openDialogFlags)
    };
    struct ColourRequest {
        QWidget* owner = nullptr;
        QString title;
        core::Colour initial = 0; // RGB
        std::uint32_t flags = 0;  // the dialog flags (colourDialogFlags)
        std::array<core::Colour, 16>* customColours = nullptr;
    };
    // The chosen file, or nullopt when cancelled.
    virtual std::optional<QString> openFile(const OpenRequest& request) = 0;
    // The chosen colour (RGB), or nullopt when cancelled.
    virtual std::optional<core::Colour> chooseColour(const ColourRequest& request) = 0;
};

// Qt's file and colour dialogs.
DialogBackend& qtDialogBackend();

// Property-style wrapper of the two dialogs: set the properties, call a Show method, read the result back. A
// cancelled file dialog leaves Filename empty; a cancelled colour dialog leaves Color unchanged. Neither raises.
class cCommonDialog {
public:
    explicit cCommonDialog(DialogBackend& backend = qtDialogBackend()) : backend_(backend) {}

    QString DialogTitle;
    QWidget* hWnd = nullptr;
    QString Filter;
    int FilterIndex = 1;
    QString Filename;
    QString FileTitle;
    std::uint32_t flags = 0;
    core::Colour Color = 0;
    bool CancelError = false; // kept and read back only: a cancel never raises

    void ShowOpen();
    void ShowColor();

private:
    DialogBackend& backend_;
    std::array<core::Colour, 16> customColours_{};
};

} // namespace oruvel::settings_ui
