// Colour swatches, fill pictures, the full-scale boxes and the position reset.
#include "core/program.h"
#include "core/twips.h"
#include "core/window_position.h"
#include "monitor/frm_monitor.h"
#include "monitor/monitor_layout.h"
#include "settings_ui/common_dialog.h"
#include "settings_ui/frm_main.h"
#include "settings_ui/picture_file.h"
#include "settings_ui/rate_text_box.h"
#include "settings_ui/vb_controls.h"

#include <QApplication>
#include <QScreen>

namespace oruvel::settings_ui {
namespace {

const QString kPictureFilter = QStringLiteral("图片文件 (*.jpg *.bmp *.gif *.ico)|*.jpg;*.bmp;*.gif;*.ico");
const QString kPictureTitle = QStringLiteral("选择栏填充图形 - 建议154 x 12像素");

} // namespace

void FrmMain::PicProgramColors_Click(int index) {
    ColourSwatch* swatch = PicProgramColors.count(index) != 0 ? PicProgramColors[index] : nullptr;
    if (swatch == nullptr) {
        return;
    }
    cCommonDialog dialog(*dialogs);
    dialog.DialogTitle = QStringLiteral("选择颜色");
    dialog.flags = 258;
    dialog.CancelError = true;
    dialog.hWnd = this;
    dialog.Color = swatch->backColor();
    dialog.ShowColor();
    swatch->setBackColor(dialog.Color);
    SetAllColors();
    program_.letMessagesRun();
    Check4_MouseUp(0, 0, 0, 0);
    program_.letMessagesRun();
}

void FrmMain::chooseFillPicture(int bar) {
    QString& location = bar == 0 ? sBarFillGraphicLocation : sBarFillGraphicLocation2;
    cCommonDialog dialog(*dialogs);
    dialog.DialogTitle = kPictureTitle;
    dialog.CancelError = true;
    dialog.hWnd = this;
    dialog.Filter = kPictureFilter;
    dialog.Filename = !location.isEmpty()
                          ? location
                          : QString::fromStdString(program_.programFolder()) + QStringLiteral("/bars/bar1.jpg");
    dialog.ShowOpen();
    if (dialog.Filename.isEmpty()) {
        return;
    }
    location = dialog.Filename;
    program_.letMessagesRun();
    const std::optional<QImage> picture = loadPicture ? loadPicture(location) : std::nullopt;
    if (!picture) {
        return; // the next dialog opens on this file, nothing else changes
    }
    defaultPictures_[static_cast<std::size_t>(bar)] = *picture;
    showDefaultPicture(bar);
    program_.letMessagesRun();
    writeKey(bar == 0 ? core::keys::BarFillGraphicLocation : core::keys::BarFillGraphicLocation2,
             location.toStdString());
    program_.letMessagesRun();
    (bar == 0 ? Option2 : Option4)->setValue(true);
    program_.letMessagesRun();
    SetAllColors();
    program_.letMessagesRun();
}

void FrmMain::Command6_Click() { chooseFillPicture(0); }
void FrmMain::Command2_Click() { chooseFillPicture(1); }

void FrmMain::Command4_Click() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        const QRect area = screen->availableGeometry();
        if (monitor::FrmMonitor* m = FrmMonitor()) {
            const monitor::TwipPoint place = monitor::defaultPlace(area.left() + area.width(),
                                                                   area.top() + area.height(), m->Width(), m->Height());
            m->Move(place.left, place.top);
        }
        const QRect s = screen->geometry();
        moveFromCode({s.left() + s.width() / 2 - frameGeometry().width() / 2, pos().y()});
        program_.letMessagesRun();
        moveFromCode({pos().x(), s.top() + s.height() / 2 - frameGeometry().height() / 2});
        program_.letMessagesRun();
    }
    core::ForgetWindowPositions(program_);
    program_.letMessagesRun();
}

void FrmMain::TextN_KeyUp(int box) {
    const QLineEdit* text = box == 1 ? Text1 : Text2;
    writeKey(box == 1 ? core::keys::readmax : core::keys::writemax, text->text().toStdString());
    program_.letMessagesRun();
}

} // namespace oruvel::settings_ui
