#pragma once

#include <QImage>
#include <QString>

namespace oruvel::settings_ui {

// What the settings window asks of its tray icon control.
class TrayPort {
public:
    virtual ~TrayPort() = default;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Shows the picture of image control `number` (2 to 10).
    virtual void setIcon(int number, const QImage& picture) = 0;
    virtual void setToolTip(const QString& text) = 0;
    // Whether a notification area exists to show the icon in.
    virtual bool available() const = 0;
};

} // namespace oruvel::settings_ui
