// Colour swatches, fill pictures, the full-scale boxes and the position reset.
#include "core/program.h"
#include "core/window_position.h"
#include "monitor/monitor_layout.h"
#include "monitor/monitor_window.h"
#include "monitor/system_palette.h"
#include "settings_ui/dialogs.h"
#include "settings_ui/full_scale_edit.h"
#include "settings_ui/setting_widgets.h"
#include "settings_ui/settings_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace oruvel::settings_ui {
namespace {

const QString kPictureFilter = QStringLiteral("图片文件 (*.jpg *.bmp *.gif *.ico)|*.jpg;*.bmp;*.gif;*.ico");
const QString kPictureTitle = QStringLiteral("选择栏填充图形 - 建议154 x 12像素");

} // namespace

using core::Bar;

void SettingsWindow::chooseColour(core::ColourRole role) {
    ColourSwatch* swatch = colourSwatch(role);
    DialogBackend::ColourRequest request;
    request.owner = this;
    request.title = QStringLiteral("选择颜色");
    request.initial = monitor::fromQColor(monitor::toQColor(swatch->colour(), QColor(Qt::black)));
    if (const auto chosen = dialogs_->chooseColour(request)) {
        swatch->setColour(*chosen);
    }
    applyAppearance();
    applyMonitorVisibility();
}

void SettingsWindow::chooseFillPicture(Bar bar) {
    QString& location = fillPicturePaths_[core::indexOf(bar)];
    DialogBackend::OpenRequest request;
    request.owner = this;
    request.title = kPictureTitle;
    request.filter = kPictureFilter;
    request.initialFile = !location.isEmpty()
                              ? location
                              : QString::fromStdString(program_.picturesFolder()) + QStringLiteral("/bar1.jpg");
    const std::optional<QString> chosen = dialogs_->openFile(request);
    if (!chosen || chosen->isEmpty()) {
        return;
    }
    location = *chosen;
    const std::optional<QImage> picture = loadPicture_ ? loadPicture_(location) : std::nullopt;
    if (!picture) {
        return; // the next dialog opens on this file, nothing else changes
    }
    setFillPicture(bar, *picture);
    store(bar == Bar::Read ? core::keys::readFillPicturePath : core::keys::writeFillPicturePath,
          location.toStdString());
    (bar == Bar::Read ? readFillPictureRadioButton : writeFillPictureRadioButton)->setSelected(true);
    applyAppearance();
}

void SettingsWindow::setFillPicture(Bar bar, const QImage& picture) {
    fillPictures_[core::indexOf(bar)] = picture;
    showFillPicturePreview(bar);
}

void SettingsWindow::showFillPicturePreview(Bar bar) {
    QLabel* preview = bar == Bar::Read ? readFillPicturePreview : writeFillPicturePreview;
    preview->setPixmap(QPixmap::fromImage(fillPictures_[core::indexOf(bar)]));
}

void SettingsWindow::resetWindowPositions() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        if (monitor::MonitorWindow* m = monitor()) {
            const monitor::TwipPoint place = monitor::defaultPlace(
                area.left() + area.width(), area.top() + area.height(), m->widthTwips(), m->heightTwips());
            m->moveTwips(place.left, place.top);
        }
        const QRect s = screen->geometry();
        moveFromCode({s.left() + s.width() / 2 - frameGeometry().width() / 2,
                      s.top() + s.height() / 2 - frameGeometry().height() / 2});
    }
    core::forgetWindowPositions(program_);
}

void SettingsWindow::storeFullScale(Bar bar) {
    const FullScaleEdit* edit = bar == Bar::Read ? readFullScaleEdit : writeFullScaleEdit;
    store(bar == Bar::Read ? core::keys::readFullScale : core::keys::writeFullScale, edit->text().toStdString());
}

} // namespace oruvel::settings_ui
