#pragma once

#include "core/colour.h"

#include <QString>
#include <QStringList>

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
        QStringList nameFilters; // Qt's form: "description (*.a *.b)"
        QString initialFile;
    };
    struct ColourRequest {
        QWidget* owner = nullptr;
        QString title;
        core::Colour initial = 0; // RGB
    };
    // The chosen file, or nullopt when cancelled.
    virtual std::optional<QString> openFile(const OpenRequest& request) = 0;
    // The chosen colour (RGB), or nullopt when cancelled.
    virtual std::optional<core::Colour> chooseColour(const ColourRequest& request) = 0;
};

// Qt's file and colour dialogs.
DialogBackend& qtDialogBackend();

} // namespace oruvel::settings_ui
