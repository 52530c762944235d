// The program's menu, its commands and links, and what the settings window does with tray icon events.
#include "core/disk_caption.h"
#include "core/program.h"
#include "monitor/monitor_window.h"
#include "platform/disk_rates.h"
#include "settings_ui/links.h"
#include "settings_ui/setting_widgets.h"
#include "settings_ui/settings_window.h"

#include <QActionGroup>
#include <QMenu>

namespace oruvel::settings_ui {

void SettingsWindow::buildContextMenu() {
    contextMenu_ = new QMenu(QStringLiteral("菜单"), this);
    contextMenu_->setObjectName(QStringLiteral("contextMenu"));
    const auto item = [this](const char* name, const QString& caption, void (SettingsWindow::*command)()) {
        QAction* action = contextMenu_->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        if (command != nullptr) {
            // Queued: the command runs after the menu has closed, so it may open windows or end the program.
            connect(action, &QAction::triggered, this, command, Qt::QueuedConnection);
        }
        return action;
    };
    item("titleAction", QStringLiteral("Oruvel"), nullptr)->setEnabled(false);
    contextMenu_->addSeparator();
    item("toggleMonitorAction", QStringLiteral("显示/隐藏监视器"), &SettingsWindow::toggleMonitor);
    item("toggleBarTextAction", QStringLiteral("显示/隐藏栏文本"), &SettingsWindow::toggleBarText);
    diskMenu_ = contextMenu_->addMenu(QStringLiteral("驱动器"));
    diskMenu_->setObjectName(QStringLiteral("diskMenu"));
    connect(diskMenu_, &QMenu::aboutToShow, this, &SettingsWindow::populateDiskMenu);
    contextMenu_->addSeparator();
    item("resetPositionsAction", QStringLiteral("重置窗口位置"), &SettingsWindow::resetWindowPositions);
    contextMenu_->addSeparator();
    item("showSettingsAction", QStringLiteral("监视器设置"), &SettingsWindow::showSettings);
    contextMenu_->addSeparator();
    item("followMakerAction", QStringLiteral("在Facebook上关注Quorlane"), &SettingsWindow::openMakerSocialPage);
    item("onlineHelpAction", QStringLiteral("帮助 (在线)"), &SettingsWindow::openOnlineHelp);
    item("visitWebsiteAction", QStringLiteral("访问网站"), &SettingsWindow::openWebsite);
    contextMenu_->addSeparator();
    item("exitAction", QStringLiteral("退出"), &SettingsWindow::exitProgram);
}

// A menu toggle: flips a clear or ticked box and applies it; a greyed box is left alone.
void SettingsWindow::toggleFromMenu(SettingCheckBox* box, void (SettingsWindow::*apply)()) {
    const int value = box->value();
    if (value != 0 && value != 1) {
        return;
    }
    box->setValue(1 - value);
    (this->*apply)();
}

void SettingsWindow::toggleMonitor() {
    toggleFromMenu(showMonitorCheckBox, &SettingsWindow::applyMonitorVisibility);
}

void SettingsWindow::toggleBarText() {
    toggleFromMenu(hideBarTextCheckBox, &SettingsWindow::onHideBarTextClicked);
}

void SettingsWindow::showSettings() {
    show();
    raise();
    activateWindow();
    setFocus();
}

void SettingsWindow::populateDiskMenu() {
    diskMenu_->clear();
    auto* choices = new QActionGroup(diskMenu_);
    const auto choice = [this, choices](const std::string& instance, const QString& caption) {
        QAction* action = diskMenu_->addAction(QString(caption).replace(QLatin1Char('&'), QStringLiteral("&&")));
        action->setCheckable(true);
        action->setChecked(
            QString::fromStdString(instance).compare(QString::fromStdString(diskInstance_), Qt::CaseInsensitive) == 0);
        choices->addAction(action);
        connect(action, &QAction::triggered, this, [this, instance] { selectDiskInstance(instance); });
        return action;
    };
    const std::string total(platform::kTotalInstance);
    bool current = choice(total, QStringLiteral("全部磁盘 (_Total)"))->isChecked();
    for (const platform::DiskInfo& disk : listDisks_ ? listDisks_() : std::vector<platform::DiskInfo>{}) {
        current =
            choice(disk.name, QString::fromStdString(core::diskCaption(disk, separators_.decimal)))->isChecked() ||
            current;
    }
    // A stored disk that is not there now stays listed, greyed, and reads 0 until it returns.
    if (!current) {
        choice(diskInstance_, QString::fromStdString(diskInstance_))->setEnabled(false);
    }
}

void SettingsWindow::selectDiskInstance(const std::string& instance) {
    diskInstance_ = instance;
    store(core::keys::diskInstance, instance);
    program_.diskRates().switchInstance(instance);
    refreshTrayToolTip();
}

void SettingsWindow::openMakerSocialPage() {
    openPage(kMakerSocialPage);
}
void SettingsWindow::openOnlineHelp() {
    openPage(kProductPage);
}
void SettingsWindow::openWebsite() {
    openPage(kProductPage);
}

void SettingsWindow::onTrayContextMenuRequested(const QPoint& globalPos) {
    if (isVisible()) {
        raise();
    }
    popUpContextMenu(globalPos);
}

void SettingsWindow::onTrayDoubleClicked() {
    showSettings();
}

QString SettingsWindow::trayToolTip() const {
    const QString caption = windowTitle();
    const qsizetype by = caption.indexOf(QStringLiteral("By"));
    QStringList lines{by < 0 ? caption : caption.left(by),
                      QStringLiteral("Drive: ") + QString::fromStdString(diskInstance_)};
    monitor::MonitorWindow* m = monitorIfCreated();
    lines << (m != nullptr ? m->readBar().text() : QString()) << (m != nullptr ? m->writeBar().text() : QString());
    return lines.join(QStringLiteral("\r\n"));
}

void SettingsWindow::refreshTrayToolTip() {
    emit trayToolTipChanged(trayToolTip());
}

} // namespace oruvel::settings_ui
