// Builds the settings window's controls at their fixed places (positions in twips, relative to their container).
#include "monitor/built_in_fill.h"
#include "settings_ui/settings_window.h"
#include "core/value_conversion.h"
#include "settings_ui/colour_roles.h"
#include "settings_ui/full_scale_edit.h"
#include "settings_ui/tray_pictures.h"
#include "settings_ui/setting_widgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>

namespace oruvel::settings_ui {
namespace {

template <typename W> W* place(W* widget, const QByteArray& name, int left, int top, int width, int height) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(left / 15, top / 15, width / 15, height / 15);
    return widget;
}

QGroupBox* frame(QWidget* parent, const QByteArray& name, const QString& caption, int l, int t, int w, int h) {
    return place(new QGroupBox(caption, parent), name, l, t, w, h);
}

SettingCheckBox* checkBox(QWidget* parent, const QByteArray& name, const QString& caption, int l, int t, int w, int h) {
    return place(new SettingCheckBox(caption, parent), name, l, t, w, h);
}

SettingRadioButton* option(QWidget* parent, const QByteArray& name, const QString& caption, int l, int t, int w, int h) {
    return place(new SettingRadioButton(caption, parent), name, l, t, w, h);
}

QLabel* label(QWidget* parent, const QByteArray& name, const QString& caption, int l, int t, int w, int h) {
    return place(new QLabel(caption, parent), name, l, t, w, h);
}

QPushButton* button(QWidget* parent, const QByteArray& name, const QString& caption, int l, int t, int w, int h) {
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

void SettingsWindow::buildControls() {
    using core::ColourRole;
    using core::WindowMode;
    contentGroupBox = frame(this, "contentGroupBox", QString(), 60, 60, 7155, 5445);
    QGroupBox* content = contentGroupBox;

    showMonitorCheckBox = checkBox(content, "showMonitorCheckBox", QStringLiteral("显示监视器"), 90, 150, 1995, 225);
    showMonitorCheckBox->setValue(1);
    startWithLoginCheckBox =
        checkBox(content, "startWithLoginCheckBox", QStringLiteral("Windows启动时自动运行"), 3570, 150, 3495, 225);
    compactModeCheckBox =
        checkBox(content, "compactModeCheckBox", QStringLiteral("紧凑模式 (单行显示)"), 3570, 390, 3285, 225);
    alwaysOnTopCheckBox = checkBox(content, "alwaysOnTopCheckBox", QStringLiteral("总在最前面"), 2760, 810, 1755, 195);
    roundCornersCheckBox = checkBox(content, "roundCornersCheckBox", QStringLiteral("圆角"), 2760, 1050, 1875, 195);
    roundCornersCheckBox->setValue(1);
    barBorderCheckBox = checkBox(content, "barBorderCheckBox", QStringLiteral("显示栏边框"), 2760, 1290, 1875, 195);
    hideBarTextCheckBox =
        checkBox(content, "hideBarTextCheckBox", QStringLiteral("隐藏状态栏文本"), 2760, 1530, 1875, 195);
    disableBarFillCheckBox =
        checkBox(content, "disableBarFillCheckBox", QStringLiteral("禁用栏填充"), 5400, 1650, 1635, 195);

    coloursGroupBox = frame(content, "coloursGroupBox", QStringLiteral("监视器颜色:"), 90, 390, 2505, 3105);
    struct SwatchPlace {
        ColourRole role;
        int top;
        const char* caption;
        int labelLeft;
        int labelTop;
        int labelWidth;
    };
    static const SwatchPlace kSwatches[] = {
        {ColourRole::ReadBackground, 210, "读取栏背景颜色:", 525, 240, 1560},
        {ColourRole::ReadText, 480, "读取栏文本颜色:", 540, 510, 1545},
        {ColourRole::ReadFill, 750, "读取栏填充颜色:", 660, 780, 1425},
        {ColourRole::ReadFillText, 1020, "读取栏填充文本颜色:", 270, 1020, 1815},
        {ColourRole::WriteBackground, 1290, "写入栏背景颜色:", 450, 1320, 1620},
        {ColourRole::WriteText, 1560, "写入栏文本颜色:", 465, 1590, 1605},
        {ColourRole::WriteFill, 1800, "写入栏填充颜色:", 600, 1830, 1485},
        {ColourRole::WriteFillText, 2070, "写入栏填充文本颜色:", 210, 2070, 1875},
    };
    for (const SwatchPlace& s : kSwatches) {
        const QByteArray index = QByteArray::number(static_cast<int>(s.role));
        colourSwatches[core::indexOf(s.role)] =
            place(new ColourSwatch(coloursGroupBox), "colourSwatch" + index, 2130, s.top, 255, 255);
        QLabel* caption = label(coloursGroupBox, "colourLabel" + index, QString::fromUtf8(s.caption), s.labelLeft,
                                s.labelTop, s.labelWidth, 180);
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        colourLabels[core::indexOf(s.role)] = caption;
    }
    for (const ColourRoleKey& c : kColourRoleKeys) {
        colourSwatch(c.role)->setColour(core::toInt32(c.key->defaultText).value_or(0));
    }
    defaultColoursButton =
        button(coloursGroupBox, "defaultColoursButton", QStringLiteral("默认颜色"), 90, 2340, 2295, 315);
    randomColoursButton = button(coloursGroupBox, "randomColoursButton", QStringLiteral("随机颜色"), 90, 2700, 2295, 315);

    fillPictures_ = {monitor::builtInFillPicture(), monitor::builtInFillPicture()};
    // One frame per bar: fill colour or fill picture, the button that changes the picture, and the picture.
    struct FillFrame {
        QGroupBox* box;
        SettingRadioButton* colour;
        SettingRadioButton* picture;
        QPushButton* choose;
        QLabel* preview;
    };
    const auto fillFrame = [content](const QByteArray& bar, const QString& caption, int top) {
        FillFrame f{};
        f.box = frame(content, bar + "FillGroupBox", caption, 2760, top, 4305, 795);
        f.colour = option(f.box, bar + "FillColourRadioButton", QStringLiteral("使用栏填充颜色"), 60, 210, 1725, 225);
        f.picture = option(f.box, bar + "FillPictureRadioButton", QStringLiteral("使用栏填充图形"), 60, 480, 1815, 225);
        f.picture->setChecked(true);
        f.choose = button(f.box, bar + "FillPictureButton", QStringLiteral("更改栏填充图形"), 1890, 420, 2310, 270);
        f.preview = label(f.box, bar + "FillPicturePreview", QString(), 1890, 210, 2310, 180);
        return f;
    };
    const FillFrame readFill = fillFrame("read", QStringLiteral("驱动器读取栏"), 1770);
    const FillFrame writeFill = fillFrame("write", QStringLiteral("驱动器写入栏"), 2610);
    readFillGroupBox = readFill.box;
    readFillColourRadioButton = readFill.colour;
    readFillPictureRadioButton = readFill.picture;
    readFillPictureButton = readFill.choose;
    readFillPicturePreview = readFill.preview;
    writeFillGroupBox = writeFill.box;
    writeFillColourRadioButton = writeFill.colour;
    writeFillPictureRadioButton = writeFill.picture;
    writeFillPictureButton = writeFill.choose;
    writeFillPicturePreview = writeFill.preview;
    showFillPicturePreview(core::Bar::Read);
    showFillPicturePreview(core::Bar::Write);

    resetPositionsButton =
        button(content, "resetPositionsButton", QStringLiteral("重置窗口位置"), 90, 3570, 2475, 345);
    resetPositionsButton->setToolTip(QStringLiteral("重置迷你监视器位置为默认"));
    label(content, "readFullScaleLabel", QStringLiteral("*最大读取速度:"), 4320, 3480, 1785, 225);
    readFullScaleEdit = place(new FullScaleEdit(QStringLiteral("25"), content), "readFullScaleEdit", 6150, 3450, 435, 285);
    label(content, "readFullScaleUnitLabel", QStringLiteral("MB/s"), 6630, 3480, 390, 180);
    label(content, "writeFullScaleLabel", QStringLiteral("*最大写入速度:"), 4320, 3810, 1785, 225);
    writeFullScaleEdit =
        place(new FullScaleEdit(QStringLiteral("25"), content), "writeFullScaleEdit", 6150, 3780, 435, 285);
    label(content, "writeFullScaleUnitLabel", QStringLiteral("MB/s"), 6630, 3810, 390, 180);
    label(content, "fullScaleNoteLabel", QStringLiteral("*需要正确绘制栏填充。"), 2700, 3540, 1740, 420)
        ->setWordWrap(true);

    windowModeGroupBox = frame(content, "windowModeGroupBox", QStringLiteral("监视器窗口:"), 90, 4020, 6975, 1335);
    const auto mode = [this](WindowMode m, const char* name, const QString& caption, int top, int width) {
        windowModeRadioButtons[core::indexOf(m)] = option(windowModeGroupBox, name, caption, 60, top, width, 255);
    };
    mode(WindowMode::Normal, "normalModeRadioButton", QStringLiteral("正常"), 210, 1425);
    mode(WindowMode::BlendIntoDesktop, "blendModeRadioButton", QStringLiteral("融入到桌面"), 480, 1695);
    mode(WindowMode::Translucent, "translucentModeRadioButton", QStringLiteral("启用透明度 (非幽灵模式):"), 750, 3465);
    mode(WindowMode::Ghost, "ghostModeRadioButton", QStringLiteral("启用幽灵模式w/透明度:"), 1020, 3465);
    windowModeRadioButton(WindowMode::Normal)->setChecked(true);
    translucentLevelLabel =
        label(windowModeGroupBox, "translucentLevelLabel", QStringLiteral("透明度级别: 175"), 3570, 780, 1815, 180);
    ghostLevelLabel = label(windowModeGroupBox, "ghostLevelLabel", QStringLiteral("透明度级别: 175"), 3570, 1050, 1815, 180);
    const auto opacityBar = [this](const char* name, int top) {
        QScrollBar* bar = place(new QScrollBar(Qt::Horizontal, windowModeGroupBox), name, 5460, top, 1425, 225);
        bar->setRange(0, 255);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->setValue(175);
        bar->setEnabled(false);
        return bar;
    };
    translucentOpacityScrollBar = opacityBar("translucentOpacityScrollBar", 750);
    ghostOpacityScrollBar = opacityBar("ghostOpacityScrollBar", 1020);
    translucentLevelLabel->setEnabled(false);
    ghostLevelLabel->setEnabled(false);

    socialLogoLabel = place(new ClickableLabel(this), "socialLogoLabel", 60, 5580, 240, 240);
    socialLogoLabel->setPixmap(QPixmap::fromImage(socialLogo()));
    socialLogoLabel->setCursor(Qt::PointingHandCursor);
    socialPageLinkLabel = place(new ClickableLabel(QStringLiteral("在Facebook上关注Quorlane"), this),
                                "socialPageLinkLabel", 330, 5610, 2340, 180);
    socialPageLinkLabel->setCursor(Qt::PointingHandCursor);
    QPalette linkPalette = socialPageLinkLabel->palette();
    linkPalette.setColor(QPalette::WindowText, palette().color(QPalette::Highlight));
    socialPageLinkLabel->setPalette(linkPalette);
    for (std::size_t i = 0; i < kTrayLegendOrder.size(); ++i) {
        QLabel* legend = label(this, "trayLegendLabel" + QByteArray::number(static_cast<int>(i)), QString(),
                               2760 + static_cast<int>(i) * 300, 5580, 240, 240);
        legend->setPixmap(trayIcons_[i].pixmap(16, 16));
        legend->setAttribute(Qt::WA_TransparentForMouseEvents); // they take no clicks
        trayLegendLabels[i] = legend;
    }
}

// Options applied on a mouse release run only for the user's clicks; the others run on every change, also from code.
void SettingsWindow::connectControls() {
    connect(barBorderCheckBox, &SettingCheckBox::mouseReleased, this, &SettingsWindow::onBarBorderClicked);
    connect(startWithLoginCheckBox, &SettingCheckBox::mouseReleased, this, &SettingsWindow::onStartWithLoginClicked);
    connect(compactModeCheckBox, &SettingCheckBox::mouseReleased, this, &SettingsWindow::applyCompactMode);
    connect(showMonitorCheckBox, &SettingCheckBox::mouseReleased, this, &SettingsWindow::applyMonitorVisibility);
    connect(disableBarFillCheckBox, &SettingCheckBox::mouseReleased, this, &SettingsWindow::onDisableBarFillClicked);
    connect(hideBarTextCheckBox, &SettingCheckBox::mouseReleased, this, &SettingsWindow::onHideBarTextClicked);
    connect(roundCornersCheckBox, &QCheckBox::stateChanged, this, &SettingsWindow::onRoundCornersToggled);
    connect(alwaysOnTopCheckBox, &QCheckBox::stateChanged, this, &SettingsWindow::onAlwaysOnTopToggled);
    for (SettingRadioButton* fill : {readFillColourRadioButton, readFillPictureRadioButton, writeFillColourRadioButton,
                                     writeFillPictureRadioButton}) {
        connect(fill, &SettingRadioButton::mouseReleased, this, &SettingsWindow::onFillModeClicked);
    }
    for (const core::WindowMode mode : core::kWindowModes) {
        connect(windowModeRadioButton(mode), &QRadioButton::toggled, this, [this, mode](bool on) {
            if (on) {
                applyWindowMode(mode);
            }
        });
    }
    for (const core::WindowMode mode : {core::WindowMode::Translucent, core::WindowMode::Ghost}) {
        connect(opacityScrollBar(mode), &QScrollBar::valueChanged, this, [this, mode] { applyOpacity(mode); });
    }
    for (const ColourRoleKey& c : kColourRoleKeys) {
        connect(colourSwatch(c.role), &ColourSwatch::clicked, this, [this, role = c.role] { chooseColour(role); });
    }
    connect(defaultColoursButton, &QPushButton::clicked, this, &SettingsWindow::restoreDefaultColours);
    connect(randomColoursButton, &QPushButton::clicked, this, &SettingsWindow::randomizeColours);
    connect(readFillPictureButton, &QPushButton::clicked, this, [this] { chooseFillPicture(core::Bar::Read); });
    connect(writeFillPictureButton, &QPushButton::clicked, this, [this] { chooseFillPicture(core::Bar::Write); });
    connect(resetPositionsButton, &QPushButton::clicked, this, &SettingsWindow::resetWindowPositions);
    connect(readFullScaleEdit, &FullScaleEdit::keyReleased, this, [this] { storeFullScale(core::Bar::Read); });
    connect(writeFullScaleEdit, &FullScaleEdit::keyReleased, this, [this] { storeFullScale(core::Bar::Write); });
    connect(socialLogoLabel, &ClickableLabel::clicked, this, &SettingsWindow::openMakerSocialPage);
    connect(socialPageLinkLabel, &ClickableLabel::clicked, this, &SettingsWindow::openMakerSocialPage);
}

} // namespace oruvel::settings_ui
