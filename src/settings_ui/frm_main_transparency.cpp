// Transparency options: the four modes and the two opacity levels.
#include "core/program.h"
#include "core/value_conversion.h"
#include "monitor/frm_monitor.h"
#include "settings_ui/frm_main.h"
#include "settings_ui/vb_controls.h"

#include <QLabel>
#include <QScrollBar>

namespace oruvel::settings_ui {
namespace {

QString levelCaption(int level) { return QStringLiteral("透明度级别: ") + QString::number(level); }

} // namespace

void FrmMain::OptionTrans_Click(int index) {
    Label1[213]->setEnabled(index == 0);
    updFadeIn[0]->setEnabled(index == 0);
    Label1[216]->setEnabled(index == 1);
    updFadeIn[1]->setEnabled(index == 1);
    program_.letMessagesRun();
    if (monitor::FrmMonitor* m = FrmMonitor()) {
        m->SetColors();
    }
    program_.letMessagesRun();
    if (index == 0 || index == 1) {
        updFadeIn_Scroll(index);
        program_.letMessagesRun();
    } else if (index == 3) {
        if (monitor::FrmMonitor* m = FrmMonitor()) {
            m->GoToNormalMode();
        }
        program_.letMessagesRun();
    }
    Check4_MouseUp(0, 0, 0, 0);
    program_.letMessagesRun();
    writeKey(core::keys::enabletransparency, core::booleanText(OptionTrans[0]->isChecked()));
    writeKey(core::keys::enableghost, core::booleanText(OptionTrans[1]->isChecked()));
    writeKey(core::keys::blendtodesktop, core::booleanText(OptionTrans[2]->isChecked()));
    writeKey(core::keys::normal, core::booleanText(OptionTrans[3]->isChecked()));
    program_.letMessagesRun();
}

void FrmMain::updFadeIn_Change(int index) { updFadeIn_Scroll(index); }

void FrmMain::updFadeIn_Scroll(int index) {
    QScrollBar* bar = updFadeIn[index == 0 ? 0U : 1U];
    if (index == 0) {
        writeKey(core::keys::transparencylevel, std::to_string(bar->value()));
        if (OptionTrans[0]->isChecked()) {
            if (monitor::FrmMonitor* m = FrmMonitor()) {
                m->SetWindowLong(monitor::style::kExStyleIndex, monitor::style::kLayered);
                m->SetLayeredWindowAttributes(0, static_cast<std::uint8_t>(bar->value() & 0xFF),
                                              monitor::style::kAlphaFlag);
            }
        }
        Label1[213]->setText(levelCaption(bar->value()));
    } else if (index == 1) {
        writeKey(core::keys::ghosttransparencylevel, std::to_string(bar->value()));
        if (OptionTrans[1]->isChecked()) {
            if (monitor::FrmMonitor* m = FrmMonitor()) {
                m->GoToGhostMode();
            }
        }
        Label1[216]->setText(levelCaption(bar->value()));
    }
}

} // namespace oruvel::settings_ui
