#include "settings_ui/frm_main.h"

#include "core/perf_mon.h"
#include "core/program.h"
#include "core/sampling.h"
#include "core/twips.h"
#include "core/value_conversion.h"
#include "monitor/frm_monitor.h"
#include "monitor/theme_support.h"
#include "oruvel_version.h"
#include "settings_ui/common_dialog.h"
#include "settings_ui/picture_file.h"
#include "settings_ui/rate_text_box.h"
#include "settings_ui/swatch_keys.h"
#include "settings_ui/tray_pictures.h"
#include "settings_ui/tray_port.h"
#include "settings_ui/vb_controls.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMoveEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QScreen>
#include <QPushButton>
#include <QScrollBar>

namespace oruvel::settings_ui {

QString programCaption() {
    return QStringLiteral("Oruvel v%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}

FrmMain::FrmMain(core::Program& program) : QWidget(nullptr), program_(program) {
    setObjectName(QStringLiteral("FrmMain"));
    QFont font(QStringLiteral("Verdana"));
    font.setPointSize(8);
    setFont(font);
    setFixedSize(kClientWidth, kClientHeight);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    const QLocale locale;
    separators_.decimal = locale.decimalPoint().toStdString();
    separators_.grouping = locale.groupSeparator().toStdString();
    buildControls();
    buildMenu();
    snapSystem_.track(this);

    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });

    Check1->onMouseUp = [this](int b, int s, int x, int y) { Check1_MouseUp(b, s, x, y); };
    Check2->onMouseUp = [this](int b, int s, int x, int y) { Check2_MouseUp(b, s, x, y); };
    Check3->onMouseUp = [this](int b, int s, int x, int y) { Check3_MouseUp(b, s, x, y); };
    Check4->onMouseUp = [this](int b, int s, int x, int y) { Check4_MouseUp(b, s, x, y); };
    Check5->onMouseUp = [this](int b, int s, int x, int y) { Check5_MouseUp(b, s, x, y); };
    Check7->onMouseUp = [this](int b, int s, int x, int y) { Check7_MouseUp(b, s, x, y); };
    connect(Check8, &QCheckBox::stateChanged, this, [this] { Check8_Click(); });
    connect(Check12, &QCheckBox::stateChanged, this, [this] { Check12_Click(); });
    for (VbOptionButton* o : {Option1, Option2, Option3, Option4}) {
        o->onMouseUp = [this](int, int, int, int) { OptionN_MouseUp(); };
    }
    for (int i = 0; i < 4; ++i) {
        connect(OptionTrans[static_cast<std::size_t>(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) {
                OptionTrans_Click(i);
            }
        });
    }
    for (int i = 0; i < 2; ++i) {
        connect(updFadeIn[static_cast<std::size_t>(i)], &QScrollBar::valueChanged, this,
                [this, i] { updFadeIn_Change(i); });
    }
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
    for (auto& [item, swatch] : PicProgramColors) {
        swatch->onClick = [this, index = item] { PicProgramColors_Click(index); };
    }
    Text1->onKeyUp = [this] { TextN_KeyUp(1); };
    Text2->onKeyUp = [this] { TextN_KeyUp(2); };
    Image1->onClick = [this] { Image1_Click(); };
    Label7->onClick = [this] { Label7_Click(); };
    dialogs = &qtDialogBackend();
    loadPicture = loadPictureFile;
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
}

FrmMain::~FrmMain() {
    Timer1.stop();
    monitor_.reset();
}

monitor::FrmMonitor* FrmMain::FrmMonitor() {
    if (!monitor_) {
        if (program_.bExiting) {
            return nullptr;
        }
        monitor_ = std::make_unique<monitor::FrmMonitor>(program_, *this);
        snapSystem_.track(monitor_.get());
        monitor_->Form_Initialize();
        monitor_->Form_Load();
    }
    return monitor_.get();
}

void FrmMain::writeKey(const core::SettingKey& key, const std::string& value) { program_.writeSetting(key, value); }

void FrmMain::Form_Load() {
    if (program_.bExiting) {
        Unload(UnloadMode::FromCode);
        return;
    }
    program_.letMessagesRun();
    program_.bExiting = false;
    monitor::FixThemeSupport(findChildren<QWidget*>());

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        moveFromCode({s.left() + (s.width() - frameGeometry().width()) / 2, pos().y()});
        program_.letMessagesRun();
        moveFromCode({pos().x(), s.top() + (s.height() - frameGeometry().height()) / 2});
        program_.letMessagesRun();
    }
    setWindowTitle(programCaption());
    core::LoadWindowPosition(program_, *this);
    program_.letMessagesRun();

    sDrive.clear();
    sDrive = program_.readSetting(core::keys::drive);
    program_.letMessagesRun();
    if (sDrive.empty()) {
        sDrive = std::string(core::keys::drive.defaultText);
        writeKey(core::keys::drive, sDrive);
    }
    program_.letMessagesRun();
    core::OpenCounterQuery(program_);
    core::AddDiskCounter(core::kReadSlot, core::readCounterPath(sDrive), program_.hQuery.get(), program_.Counters);
    core::AddDiskCounter(core::kWriteSlot, core::writeCounterPath(sDrive), program_.hQuery.get(), program_.Counters);

    hide();
    restoreControls();

    oMagneticWnd.AddWindow(monitor::windowIdOf(this), 0);
    oMagneticWnd.SnapWidth(5);

    if (SysTrayMain != nullptr) {
        SysTrayMain->Show();
    }
    program_.letMessagesRun();

    sBarFillGraphicLocation = QString::fromStdString(program_.readSetting(core::keys::BarFillGraphicLocation));
    sBarFillGraphicLocation2 = QString::fromStdString(program_.readSetting(core::keys::BarFillGraphicLocation2));
    program_.letMessagesRun();
    for (int bar = 0; bar < 2; ++bar) {
        const QString& path = bar == 0 ? sBarFillGraphicLocation : sBarFillGraphicLocation2;
        if (!path.isEmpty() && loadPicture) {
            if (const auto picture = loadPicture(path)) {
                defaultPictures_[static_cast<std::size_t>(bar)] = *picture;
                showDefaultPicture(bar);
            }
        }
    }
    program_.letMessagesRun();

    Check4_MouseUp(0, 0, 0, 0);
    program_.letMessagesRun();
    Check3_MouseUp(0, 0, 0, 0);
    program_.letMessagesRun();
    Timer1.start();
    program_.letMessagesRun();
}

void FrmMain::restoreControls() {
    for (const SwatchKey& s : kSwatchKeys) {
        if (const auto v = core::toInt32(program_.readSetting(*s.key))) {
            PicProgramColors[s.item]->setBackColor(*v);
        }
    }

    const auto restoreBox = [this](VbCheckBox* box, const core::SettingKey& key) {
        if (const auto v = core::toBoxValue(program_.readSetting(key))) {
            box->setValue(*v);
        }
    };
    const auto restoreOption = [this](VbOptionButton* option, const core::SettingKey& key) {
        if (const auto v = core::toBoolean(program_.readSetting(key))) {
            option->setValue(*v);
        }
    };
    restoreBox(Check1, core::keys::monitorprogressbarborder);
    restoreOption(Option1, core::keys::monitorprogressusebarfill);
    restoreOption(Option2, core::keys::monitorprogressdontusebarfill);
    restoreOption(Option3, core::keys::monitorprogressusebarfill2);
    restoreOption(Option4, core::keys::monitorprogressdontusebarfill2);
    restoreBox(Check12, core::keys::ontop);
    const auto restoreLevel = [this](int item, const core::SettingKey& key) {
        if (const auto v = core::toLevel(program_.readSetting(key))) {
            updFadeIn[static_cast<std::size_t>(item)]->setValue(*v);
        }
    };
    restoreLevel(0, core::keys::transparencylevel);
    restoreLevel(1, core::keys::ghosttransparencylevel);
    restoreOption(OptionTrans[0], core::keys::enabletransparency);
    restoreOption(OptionTrans[1], core::keys::enableghost);
    restoreOption(OptionTrans[2], core::keys::blendtodesktop);
    restoreOption(OptionTrans[3], core::keys::normal);
    program_.letMessagesRun();
    restoreBox(Check2, core::keys::startwithwindows);
    restoreBox(Check3, core::keys::compact);
    restoreBox(Check4, core::keys::show);
    restoreBox(Check5, core::keys::disablebarfill);
    restoreBox(Check7, core::keys::hidebartext);
    restoreBox(Check8, core::keys::roundcorners);
    program_.letMessagesRun();
    const auto restoreRate = [this](QLineEdit* box, const core::SettingKey& key) {
        const std::string stored = program_.readSetting(key);
        box->setText(stored.empty() || stored == "0" ? QStringLiteral("25") : QString::fromStdString(stored));
    };
    restoreRate(Text1, core::keys::readmax);
    restoreRate(Text2, core::keys::writemax);
    program_.letMessagesRun();
}

bool FrmMain::Form_QueryUnload(UnloadMode mode) {
    if (mode == UnloadMode::UserClose) {
        hide();
        return true;
    }
    program_.bExiting = true;
    Timer1.stop();
    program_.letMessagesRun();
    program_.letMessagesRun();
    return false;
}

bool FrmMain::Unload(UnloadMode mode) {
    if (unloaded_ || unloading_) {
        return true;
    }
    if (Form_QueryUnload(mode)) {
        return false;
    }
    unloading_ = true;
    Form_Unload();
    unloaded_ = true;
    return true;
}

void FrmMain::Form_Unload() {
    program_.bExiting = true;
    program_.letMessagesRun();
    core::CloseCounterQuery(program_);
    Timer1.stop();
    program_.letMessagesRun();
    core::SaveWindowPosition(program_, *this, std::to_string(topTwips()), std::to_string(leftTwips()));
    program_.letMessagesRun();
    if (SysTrayMain != nullptr) {
        SysTrayMain->Hide();
    }
    program_.letMessagesRun();
    if (monitor_) {
        monitor_->Form_Unload();
    }
    program_.letMessagesRun();
    program_.letMessagesRun();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w != monitor_.get() && w->isVisible() && w->objectName() != objectName()) {
            w->hide();
            program_.letMessagesRun();
        }
    }
    program_.letMessagesRun();
    hide();
    program_.letMessagesRun();
    QCoreApplication::quit();
}

void FrmMain::MenuExit_Click() { Unload(UnloadMode::FromCode); }

void FrmMain::closeEvent(QCloseEvent* event) {
    if (unloaded_ || Unload(UnloadMode::UserClose)) {
        event->accept();
    } else {
        event->ignore();
    }
}

void FrmMain::Timer1_Timer() {
    const core::CoalescedMessagePasses coalesced(program_);
    if (size() != QSize(kClientWidth, kClientHeight)) {
        resize(kClientWidth, kClientHeight);
    }
    program_.letMessagesRun();
    core::CollectCounters(program_);
    program_.letMessagesRun();
    const double readRate = core::CounterValue(program_, core::kReadSlot);
    program_.letMessagesRun();
    const double writeRate = core::CounterValue(program_, core::kWriteSlot);
    program_.letMessagesRun();

    const bool compact = Check3->value() != 0;
    // A copy: the message passes below may run another handler that samples again.
    const TickReadout::Shown shown =
        readout_.compute(readRate, writeRate, compact, Text1->text(), Text2->text(), separators_);
    program_.letMessagesRun();

    if (monitor::FrmMonitor* monitor = FrmMonitor()) {
        {
            // Each bar is drawn once, with its new value and text.
            const monitor::cProgressBar::DeferredDraw readBar(monitor->PB1);
            const monitor::cProgressBar::DeferredDraw writeBar(monitor->PB2);
            const bool emptyBars = Check5->value() != 0;
            monitor->PB1.Value(emptyBars ? 0 : shown.readPercent);
            monitor->PB2.Value(emptyBars ? 0 : shown.writePercent);
            const bool hideText = Check7->value() == 1;
            monitor->PB1.Text(hideText ? QString() : shown.readText);
            monitor->PB2.Text(hideText ? QString() : shown.writeText);
        }
        program_.letMessagesRun();
    }
    program_.letMessagesRun();

    if (SysTrayMain != nullptr) {
        SysTrayMain->setIcon(shown.trayImage, trayPictures_[static_cast<std::size_t>(shown.trayImage)]);
    }
    program_.letMessagesRun();
}

core::Colour FrmMain::swatchColour(int item) const {
    const auto it = PicProgramColors.find(item);
    return it == PicProgramColors.end() ? 0 : it->second->backColor();
}

int FrmMain::checkValue(int number) const {
    switch (number) {
    case 1:
        return Check1->value();
    case 2:
        return Check2->value();
    case 3:
        return Check3->value();
    case 4:
        return Check4->value();
    case 5:
        return Check5->value();
    case 7:
        return Check7->value();
    case 8:
        return Check8->value();
    case 12:
        return Check12->value();
    default:
        return 0;
    }
}

bool FrmMain::optionSelected(int number) const {
    const VbOptionButton* options[] = {Option1, Option2, Option3, Option4};
    return number >= 1 && number <= 4 && options[number - 1]->isChecked();
}

bool FrmMain::transparencySelected(int item) const {
    return item >= 0 && item < 4 && OptionTrans[static_cast<std::size_t>(item)]->isChecked();
}

int FrmMain::fadeInValue(int item) const {
    return item >= 0 && item < 2 ? updFadeIn[static_cast<std::size_t>(item)]->value() : 0;
}

QImage FrmMain::defaultPicture(int bar) const { return defaultPictures_[bar == 0 ? 0U : 1U]; }

void FrmMain::popUpMenu(const QPoint& globalPos) {
    if (mMenu != nullptr) {
        mMenu->exec(globalPos);
    }
}

// The window manager moves the settings window; a monitor glued to it follows, keeping its offset, and the glue is
// worked out again where the move leaves them.
void FrmMain::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    const QPoint now = frameGeometry().topLeft();
    if (positionKnown_ && now != lastPosition_ && isVisible() && !movingFromCode_) {
        followSettingsWindowMove(lastPosition_, now);
    }
    lastPosition_ = now;
    positionKnown_ = true;
}

void FrmMain::followSettingsWindowMove(const QPoint& from, const QPoint& to) {
    const QPoint delta = to - from;
    std::vector<std::pair<monitor::WindowId, monitor::Point>> moves;
    for (const monitor::WindowId follower : oMagneticWnd.followersOf(monitor::windowIdOf(this))) {
        const monitor::Rect r = snapSystem_.windowRect(follower);
        moves.push_back({follower, {r.left + delta.x(), r.top + delta.y()}});
    }
    if (!moves.empty()) {
        snapSystem_.moveWindows(moves);
    }
    oMagneticWnd.CheckGlueing();
}

int FrmMain::topTwips() const { return core::pixelsToTwips(frameGeometry().top()); }
int FrmMain::leftTwips() const { return core::pixelsToTwips(frameGeometry().left()); }
void FrmMain::moveTwips(int left, int top) { moveFromCode({core::twipsToPixels(left), core::twipsToPixels(top)}); }

void FrmMain::moveFromCode(const QPoint& topLeft) {
    movingFromCode_ = true;
    move(topLeft);
    movingFromCode_ = false;
    lastPosition_ = frameGeometry().topLeft();
}

} // namespace oruvel::settings_ui
