#pragma once

#include "core/colour.h"

#include <QString>

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
        QString initialFile;
        bool mustExist = false;
    };
    struct ColourRequest {
        QWidget* owner = nullptr;
        QString title;
        core::Colour initial = 0; // RGB
        bool fullOpen = true;     // the custom colour part is open from the start
    };
    // The chosen file, or nullopt when cancelled.
    virtual std::optional<QString> openFile(const OpenRequest& request) = 0;
    // The chosen colour (RGB), or nullopt when cancelled.
    virtual std::optional<core::Colour> chooseColour(const ColourRequest& request) = 0;
};

// Qt's file and colour dialogs.
DialogBackend& qtDialogBackend();

} // namespace oruvel::settings_ui
