#include "app/program_menu.h"

#include "core/disk_caption.h"
#include "core/settings.h"
#include "platform/disk_rate_source.h"
#include "settings_ui/links.h"

#include <QActionGroup>
#include <QMenu>

namespace oruvel::app {
namespace {

// Flips a clear or ticked box; a greyed one is left alone.
void toggle(core::Settings& settings, core::Key key) {
    const int value = settings.number(key);
    if (value == 0 || value == 1) {
        settings.setNumber(key, 1 - value);
    }
}

} // namespace

ProgramMenu::ProgramMenu(core::Settings& settings, platform::DiskLister listDisks, std::string decimalPoint)
    : settings_(settings), listDisks_(std::move(listDisks)), decimalPoint_(std::move(decimalPoint)),
      menu_(new QMenu(QStringLiteral("菜单"))) {
    menu_->setObjectName(QStringLiteral("contextMenu"));
    const auto item = [this](const char* name, const QString& caption, auto command) {
        QAction* action = menu_->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, command, Qt::QueuedConnection);
        return action;
    };
    menu_->addAction(QStringLiteral("Oruvel"))->setEnabled(false);
    menu_->actions().constLast()->setObjectName(QStringLiteral("titleAction"));
    menu_->addSeparator();
    item("toggleMonitorAction", QStringLiteral("显示/隐藏监视器"),
         [this] { toggle(settings_, core::Key::ShowMonitor); });
    item("toggleBarTextAction", QStringLiteral("显示/隐藏栏文本"),
         [this] { toggle(settings_, core::Key::HideBarText); });
    diskMenu_ = menu_->addMenu(QStringLiteral("驱动器"));
    diskMenu_->setObjectName(QStringLiteral("diskMenu"));
    connect(diskMenu_, &QMenu::aboutToShow, this, &ProgramMenu::populateDiskMenu);
    menu_->addSeparator();
    item("resetPositionsAction", QStringLiteral("重置窗口位置"), [this] { emit resetPositionsRequested(); });
    menu_->addSeparator();
    item("showSettingsAction", QStringLiteral("监视器设置"), [this] { emit showSettingsRequested(); });
    item("diskActivityAction", QStringLiteral("磁盘活动(&D)"), [this] { emit diskActivityRequested(); });
    menu_->addSeparator();
    item("followMakerAction", QStringLiteral("在Facebook上关注Quorlane"),
         [] { settings_ui::openPage(settings_ui::kMakerSocialPage); });
    item("onlineHelpAction", QStringLiteral("帮助 (在线)"), [] { settings_ui::openPage(settings_ui::kProductPage); });
    item("visitWebsiteAction", QStringLiteral("访问网站"), [] { settings_ui::openPage(settings_ui::kProductPage); });
    menu_->addSeparator();
    item("exitAction", QStringLiteral("退出"), [this] { emit exitRequested(); });
}

ProgramMenu::~ProgramMenu() {
    delete menu_;
}

void ProgramMenu::popUp(const QPoint& globalPos) {
    menu_->exec(globalPos);
}

void ProgramMenu::populateDiskMenu() {
    diskMenu_->clear();
    const std::string& current = settings_.text(core::Key::DiskInstance);
    auto* choices = new QActionGroup(diskMenu_);
    const auto choice = [&](const std::string& instance, const QString& caption) {
        QAction* action = diskMenu_->addAction(QString(caption).replace(QLatin1Char('&'), QStringLiteral("&&")));
        action->setCheckable(true);
        action->setChecked(
            QString::fromStdString(instance).compare(QString::fromStdString(current), Qt::CaseInsensitive) == 0);
        choices->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, instance] { settings_.setText(core::Key::DiskInstance, instance); });
        return action;
    };
    bool listed = choice(std::string(platform::kTotalInstance), QStringLiteral("全部磁盘 (_Total)"))->isChecked();
    for (const platform::DiskInfo& disk : listDisks_ ? listDisks_() : std::vector<platform::DiskInfo>{}) {
        listed =
            choice(disk.name, QString::fromStdString(core::diskCaption(disk, decimalPoint_)))->isChecked() || listed;
    }
    // A stored disk that is not there now stays listed, greyed, and reads 0 until it returns.
    if (!listed) {
        choice(current, QString::fromStdString(current))->setEnabled(false);
    }
}

} // namespace oruvel::app
