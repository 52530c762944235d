// The colour scheme and the bars' fill pictures: the dialogs and the two colour buttons.
#include "core/settings.h"
#include "core/value_conversion.h"
#include "look/system_palette.h"
#include "platform/ini_file.h"
#include "settings_ui/dialogs.h"
#include "settings_ui/settings_window.h"

#include <QDir>
#include <QRandomGenerator>

namespace oruvel::settings_ui {
namespace {

const QString kPictureFilter = QStringLiteral("图片文件 (*.jpg *.bmp *.gif *.ico)");
const QString kPictureTitle = QStringLiteral("选择栏填充图形 - 建议154 x 12像素");

} // namespace

using core::Bar;

void SettingsWindow::chooseColour(core::ColourRole role) {
    const core::Key key = core::colourKey(role);
    DialogBackend::ColourRequest request;
    request.owner = this;
    request.title = QStringLiteral("选择颜色");
    request.initial = look::fromQColor(look::toQColor(settings_.number(key), QColor(Qt::black)));
    if (const auto chosen = dialogs_->chooseColour(request)) {
        settings_.setNumber(key, *chosen);
    }
}

void SettingsWindow::chooseFillPicture(Bar bar) {
    QString& location = fillPicturePaths_[core::indexOf(bar)];
    DialogBackend::OpenRequest request;
    request.owner = this;
    request.title = kPictureTitle;
    request.nameFilters = {kPictureFilter};
    request.initialFile = !location.isEmpty() ? location : picturesFolder_ + QStringLiteral("/bar1.jpg");
    const std::optional<QString> chosen = dialogs_->openFile(request);
    if (!chosen || chosen->isEmpty()) {
        return;
    }
    location = *chosen;
    const std::string stored = location.toStdString();
    if (!core::Settings::canHold(stored)) {
        // The settings file would give back a different path (it cuts long values): nothing changes.
        showPictureProblem(QStringLiteral("图片路径无法保存到设置文件（最长 %1 字节）：%2")
                               .arg(platform::ini::kMaxValueLength)
                               .arg(QDir::toNativeSeparators(location)));
        return;
    }
    const std::optional<QImage> picture = loadPicture_ ? loadPicture_(location) : std::nullopt;
    if (!picture) {
        // The next dialog opens on this file; nothing else changes, and the user is told why.
        showPictureProblem(QStringLiteral("无法读取图片文件：%1").arg(QDir::toNativeSeparators(location)));
        return;
    }
    showPictureProblem(QString());
    showFillPicture(bar, *picture);
    emit fillPictureChosen(bar, *picture);
    const core::Settings::Batch batch(settings_);
    settings_.setText(core::fillPicturePathKey(bar), stored);
    settings_.setFillMode(bar, core::FillMode::Picture);
}

void SettingsWindow::restoreDefaultColours() {
    const core::Settings::Batch batch(settings_);
    settings_.setFillMode(Bar::Read, core::FillMode::Picture);
    for (const core::ColourRoleKey& c : core::kColourRoleKeys) {
        settings_.setNumber(c.key, core::toInt32(core::rowOf(c.key).defaultText).value_or(0));
    }
}

void SettingsWindow::randomizeColours() {
    const core::Settings::Batch batch(settings_);
    settings_.setFillMode(Bar::Read, core::FillMode::Colour);
    settings_.setFillMode(Bar::Write, core::FillMode::Colour);
    QRandomGenerator* random = QRandomGenerator::global();
    for (const core::ColourRoleKey& c : core::kColourRoleKeys) {
        const int red = random->bounded(256);
        const int green = random->bounded(256);
        const int blue = random->bounded(256);
        settings_.setNumber(c.key, core::makeColour(red, green, blue));
    }
}

} // namespace oruvel::settings_ui
