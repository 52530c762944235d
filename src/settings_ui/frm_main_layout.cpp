// Builds the settings window's controls at their fixed places (positions in twips, relative to their container).
#include "monitor/built_in_fill.h"
#include "settings_ui/frm_main.h"
#include "core/value_conversion.h"
#include "settings_ui/rate_text_box.h"
#include "settings_ui/swatch_keys.h"
#include "settings_ui/tray_pictures.h"
#include "settings_ui/vb_controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>

namespace oruvel::settings_ui {
namespace {

template <typename W> W* place(W* widget, const char* name, int left, int top, int width, int height) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(left / 15, top / 15, width / 15, height / 15);
    return widget;
}

QGroupBox* frame(QWidget* parent, const char* name, const QString& caption, int l, int t, int w, int h) {
    return place(new QGroupBox(caption, parent), name, l, t, w, h);
}

VbCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, int l, int t, int w, int h) {
    return place(new VbCheckBox(caption, parent), name, l, t, w, h);
}

VbOptionButton* option(QWidget* parent, const char* name, const QString& caption, int l, int t, int w, int h) {
    return place(new VbOptionButton(caption, parent), name, l, t, w, h);
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, int l, int t, int w, int h) {
    return place(new QLabel(caption, parent), name, l, t, w, h);
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int l, int t, int w, int h) {
    return place(new QPushButton(caption, parent), name, l, t, w, h);
}

QImage socialLogo() {
    QImage logo(16, 16, QImage::Format_ARGB32_Premultiplied);
    logo.fill(Qt::transparent);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(59, 89, 152));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(13);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(3, 2, 12, 15), Qt::AlignCenter, QStringLiteral("f"));
    return logo;
}

} // namespace

void FrmMain::buildControls() {
    FrameTab = frame(this, "FrameTab", QString(), 60, 60, 7155, 5445);

    Check4 = checkBox(FrameTab, "Check4", QStringLiteral("显示监视器"), 90, 150, 1995, 225);
    Check4->setValue(1);
    Check2 = checkBox(FrameTab, "Check2", QStringLiteral("Windows启动时自动运行"), 3570, 150, 3495, 225);
    Check3 = checkBox(FrameTab, "Check3", QStringLiteral("紧凑模式 (单行显示)"), 3570, 390, 3285, 225);
    Check12 = checkBox(FrameTab, "Check12", QStringLiteral("总在最前面"), 2760, 810, 1755, 195);
    Check8 = checkBox(FrameTab, "Check8", QStringLiteral("圆角"), 2760, 1050, 1875, 195);
    Check8->setValue(1);
    Check1 = checkBox(FrameTab, "Check1", QStringLiteral("显示栏边框"), 2760, 1290, 1875, 195);
    Check7 = checkBox(FrameTab, "Check7", QStringLiteral("隐藏状态栏文本"), 2760, 1530, 1875, 195);
    Check5 = checkBox(FrameTab, "Check5", QStringLiteral("禁用栏填充"), 5400, 1650, 1635, 195);

    Frame1 = frame(FrameTab, "Frame1", QStringLiteral("监视器颜色:"), 90, 390, 2505, 3105);
    struct SwatchPlace {
        int item;
        int top;
        const char* caption;
        int labelItem;
        int labelLeft;
        int labelTop;
        int labelWidth;
    };
    static const SwatchPlace kSwatches[] = {
        {6, 210, "读取栏背景颜色:", 0, 525, 240, 1560},    {7, 480, "读取栏文本颜色:", 1, 540, 510, 1545},
        {8, 750, "读取栏填充颜色:", 3, 660, 780, 1425},    {9, 1020, "读取栏填充文本颜色:", 2, 270, 1020, 1815},
        {2, 1290, "写入栏背景颜色:", 7, 450, 1320, 1620},  {3, 1560, "写入栏文本颜色:", 6, 465, 1590, 1605},
        {0, 1800, "写入栏填充颜色:", 5, 600, 1830, 1485},  {1, 2070, "写入栏填充文本颜色:", 4, 210, 2070, 1875},
    };
    for (const SwatchPlace& s : kSwatches) {
        const QByteArray swatchName = "PicProgramColors(" + QByteArray::number(s.item) + ")";
        auto* swatch = place(new ColourSwatch(Frame1), swatchName.constData(), 2130, s.top, 255, 255);
        PicProgramColors[s.item] = swatch;
        const QByteArray labelName = "Label1(" + QByteArray::number(s.labelItem) + ")";
        QLabel* caption = label(Frame1, labelName.constData(), QString::fromUtf8(s.caption), s.labelLeft, s.labelTop,
                                s.labelWidth, 180);
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Label1[s.labelItem] = caption;
    }
    for (const SwatchKey& s : kSwatchKeys) {
        PicProgramColors[s.item]->setBackColor(core::toInt32(s.key->defaultText).value_or(0));
    }
    Command1 = button(Frame1, "Command1", QStringLiteral("默认颜色"), 90, 2340, 2295, 315);
    Command5 = button(Frame1, "Command5", QStringLiteral("随机颜色"), 90, 2700, 2295, 315);

    defaultPictures_ = {monitor::builtInFillPicture(), monitor::builtInFillPicture()};
    // One frame per bar: fill colour or fill picture, the button that changes the picture, and the picture.
    const auto fillFrame = [this](const char* names[5], const QString& caption, int top) {
        QGroupBox* f = frame(FrameTab, names[0], caption, 2760, top, 4305, 795);
        option(f, names[1], QStringLiteral("使用栏填充颜色"), 60, 210, 1725, 225);
        option(f, names[2], QStringLiteral("使用栏填充图形"), 60, 480, 1815, 225)->setChecked(true);
        button(f, names[3], QStringLiteral("更改栏填充图形"), 1890, 420, 2310, 270);
        label(f, names[4], QString(), 1890, 210, 2310, 180);
        return f;
    };
    const char* readNames[5] = {"Frame3", "Option1", "Option2", "Command6", "PB_Default"};
    const char* writeNames[5] = {"Frame4", "Option3", "Option4", "Command2", "PB2_Default"};
    Frame3 = fillFrame(readNames, QStringLiteral("驱动器读取栏"), 1770);
    Frame4 = fillFrame(writeNames, QStringLiteral("驱动器写入栏"), 2610);
    Option1 = Frame3->findChild<VbOptionButton*>(QStringLiteral("Option1"));
    Option2 = Frame3->findChild<VbOptionButton*>(QStringLiteral("Option2"));
    Command6 = Frame3->findChild<QPushButton*>(QStringLiteral("Command6"));
    PB_Default = Frame3->findChild<QLabel*>(QStringLiteral("PB_Default"));
    Option3 = Frame4->findChild<VbOptionButton*>(QStringLiteral("Option3"));
    Option4 = Frame4->findChild<VbOptionButton*>(QStringLiteral("Option4"));
    Command2 = Frame4->findChild<QPushButton*>(QStringLiteral("Command2"));
    PB2_Default = Frame4->findChild<QLabel*>(QStringLiteral("PB2_Default"));
    showDefaultPicture(0);
    showDefaultPicture(1);

    Command4 = button(FrameTab, "Command4", QStringLiteral("重置窗口位置"), 90, 3570, 2475, 345);
    Command4->setToolTip(QStringLiteral("重置迷你监视器位置为默认"));
    Label2 = label(FrameTab, "Label2", QStringLiteral("*最大读取速度:"), 4320, 3480, 1785, 225);
    Text1 = place(new RateTextBox(QStringLiteral("25"), FrameTab), "Text1", 6150, 3450, 435, 285);
    Label4 = label(FrameTab, "Label4", QStringLiteral("MB/s"), 6630, 3480, 390, 180);
    Label3 = label(FrameTab, "Label3", QStringLiteral("*最大写入速度:"), 4320, 3810, 1785, 225);
    Text2 = place(new RateTextBox(QStringLiteral("25"), FrameTab), "Text2", 6150, 3780, 435, 285);
    Label5 = label(FrameTab, "Label5", QStringLiteral("MB/s"), 6630, 3810, 390, 180);
    Label6 = label(FrameTab, "Label6", QStringLiteral("*需要正确绘制栏填充。"), 2700, 3540, 1740, 420);
    Label6->setWordWrap(true);

    Frame2 = frame(FrameTab, "Frame2", QStringLiteral("监视器窗口:"), 90, 4020, 6975, 1335);
    OptionTrans[3] = option(Frame2, "OptionTrans(3)", QStringLiteral("正常"), 60, 210, 1425, 255);
    OptionTrans[2] = option(Frame2, "OptionTrans(2)", QStringLiteral("融入到桌面"), 60, 480, 1695, 255);
    OptionTrans[0] = option(Frame2, "OptionTrans(0)", QStringLiteral("启用透明度 (非幽灵模式):"), 60, 750, 3465, 255);
    OptionTrans[1] = option(Frame2, "OptionTrans(1)", QStringLiteral("启用幽灵模式w/透明度:"), 60, 1020, 3465, 255);
    OptionTrans[3]->setChecked(true);
    Label1[213] = label(Frame2, "Label1(213)", QStringLiteral("透明度级别: 175"), 3570, 780, 1815, 180);
    Label1[216] = label(Frame2, "Label1(216)", QStringLiteral("透明度级别: 175"), 3570, 1050, 1815, 180);
    const int fadeTops[2] = {750, 1020};
    for (int i = 0; i < 2; ++i) {
        const QByteArray name = "updFadeIn(" + QByteArray::number(i) + ")";
        QScrollBar* bar = place(new QScrollBar(Qt::Horizontal, Frame2), name.constData(), 5460, fadeTops[i], 1425, 225);
        bar->setRange(0, 255);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->setValue(175);
        bar->setEnabled(false);
        updFadeIn[static_cast<std::size_t>(i)] = bar;
    }
    Label1[213]->setEnabled(false);
    Label1[216]->setEnabled(false);

    Image1 = place(new ClickableLabel(this), "Image1", 60, 5580, 240, 240);
    Image1->setPixmap(QPixmap::fromImage(socialLogo()));
    Image1->setCursor(Qt::PointingHandCursor);
    Label7 = place(new ClickableLabel(QStringLiteral("在Facebook上关注Quorlane"), this), "Label7", 330, 5610, 2340, 180);
    Label7->setCursor(Qt::PointingHandCursor);
    QPalette linkPalette = Label7->palette();
    linkPalette.setColor(QPalette::WindowText, palette().color(QPalette::Highlight));
    Label7->setPalette(linkPalette);
    for (int n = 2; n <= 10; ++n) {
        const QByteArray name = "Image" + QByteArray::number(n);
        QLabel* image = label(this, name.constData(), QString(), 2760 + (n - 2) * 300, 5580, 240, 240);
        trayPictures_[static_cast<std::size_t>(n)] = trayPicture(n);
        image->setPixmap(QPixmap::fromImage(trayPictures_[static_cast<std::size_t>(n)]));
        image->setAttribute(Qt::WA_TransparentForMouseEvents); // they take no clicks
        Image[n] = image;
    }
}

void FrmMain::showDefaultPicture(int bar) {
    QLabel* box = bar == 0 ? PB_Default : PB2_Default;
    box->setPixmap(QPixmap::fromImage(defaultPictures_[static_cast<std::size_t>(bar)]));
}

} // namespace oruvel::settings_ui
