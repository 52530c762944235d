// Bar and window options, and the colour scheme's apply-and-store routines.
#include "core/program.h"
#include "core/start_with_login_port.h"
#include "core/value_conversion.h"
#include "monitor/frm_monitor.h"
#include "monitor/monitor_layout.h"
#include "settings_ui/frm_main.h"
#include "settings_ui/swatch_keys.h"
#include "settings_ui/vb_controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include <chrono>
#include <random>

namespace oruvel::settings_ui {
namespace {

std::string boxText(const VbCheckBox* box) { return std::to_string(box->value()); }

} // namespace

void FrmMain::Check12_Click() {
    writeKey(core::keys::ontop, boxText(Check12));
    program_.letMessagesRun();
    if (monitor::FrmMonitor* m = FrmMonitor()) {
        m->SetOnTopNow();
    }
    program_.letMessagesRun();
}

void FrmMain::Check8_Click() {
    writeKey(core::keys::roundcorners, boxText(Check8));
    program_.letMessagesRun();
    SetAllColors();
    program_.letMessagesRun();
}

void FrmMain::Check5_MouseUp(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {
    writeKey(core::keys::disablebarfill, boxText(Check5));
    program_.letMessagesRun();
}

void FrmMain::Check7_MouseUp(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {
    writeKey(core::keys::hidebartext, boxText(Check7));
    program_.letMessagesRun();
}

void FrmMain::Check2_MouseUp(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {
    const int value = Check2->value();
    if (startWithLogin != nullptr) {
        startWithLogin->apply(value == 1);
    }
    program_.letMessagesRun();
    writeKey(core::keys::startwithwindows, std::to_string(value));
    program_.letMessagesRun();
}

void FrmMain::Check1_MouseUp(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {
    SetAllColors();
    program_.letMessagesRun();
}

void FrmMain::OptionN_MouseUp() {
    SetAllColors();
    program_.letMessagesRun();
}

void FrmMain::Check3_MouseUp(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {
    const int value = Check3->value();
    writeKey(core::keys::compact, std::to_string(value));
    program_.letMessagesRun();
    if (value == 0 || value == 1) {
        if (monitor::FrmMonitor* m = FrmMonitor()) {
            const monitor::MonitorLayout layout = monitor::optionLayout(value == 1);
            m->Width(layout.width);
            m->setBarGeometry(0, layout.bar[0]);
            m->setBarGeometry(1, layout.bar[1]);
            m->Height(layout.height);
        }
        program_.letMessagesRun();
    }
    SetAllColors();
    program_.letMessagesRun();
}

void FrmMain::setControlsEnabled(bool enabled, bool hiding) {
    std::vector<QWidget*> controls{Frame1, Frame2};
    if (hiding) {
        controls.push_back(Label1[213]);
        controls.push_back(Label1[216]);
    }
    for (int item : {0, 1, 2, 3}) {
        controls.push_back(Label1[item]);
    }
    for (int item : {0, 1, 2, 3, 6, 7, 8, 9}) {
        controls.push_back(PicProgramColors[item]);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{Command1, Command5, Command4, Check8, Check1, Check7, Option1,
                                                      Option2, Option3, Option4, OptionTrans[0], OptionTrans[1],
                                                      OptionTrans[2], OptionTrans[3], Check12}) {
        controls.push_back(w);
    }
    if (hiding) {
        controls.push_back(updFadeIn[0]);
        controls.push_back(updFadeIn[1]);
    }
    controls.push_back(Command6);
    controls.push_back(Command2);
    // The level controls are left out when showing: their state belongs to the transparency mode.
    for (QWidget* w : controls) {
        w->setEnabled(enabled);
    }
}

void FrmMain::Check4_MouseUp(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {
    const int value = Check4->value();
    writeKey(core::keys::show, std::to_string(value));
    program_.letMessagesRun();
    if (value == 0) {
        OptionTrans[3]->setValue(true);
        Check12->setValue(0);
        setControlsEnabled(false, true);
        if (monitor::FrmMonitor* m = FrmMonitor()) {
            m->hide();
        }
        program_.letMessagesRun();
    } else if (value == 1) {
        setControlsEnabled(true, false);
        if (monitor::FrmMonitor* m = FrmMonitor()) {
            m->show();
        }
        program_.letMessagesRun();
    }
    program_.letMessagesRun();
}

void FrmMain::SetAllColors() {
    if (monitor::FrmMonitor* m = FrmMonitor()) {
        m->SetColors();
    }
    program_.letMessagesRun();
    Check4_MouseUp(0, 0, 0, 0);
    program_.letMessagesRun();
    SaveAllColors();
    program_.letMessagesRun();
}

void FrmMain::SaveAllColors() {
    for (const SwatchKey& s : kSwatchKeys) {
        writeKey(*s.key, std::to_string(PicProgramColors[s.item]->backColor()));
    }
    writeKey(core::keys::monitorprogressbarborder, boxText(Check1));
    writeKey(core::keys::monitorprogressusebarfill, core::booleanText(Option1->isChecked()));
    writeKey(core::keys::monitorprogressdontusebarfill, core::booleanText(Option2->isChecked()));
    writeKey(core::keys::monitorprogressusebarfill2, core::booleanText(Option3->isChecked()));
    writeKey(core::keys::monitorprogressdontusebarfill2, core::booleanText(Option4->isChecked()));
}

void FrmMain::Command1_Click() {
    Option2->setValue(true);
    for (const SwatchKey& s : kSwatchKeys) {
        PicProgramColors[s.item]->setBackColor(core::toInt32(s.key->defaultText).value_or(0));
    }
    program_.letMessagesRun();
    SetAllColors();
}

int RandomBetween(int lower, int upper) {
    // Seeded afresh from the clock on every call.
    std::mt19937 generator(static_cast<std::mt19937::result_type>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    const float r = std::uniform_real_distribution<float>(0.0F, 1.0F)(generator);
    const int value = static_cast<int>(r * static_cast<float>(upper - lower + 1)) + lower;
    return value > upper ? upper : value;
}

void FrmMain::Command5_Click() {
    Option1->setValue(true);
    Option3->setValue(true);
    for (int item : {0, 1, 2, 3, 6, 7, 8, 9}) {
        const int red = RandomBetween(0, 255);
        const int green = RandomBetween(0, 255);
        const int blue = RandomBetween(0, 255);
        PicProgramColors[item]->setBackColor(core::makeColour(red, green, blue));
    }
    program_.letMessagesRun();
    SetAllColors();
    program_.letMessagesRun();
}

} // namespace oruvel::settings_ui
