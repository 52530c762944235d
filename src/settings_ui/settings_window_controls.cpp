// The settings window's controls: the form, what the form cannot hold, and the connections to the handlers.
#include "core/value_conversion.h"
#include "monitor/built_in_fill.h"
#include "settings_ui/colour_roles.h"
#include "settings_ui/full_scale_edit.h"
#include "settings_ui/setting_widgets.h"
#include "settings_ui/settings_window.h"
#include "settings_ui/tray_pictures.h"

#include <QPainter>

namespace oruvel::settings_ui {
namespace {

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

// The form gives the controls their places, captions and initial states; what it cannot hold is set here.
void SettingsWindow::buildControls() {
    setupUi(this);
    colourSwatches = {readBackgroundSwatch,  readTextSwatch,  readFillSwatch,  readFillTextSwatch,
                      writeBackgroundSwatch, writeTextSwatch, writeFillSwatch, writeFillTextSwatch};
    colourLabels = {readBackgroundLabel,  readTextLabel,  readFillLabel,  readFillTextLabel,
                    writeBackgroundLabel, writeTextLabel, writeFillLabel, writeFillTextLabel};
    windowModeRadioButtons = {normalModeRadioButton, blendModeRadioButton, translucentModeRadioButton,
                              ghostModeRadioButton};
    trayLegendLabels = {trayLegendLabel0, trayLegendLabel1, trayLegendLabel2, trayLegendLabel3, trayLegendLabel4,
                        trayLegendLabel5, trayLegendLabel6, trayLegendLabel7, trayLegendLabel8};
    for (const ColourRoleKey& c : kColourRoleKeys) {
        colourSwatch(c.role)->setColour(core::toInt32(c.key->defaultText).value_or(0));
    }

    fillPictures_ = {monitor::builtInFillPicture(), monitor::builtInFillPicture()};
    showFillPicturePreview(core::Bar::Read);
    showFillPicturePreview(core::Bar::Write);

    socialLogoLabel->setPixmap(QPixmap::fromImage(socialLogo()));
    QPalette linkPalette = socialPageLinkLabel->palette();
    linkPalette.setColor(QPalette::WindowText, palette().color(QPalette::Highlight));
    socialPageLinkLabel->setPalette(linkPalette);
    // Each tray picture is drawn once: for the legend and for the tray icon.
    for (std::size_t i = 0; i < kTrayLegendOrder.size(); ++i) {
        const QPixmap picture = QPixmap::fromImage(trayPicture(kTrayLegendOrder[i]));
        trayIcons_[i] = QIcon(picture);
        trayLegendLabels[i]->setPixmap(picture);
        trayLegendLabels[i]->setAttribute(Qt::WA_TransparentForMouseEvents); // they take no clicks
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
