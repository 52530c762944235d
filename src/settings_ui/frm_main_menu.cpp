// The program's menu, its commands and links, and what the settings window does with tray icon events.
#include "core/program.h"
#include "monitor/frm_monitor.h"
#include "settings_ui/frm_main.h"
#include "settings_ui/links.h"
#include "settings_ui/tray_port.h"
#include "settings_ui/vb_controls.h"

#include <QMenu>
#include <QTimer>

namespace oruvel::settings_ui {

void FrmMain::buildMenu() {
    mMenu = new QMenu(QStringLiteral("菜单"), this);
    mMenu->setObjectName(QStringLiteral("mMenu"));
    const auto item = [this](const char* name, const QString& caption, void (FrmMain::*handler)()) {
        QAction* action = mMenu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        if (handler != nullptr) {
            // Run after the menu has closed, so a command may open windows or end the program.
            connect(action, &QAction::triggered, this, [this, handler] {
                QTimer::singleShot(0, this, [this, handler] { (this->*handler)(); });
            });
        }
        return action;
    };
    QAction* caption = item("MenuCaption", QStringLiteral("Oruvel"), nullptr);
    caption->setEnabled(false);
    mMenu->addSeparator()->setObjectName(QStringLiteral("line12"));
    item("MenuShowHide", QStringLiteral("显示/隐藏监视器"), &FrmMain::MenuShowHide_Click);
    item("MenuShowBarText", QStringLiteral("显示/隐藏栏文本"), &FrmMain::MenuShowBarText_Click);
    mMenu->addSeparator()->setObjectName(QStringLiteral("Line6"));
    item("MenuReset", QStringLiteral("重置窗口位置"), &FrmMain::MenuReset_Click);
    mMenu->addSeparator()->setObjectName(QStringLiteral("line5"));
    item("MenuSettings", QStringLiteral("监视器设置"), &FrmMain::MenuSettings_Click);
    mMenu->addSeparator()->setObjectName(QStringLiteral("line1"));
    item("MenuFacebook", QStringLiteral("在Facebook上关注Quorlane"), &FrmMain::MenuFacebook_Click);
    item("menuHelp", QStringLiteral("帮助 (在线)"), &FrmMain::menuHelp_Click);
    item("menuquorlane", QStringLiteral("访问网站"), &FrmMain::menuquorlane_Click);
    mMenu->addSeparator()->setObjectName(QStringLiteral("line4"));
    item("MenuExit", QStringLiteral("退出"), &FrmMain::MenuExit_Click);
}

// A menu toggle: flips a clear or ticked box and runs its mouse-release handler; a greyed box is left alone.
void FrmMain::toggleBox(VbCheckBox* box, void (FrmMain::*mouseUp)(int, int, int, int)) {
    const int value = box->value();
    if (value != 0 && value != 1) {
        return;
    }
    box->setValue(1 - value);
    (this->*mouseUp)(0, 0, 0, 0);
}

void FrmMain::MenuShowHide_Click() { toggleBox(Check4, &FrmMain::Check4_MouseUp); }

void FrmMain::MenuShowBarText_Click() { toggleBox(Check7, &FrmMain::Check7_MouseUp); }

void FrmMain::MenuReset_Click() {
    Command4_Click();
    program_.letMessagesRun();
}

void FrmMain::MenuSettings_Click() {
    show();
    raise();
    activateWindow();
    setFocus();
    program_.letMessagesRun();
}

void FrmMain::MenuFacebook_Click() { openPage(kMakerSocialPage); }
void FrmMain::menuHelp_Click() { openPage(kProductPage); }
void FrmMain::menuquorlane_Click() { openPage(kProductPage); }
void FrmMain::Image1_Click() { openPage(kMakerSocialPage); }
void FrmMain::Label7_Click() { openPage(kMakerSocialPage); }

void FrmMain::SysTrayMain_Click(int button, int /*shift*/, int x, int y) {
    if (button != 2) {
        return;
    }
    if (isVisible()) {
        raise();
    }
    program_.letMessagesRun();
    popUpMenu(QPoint(x, y));
    program_.letMessagesRun();
}

void FrmMain::SysTrayMain_DblClick(int button, int /*shift*/, int /*x*/, int /*y*/) {
    if (button != 1) {
        return;
    }
    show();
    raise();
    activateWindow();
    setFocus();
    program_.letMessagesRun();
}

QString FrmMain::trayToolTipText() const {
    const QString caption = windowTitle();
    const qsizetype by = caption.indexOf(QStringLiteral("By"));
    QStringList lines{by < 0 ? caption : caption.left(by), QStringLiteral("Drive: ") + QString::fromStdString(sDrive)};
    const monitor::FrmMonitor* m = existingMonitor();
    lines << (m != nullptr ? m->PB1.Text() : QString()) << (m != nullptr ? m->PB2.Text() : QString());
    return lines.join(QStringLiteral("\r\n"));
}

void FrmMain::SysTrayMain_MouseMove(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {
    const QString text = trayToolTipText();
    program_.letMessagesRun();
    if (SysTrayMain != nullptr) {
        SysTrayMain->setToolTip(text);
    }
    program_.letMessagesRun();
}

} // namespace oruvel::settings_ui
