// Oruvel: a floating gadget that shows the live read and write rates of the disks.
#include "app/gadget.h"
#include "app/own_environment.h"
#include "app/platform_choice.h"
#include "app/running_copy.h"
#include "app/session_follower.h"
#include "app/termination_signals.h"
#include "app/window_places.h"
#include "core/settings.h"
#include "core/settings_location.h"
#include "core/unsaved_settings.h"
#include "login_start/set_startup_launcher.h"
#include "look/accessibility.h"
#include "look/fonts.h"
#include "look/program_icon.h"
#include "look/translations.h"
#include "platform/disk_activity_source.h"
#include "platform/disk_list.h"
#include "platform/disk_rate_source.h"
#include "platform/file_ops.h"
#include "platform/process_io.h"
#include "platform/system_paths.h"
#include "settings_ui/picture_file.h"
#include "tray/tray_icon.h"

#include <QApplication>
#include <QDir>
#include <QSessionManager>

#include <cstdio>

using namespace oruvel;

namespace {

// Changes the settings file could not take by the end wait for the next start, or are at least named.
void keepUnsavedChanges(core::Settings& settings, const std::string& unsavedFile) {
    const std::vector<platform::ini::KeyValue> left = settings.finishWrites();
    if (left.empty()) {
        return;
    }
    const QString file = QDir::toNativeSeparators(QString::fromStdString(settings.path()));
    if (core::keepUnsaved(unsavedFile, settings.path(), left)) {
        std::fprintf(stderr, "Oruvel: settings not saved to %s; kept in %s for the next start\n", qPrintable(file),
                     qPrintable(QDir::toNativeSeparators(QString::fromStdString(unsavedFile))));
        return;
    }
    std::fprintf(stderr, "Oruvel: settings not saved to %s and lost (%s):\n", qPrintable(file),
                 platform::lastFileFailure().c_str());
    for (const platform::ini::KeyValue& e : left) {
        std::fprintf(stderr, "  %s=%s\n", e.key.c_str(), e.value.c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    app::OwnEnvironment ownEnvironment;
    // The program wakes once a second; Qt's plain event dispatcher does that for less CPU than the GLib one.
    ownEnvironment.setIfUnset("QT_NO_GLIB", "1");
    // The windows are small: on X11 a shared-memory image makes every repaint of a bar wait for a round trip to the
    // server before drawing, which costs more than sending the few pixels over the connection.
    ownEnvironment.setIfUnset("QT_XCB_NO_MITSHM", "1");
    const app::PlatformChoice platform = app::choosePlatform([](const char* name) -> std::optional<std::string> {
        if (!qEnvironmentVariableIsSet(name)) {
            return std::nullopt;
        }
        return qEnvironmentVariable(name).toStdString();
    });
    if (platform.platform) {
        ownEnvironment.setIfUnset("QT_QPA_PLATFORM", *platform.platform);
    }
    if (!platform.note.empty()) {
        std::fprintf(stderr, "%s\n", platform.note.c_str());
    }
    QApplication app(argc, argv); // the command line ("/startup" among others) changes nothing
    ownEnvironment.release();
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("Oruvel"));
    QApplication::setWindowIcon(look::programIcon()); // title bars and task lists show it
    look::installFontSubstitutes();
    look::installAccessibility();
    look::installQtTranslations(QCoreApplication::applicationDirPath());

    // As the system names it, byte for byte: a folder name that is not UTF-8 still finds the file beside the program.
    const std::string programPath = platform::runningProgramPath();
    const std::string programFolder =
        programPath.empty() ? QCoreApplication::applicationDirPath().toStdString() : platform::folderOf(programPath);
    const std::string configFolder = platform::userConfigFolder();
    const std::string settingsPath = core::prepareSettingsFile(programFolder, configFolder, platform::isWritableFolder);
    app::RunningCopy runningCopy(QString::fromStdString(settingsPath));
    if (runningCopy.handOver()) {
        return 0; // the copy that runs shows its settings window
    }
    core::Settings settings(settingsPath);
    const std::string unsavedFile = core::unsavedSettingsFile(configFolder, settingsPath);
    settings.applyUnsaved(core::takeUnsaved(unsavedFile, settingsPath));
    app::WindowPlaces places(app::WindowPlaces::openUserStore(configFolder));
    if (!configFolder.empty()) {
        // Where earlier versions kept the places.
        places.importHive(QString::fromStdString(configFolder + "/Oruvel/registry/HKEY_CURRENT_USER.hive"));
    }

    login_start::SetStartupLauncher loginStart(programFolder, login_start::launchWatched);
    app::GadgetServices services;
    services.programFolder = programFolder;
    services.openDiskRates = [] { return platform::openDiskRateSource(); };
    services.listDisks = platform::listPhysicalDisks;
    services.loginStart = &loginStart;
    services.loadPicture = settings_ui::loadPictureFile;
    const platform::SteadyClock clock;
    services.activity.openDisks = platform::openDiskActivitySource;
    services.activity.openProcesses = platform::openProcessIoSource;
    services.activity.listDisks = platform::listDisksWithVolumes;
    services.activity.clock = &clock;
    app::Gadget gadget(settings, places, std::move(services));
    app::onTerminationRequest([&gadget] { gadget.exit(); });
    app::SessionFollower session(gadget);
    QObject::connect(&runningCopy, &app::RunningCopy::startedAgain, &gadget, &app::Gadget::showSettings);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &session, &app::SessionFollower::onSessionSave);

    gadget.start();
    const int status = gadget.isExiting() ? 0 : QApplication::exec();
    keepUnsavedChanges(settings, unsavedFile);
    return status;
}
