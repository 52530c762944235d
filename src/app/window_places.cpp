#include "app/window_places.h"

#include "core/twips.h"
#include "core/value_conversion.h"
#include "platform/file_ops.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace oruvel::app {
namespace {

// The largest hive file read: a real one holds a few hundred bytes.
constexpr qint64 kMaxHiveBytes = qint64{1024} * 1024;

const std::array<QString, 4> kValueNames{QStringLiteral("FrmMain_x"), QStringLiteral("FrmMain_y"),
                                         QStringLiteral("FrmMonitor_x"), QStringLiteral("FrmMonitor_y")};

// A field of the hive's line format, with its %XX escapes undone.
QByteArray unescaped(const QByteArray& field) {
    return QByteArray::fromPercentEncoding(field);
}

} // namespace

WindowPlaces::WindowPlaces(std::unique_ptr<QSettings> store) : store_(std::move(store)) {}

std::unique_ptr<QSettings> WindowPlaces::openUserStore([[maybe_unused]] const std::string& configFolder) {
#ifdef _WIN32
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quorlane"),
                                       QStringLiteral("Oruvel"));
#else
    // The folder found as the settings file's is (HOME unset, relative XDG values), not the one Qt would guess.
    const std::string path = configFolder.empty() ? std::string() : configFolder + "/Quorlane/Oruvel.conf";
    if (path.empty() || (platform::pathExists(path) && !platform::isRegularFile(path))) {
        // Nowhere to keep places, or something there that is no file (a named pipe would never answer a read): a
        // store that keeps them for this run only. Nothing can exist below /dev/null, so nothing is read or written.
        return std::make_unique<QSettings>(QStringLiteral("/dev/null/Oruvel.conf"), QSettings::NativeFormat);
    }
    return std::make_unique<QSettings>(QFile::decodeName(QByteArray::fromStdString(path)), QSettings::NativeFormat);
#endif
}

void WindowPlaces::save(const QString& name, const QPoint& topLeft) {
    store_->setValue(name + QStringLiteral("_x"), QString::number(core::pixelsToTwips(topLeft.y())));
    store_->setValue(name + QStringLiteral("_y"), QString::number(core::pixelsToTwips(topLeft.x())));
    store_->sync();
}

std::optional<QPoint> WindowPlaces::place(const QString& name) const {
    const QString x = store_->value(name + QStringLiteral("_x")).toString();
    const QString y = store_->value(name + QStringLiteral("_y")).toString();
    if (x.isEmpty() && y.isEmpty()) {
        return std::nullopt;
    }
    const int top = core::toInt32(x.toStdString()).value_or(0);
    const int left = core::toInt32(y.toStdString()).value_or(0);
    return QPoint(core::twipsToPixels(left), core::twipsToPixels(top));
}

void WindowPlaces::forget() {
    for (const QString& value : kValueNames) {
        store_->remove(value);
    }
    store_->sync();
}

void WindowPlaces::saveFrame(const QString& name, const QRect& frame) {
    for (const auto& [suffix, pixels] : {std::pair{"_left", frame.left()}, std::pair{"_top", frame.top()},
                                         std::pair{"_width", frame.width()}, std::pair{"_height", frame.height()}}) {
        store_->setValue(name + QLatin1String(suffix), QString::number(core::pixelsToTwips(pixels)));
    }
    store_->sync();
}

std::optional<QRect> WindowPlaces::frame(const QString& name) const {
    std::array<int, 4> values{};
    const std::array<const char*, 4> suffixes{"_left", "_top", "_width", "_height"};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto twips = core::toInt32(store_->value(name + QLatin1String(suffixes[i])).toString().toStdString());
        if (!twips) {
            return std::nullopt;
        }
        values[i] = core::twipsToPixels(*twips);
    }
    if (values[2] <= 0 || values[3] <= 0) {
        return std::nullopt;
    }
    return QRect(values[0], values[1], values[2], values[3]);
}

bool WindowPlaces::importHive(const QString& hivePath) {
    QFile hive(hivePath);
    // Only a regular file: a named pipe would never answer the read.
    if (!QFileInfo(hivePath).isFile() || std::any_of(kValueNames.begin(), kValueNames.end(),
                                                     [this](const QString& name) { return store_->contains(name); })) {
        return false;
    }
    if (hive.size() > kMaxHiveBytes || !hive.open(QIODevice::ReadOnly)) {
        return false;
    }
    // "K <key path>" starts a key; "V <name> <type> <hex bytes>" is a value of the last key; type 1 is text.
    bool inProductKey = false;
    bool found = false;
    for (const QByteArray& rawLine : hive.readAll().split('\n')) {
        const QList<QByteArray> fields = rawLine.trimmed().split(' ');
        if (fields.value(0) == "K") {
            inProductKey = unescaped(fields.value(1)).compare("Software\\Quorlane\\Oruvel", Qt::CaseInsensitive) == 0;
        } else if (fields.value(0) == "V" && inProductKey && fields.size() >= 4 && fields[2] == "1") {
            const QString name = QString::fromLatin1(unescaped(fields[1]));
            const auto* const known = std::find_if(kValueNames.begin(), kValueNames.end(), [&](const QString& v) {
                return v.compare(name, Qt::CaseInsensitive) == 0;
            });
            if (known != kValueNames.end()) {
                QByteArray text = QByteArray::fromHex(fields[3]);
                text.truncate(text.indexOf('\0') < 0 ? text.size() : text.indexOf('\0'));
                store_->setValue(*known, QString::fromUtf8(text));
                found = true;
            }
        }
    }
    hive.close();
    store_->sync();
    if (found && store_->status() == QSettings::NoError) {
        hive.rename(hivePath + QStringLiteral(".imported"));
    }
    return found;
}

QPoint placeOnScreen(const QRect& frame, const QList<QRect>& areas) {
    if (areas.isEmpty() || std::any_of(areas.begin(), areas.end(), [&](const QRect& a) { return a.contains(frame); })) {
        return frame.topLeft();
    }
    const auto overlap = [&frame](const QRect& a) {
        const QRect common = a.intersected(frame);
        return static_cast<qint64>(common.width()) * common.height();
    };
    const auto distance = [&frame](const QRect& a) {
        const QPoint c = frame.center();
        const int dx = std::max({a.left() - c.x(), 0, c.x() - a.right()});
        const int dy = std::max({a.top() - c.y(), 0, c.y() - a.bottom()});
        return static_cast<qint64>(dx) * dx + static_cast<qint64>(dy) * dy;
    };
    const QRect area = *std::min_element(areas.begin(), areas.end(), [&](const QRect& a, const QRect& b) {
        return overlap(a) != overlap(b) ? overlap(a) > overlap(b) : distance(a) < distance(b);
    });
    const int x = std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
    const int y = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
    return {x, y};
}

} // namespace oruvel::app
