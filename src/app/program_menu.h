#pragma once

#include "platform/disk_list.h"

#include <QObject>
#include <QPoint>

#include <string>

class QMenu;

namespace oruvel::core {
class Settings;
}

namespace oruvel::app {

// The program's menu, opened from the tray icon and the monitor. Its toggles and the disk it samples change the
// settings; the other commands are signals. A command runs once the menu has closed, so it may open windows or end
// the program.
class ProgramMenu : public QObject {
    Q_OBJECT
public:
    ProgramMenu(core::Settings& settings, platform::DiskLister listDisks, std::string decimalPoint);
    ~ProgramMenu() override;

    QMenu* menu() const { return menu_; }
    QMenu* diskMenu() const { return diskMenu_; }
    // Pops the menu up at a screen position; returns when it is closed.
    void popUp(const QPoint& globalPos);

signals:
    void showSettingsRequested();
    void diskActivityRequested();
    void resetPositionsRequested();
    void exitRequested();

private:
    // The disk menu, built anew each time it opens so that disks plugged in since show up.
    void populateDiskMenu();

    core::Settings& settings_;
    platform::DiskLister listDisks_;
    std::string decimalPoint_;
    QMenu* menu_;
    QMenu* diskMenu_ = nullptr;
};

} // namespace oruvel::app
