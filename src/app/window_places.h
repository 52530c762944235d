#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSettings>
#include <QString>

#include <memory>
#include <optional>
#include <string>

namespace oruvel::app {

// The stored names of the two windows' places.
inline const QString kSettingsWindowPlace = QStringLiteral("FrmMain");
inline const QString kMonitorPlace = QStringLiteral("FrmMonitor");
// The disk-activity window's place and size, under names of its own.
inline const QString kDiskActivityPlace = QStringLiteral("DiskActivity");

// Where the windows were left, kept per user: each window's top edge under NAME_x and its left edge under NAME_y
// (that pairing is what stored data holds), in twips, as text. The store is the user's "Quorlane"/"Oruvel" settings
// in the system's own format: the registry key HKEY_CURRENT_USER\Software\Quorlane\Oruvel on Windows, a file of the
// per-user configuration folder elsewhere; tests give a file of their own.
class WindowPlaces {
public:
    explicit WindowPlaces(std::unique_ptr<QSettings> store);
    // The user's store; elsewhere than on Windows, a file in `configFolder` (see platform::userConfigFolder).
    static std::unique_ptr<QSettings> openUserStore(const std::string& configFolder);

    // A window's top-left corner, in pixels.
    void save(const QString& name, const QPoint& topLeft);
    // nullopt when neither value is stored; a missing or unreadable value counts as 0.
    std::optional<QPoint> place(const QString& name) const;
    // Removes the places of both windows.
    void forget();

    // A window's place and size: NAME_left, NAME_top, NAME_width and NAME_height, in twips. nullopt when any is
    // missing or unreadable, or the size is not positive.
    void saveFrame(const QString& name, const QRect& frame);
    std::optional<QRect> frame(const QString& name) const;

    // Takes the places kept by earlier versions in the hive file at `hivePath` (its key Software\Quorlane\Oruvel),
    // when the store holds none yet; the file is then renamed so that nothing is taken twice. False when there was
    // nothing to take.
    bool importHive(const QString& hivePath);

private:
    std::unique_ptr<QSettings> store_;
};

// Where a window whose frame is `frame` lies wholly on a screen: where it is when it lies inside one of `areas` (the
// screens' available areas), else inside the area it overlaps most, or without any overlap the one nearest to it,
// as near to where it was as fits (a window larger than the area keeps its top-left corner in it).
QPoint placeOnScreen(const QRect& frame, const QList<QRect>& areas);

} // namespace oruvel::app
