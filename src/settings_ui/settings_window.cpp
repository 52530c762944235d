#include "settings_ui/settings_window.h"

#include "core/settings.h"
#include "look/accessibility.h"
#include "look/built_in_fill.h"
#include "oruvel_version.h"
#include "settings_ui/dialogs.h"
#include "settings_ui/links.h"
#include "settings_ui/picture_file.h"
#include "ui_settings_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
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

QString programCaption() {
    return QStringLiteral("Oruvel v%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}

SettingsWindow::SettingsWindow(core::Settings& settings, QWidget* parent)
    : QWidget(parent), settings_(settings), ui_(std::make_unique<Ui::SettingsWindow>()), dialogs_(&qtDialogBackend()),
      loadPicture_(loadPictureFile) {
    setObjectName(QStringLiteral("settingsWindow"));
    QFont font(QStringLiteral("Verdana"));
    font.setPointSize(8);
    setFont(font);
    setFixedSize(kClientWidth, kClientHeight);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setWindowTitle(programCaption());
    buildControls();
    bindControls();
    connectCommands();
    listener_ = settings_.addListener([this](core::Key key) { onSettingChanged(key); });
}

SettingsWindow::~SettingsWindow() {
    settings_.removeListener(listener_);
}

// The form gives the controls their places, captions and initial states; what it cannot hold is set here.
void SettingsWindow::buildControls() {
    ui_->setupUi(this);
    showFillPicture(core::Bar::Read, look::builtInFillPicture());
    showFillPicture(core::Bar::Write, look::builtInFillPicture());
    ui_->socialLogoLabel->setPixmap(QPixmap::fromImage(socialLogo()));
    QPalette linkPalette = ui_->socialPageLinkLabel->palette();
    linkPalette.setColor(QPalette::WindowText, palette().color(QPalette::Highlight));
    ui_->socialPageLinkLabel->setPalette(linkPalette);
    for (QLabel* legend : {ui_->trayLegendLabel0, ui_->trayLegendLabel1, ui_->trayLegendLabel2, ui_->trayLegendLabel3,
                           ui_->trayLegendLabel4, ui_->trayLegendLabel5, ui_->trayLegendLabel6, ui_->trayLegendLabel7,
                           ui_->trayLegendLabel8}) {
        legend->setAttribute(Qt::WA_TransparentForMouseEvents); // they take no clicks
    }
    makeAccessible();
}

// What the form cannot say of the controls to the keyboard and to assistive technology: every control can be
// reached with Tab, and each says what it is.
void SettingsWindow::makeAccessible() {
    look::setAccessibleRole(*this, look::AccessibleRole::Window);
    const std::array<std::pair<ColourSwatch*, QLabel*>, 8> swatches{{
        {ui_->readBackgroundSwatch, ui_->readBackgroundLabel},
        {ui_->readTextSwatch, ui_->readTextLabel},
        {ui_->readFillSwatch, ui_->readFillLabel},
        {ui_->readFillTextSwatch, ui_->readFillTextLabel},
        {ui_->writeBackgroundSwatch, ui_->writeBackgroundLabel},
        {ui_->writeTextSwatch, ui_->writeTextLabel},
        {ui_->writeFillSwatch, ui_->writeFillLabel},
        {ui_->writeFillTextSwatch, ui_->writeFillTextLabel},
    }};
    for (const auto& [swatch, label] : swatches) {
        look::setAccessibleName(*swatch, label->text().remove(QLatin1Char(':')));
        label->setBuddy(swatch);
    }
    look::setAccessibleName(*ui_->translucentOpacityScrollBar, QStringLiteral("透明度级别"));
    look::setAccessibleDescription(*ui_->translucentOpacityScrollBar, ui_->translucentModeRadioButton->text());
    look::setAccessibleName(*ui_->ghostOpacityScrollBar, QStringLiteral("透明度级别"));
    look::setAccessibleDescription(*ui_->ghostOpacityScrollBar, ui_->ghostModeRadioButton->text());
    for (QScrollBar* bar : {ui_->translucentOpacityScrollBar, ui_->ghostOpacityScrollBar}) {
        bar->setFocusPolicy(Qt::StrongFocus); // the arrows move it, the right one up
        bar->setInvertedControls(false);
    }
    // Each level right after its mode.
    setTabOrder(ui_->translucentModeRadioButton, ui_->translucentOpacityScrollBar);
    setTabOrder(ui_->translucentOpacityScrollBar, ui_->ghostModeRadioButton);
    setTabOrder(ui_->ghostModeRadioButton, ui_->ghostOpacityScrollBar);
    look::setAccessibleName(*ui_->readFullScaleEdit, QStringLiteral("最大读取速度 (MB/s)"));
    look::setAccessibleName(*ui_->writeFullScaleEdit, QStringLiteral("最大写入速度 (MB/s)"));
    ui_->readFullScaleLabel->setBuddy(ui_->readFullScaleEdit);
    ui_->writeFullScaleLabel->setBuddy(ui_->writeFullScaleEdit);
    look::setAccessibleName(*ui_->readFillPicturePreview, QStringLiteral("读取栏填充图形"));
    look::setAccessibleName(*ui_->writeFillPicturePreview, QStringLiteral("写入栏填充图形"));
    ui_->socialPageLinkLabel->setFocusPolicy(Qt::StrongFocus);
    look::setAccessibleRole(*ui_->socialPageLinkLabel, look::AccessibleRole::Link);
    look::setAccessibleName(*ui_->socialPageLinkLabel, ui_->socialPageLinkLabel->text());
    look::setAccessibleName(*ui_->socialLogoLabel, ui_->socialPageLinkLabel->text());
}

void SettingsWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted()) {
        emit closed();
    }
}

// Keys the focused control leaves alone: Escape closes the window, the menu key and Shift+F10 open the program's menu.
void SettingsWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        close();
        return;
    }
    if (look::isMenuKey(*event)) {
        event->accept();
        const QWidget* at = focusWidget() != nullptr ? focusWidget() : this;
        emit menuRequested(at->mapToGlobal(at->rect().center()));
        return;
    }
    QWidget::keyPressEvent(event);
}

void SettingsWindow::connectCommands() {
    connect(ui_->defaultColoursButton, &QPushButton::clicked, this, &SettingsWindow::restoreDefaultColours);
    connect(ui_->randomColoursButton, &QPushButton::clicked, this, &SettingsWindow::randomizeColours);
    connect(ui_->readFillPictureButton, &QPushButton::clicked, this, [this] { chooseFillPicture(core::Bar::Read); });
    connect(ui_->writeFillPictureButton, &QPushButton::clicked, this, [this] { chooseFillPicture(core::Bar::Write); });
    connect(ui_->resetPositionsButton, &QPushButton::clicked, this, &SettingsWindow::resetPositionsRequested);
    for (ClickableLabel* link : {ui_->socialLogoLabel, ui_->socialPageLinkLabel}) {
        connect(link, &ClickableLabel::clicked, this, [] { openPage(kMakerSocialPage); });
    }
}

void SettingsWindow::setTrayLegend(const std::array<QPixmap, 9>& pictures, const std::array<QString, 9>& names) {
    const std::array<QLabel*, 9> legend{ui_->trayLegendLabel0, ui_->trayLegendLabel1, ui_->trayLegendLabel2,
                                        ui_->trayLegendLabel3, ui_->trayLegendLabel4, ui_->trayLegendLabel5,
                                        ui_->trayLegendLabel6, ui_->trayLegendLabel7, ui_->trayLegendLabel8};
    for (std::size_t i = 0; i < legend.size(); ++i) {
        legend[i]->setPixmap(pictures[i]);
        look::setAccessibleName(*legend[i], names[i]);
    }
}

void SettingsWindow::showFillPicture(core::Bar bar, const QImage& picture) {
    QLabel* preview = bar == core::Bar::Read ? ui_->readFillPicturePreview : ui_->writeFillPicturePreview;
    preview->setPixmap(QPixmap::fromImage(picture));
}

void SettingsWindow::showInFront() {
    show();
    raise();
    activateWindow();
    setFocus();
}

void SettingsWindow::showSaveProblem(const QString& text) {
    saveProblemText_ = text;
    showFootNote();
}

void SettingsWindow::showPictureProblem(const QString& text) {
    pictureProblemText_ = text;
    showFootNote();
}

void SettingsWindow::showLoginStartProblem(const QString& text) {
    loginStartProblemText_ = text;
    showFootNote();
}

// The line below the form: settings that cannot be saved go first, then a start at login that failed, then a picture
// that could not be read.
void SettingsWindow::showFootNote() {
    const QString& text = !saveProblemText_.isEmpty()         ? saveProblemText_
                          : !loginStartProblemText_.isEmpty() ? loginStartProblemText_
                                                              : pictureProblemText_;
    if (saveProblem_ == nullptr) {
        saveProblem_ = new QLabel(this);
        saveProblem_->setObjectName(QStringLiteral("saveProblemLabel"));
        saveProblem_->setGeometry(0, kClientHeight, kClientWidth, kNoteHeight);
        saveProblem_->setAutoFillBackground(true);
        QPalette warning = saveProblem_->palette();
        warning.setColor(QPalette::Window, QColor(255, 236, 179));
        warning.setColor(QPalette::WindowText, QColor(120, 40, 0));
        saveProblem_->setPalette(warning);
        saveProblem_->setIndent(6);
    }
    saveProblem_->setToolTip(text);
    saveProblem_->setText(saveProblem_->fontMetrics().elidedText(text, Qt::ElideMiddle, kClientWidth - 12));
    look::setAccessibleName(*saveProblem_, text);
    saveProblem_->setVisible(!text.isEmpty());
    // The note has a line of its own below the form, so it covers nothing of it.
    setFixedSize(kClientWidth, kClientHeight + (text.isEmpty() ? 0 : kNoteHeight));
}

void SettingsWindow::showNoCompositorNote(bool shown) {
    if (noCompositor_ == nullptr) {
        noCompositor_ = new QLabel(QStringLiteral("未运行合成管理器：透明效果不会显示"), ui_->windowModeGroupBox);
        noCompositor_->setObjectName(QStringLiteral("noCompositorLabel"));
        noCompositor_->setGeometry(150, 14, 310, 17);
        noCompositor_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    noCompositor_->setVisible(shown);
}

void SettingsWindow::setStartWithLoginCaption(const QString& caption) {
    ui_->startWithLoginCheckBox->setText(caption);
}

void SettingsWindow::onSettingChanged(core::Key key) {
    for (const Binding& binding : bindings_) {
        if (binding.key == key) {
            binding.show();
        }
    }
}

void SettingsWindow::updateEnabledControls() {
    // A hidden monitor greys them all; an undecided (greyed) box leaves them as they are.
    const int shown = settings_.number(core::Key::ShowMonitor);
    const bool appearance = shown != 0;
    for (QWidget* w : std::initializer_list<QWidget*>{ui_->coloursGroupBox,
                                                      ui_->windowModeGroupBox,
                                                      ui_->readBackgroundLabel,
                                                      ui_->readTextLabel,
                                                      ui_->readFillLabel,
                                                      ui_->readFillTextLabel,
                                                      ui_->writeBackgroundLabel,
                                                      ui_->writeTextLabel,
                                                      ui_->writeFillLabel,
                                                      ui_->writeFillTextLabel,
                                                      ui_->readBackgroundSwatch,
                                                      ui_->readTextSwatch,
                                                      ui_->readFillSwatch,
                                                      ui_->readFillTextSwatch,
                                                      ui_->writeBackgroundSwatch,
                                                      ui_->writeTextSwatch,
                                                      ui_->writeFillSwatch,
                                                      ui_->writeFillTextSwatch,
                                                      ui_->defaultColoursButton,
                                                      ui_->randomColoursButton,
                                                      ui_->resetPositionsButton,
                                                      ui_->roundCornersCheckBox,
                                                      ui_->barBorderCheckBox,
                                                      ui_->hideBarTextCheckBox,
                                                      ui_->readFillColourRadioButton,
                                                      ui_->readFillPictureRadioButton,
                                                      ui_->writeFillColourRadioButton,
                                                      ui_->writeFillPictureRadioButton,
                                                      ui_->alwaysOnTopCheckBox,
                                                      ui_->readFillPictureButton,
                                                      ui_->writeFillPictureButton,
                                                      ui_->normalModeRadioButton,
                                                      ui_->blendModeRadioButton,
                                                      ui_->translucentModeRadioButton,
                                                      ui_->ghostModeRadioButton}) {
        if (shown != 2) {
            w->setEnabled(appearance);
        }
    }
    // Each opacity belongs to its mode.
    const std::optional<core::WindowMode> mode = settings_.windowMode();
    const bool translucent = appearance && mode == core::WindowMode::Translucent;
    const bool ghost = appearance && mode == core::WindowMode::Ghost;
    ui_->translucentLevelLabel->setEnabled(translucent);
    ui_->translucentOpacityScrollBar->setEnabled(translucent);
    ui_->ghostLevelLabel->setEnabled(ghost);
    ui_->ghostOpacityScrollBar->setEnabled(ghost);
}

} // namespace oruvel::settings_ui
