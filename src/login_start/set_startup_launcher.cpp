#include "login_start/set_startup_launcher.h"

#include "platform/system_paths.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>

#include <memory>

namespace oruvel::login_start {

SetStartupLauncher::SetStartupLauncher(std::string programFolder, Launcher launcher)
    : programFolder_(std::move(programFolder)), launcher_(std::move(launcher)) {}

std::string SetStartupLauncher::startupProgramPath() const {
    return programFolder_ + platform::kPathSeparator + platform::executableFileName("oruvel_set_startup");
}

void SetStartupLauncher::apply(bool on, Done done) {
    if (launcher_) {
        launcher_(startupProgramPath(), on ? "/create" : "/remove", programFolder_, std::move(done));
    }
}

void launchWatched(const std::string& program, const std::string& argument, const std::string& workingDirectory,
                   const core::LoginStartSwitch::Done& done) {
    auto* process = new QProcess(QCoreApplication::instance()); // gone at the latest with the application
    process->setProgram(QString::fromStdString(program));
    process->setArguments({QString::fromStdString(argument)});
    process->setWorkingDirectory(QString::fromStdString(workingDirectory));
    process->setProcessChannelMode(QProcess::SeparateChannels);
    process->setStandardOutputFile(QProcess::nullDevice());
    // Told once, whichever of the two signals comes; the process object goes with it.
    auto told = std::make_shared<bool>(false);
    const auto tell = [process, done, told](const QString& failure) {
        if (*told) {
            return;
        }
        *told = true;
        if (done) {
            done(failure.toStdString());
        }
        process->deleteLater();
    };
    QObject::connect(process, &QProcess::errorOccurred, process, [process, tell](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            tell(QStringLiteral("%1: %2").arg(process->program(), process->errorString()));
        }
    });
    QObject::connect(process, &QProcess::finished, process, [process, tell](int status, QProcess::ExitStatus how) {
        if (how == QProcess::NormalExit && status == 0) {
            tell(QString());
            return;
        }
        const QStringList said =
            QString::fromLocal8Bit(process->readAllStandardError()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        tell(!said.isEmpty()               ? said.constLast().trimmed()
             : how == QProcess::NormalExit ? QStringLiteral("exit status %1").arg(status)
                                           : process->errorString());
    });
    process->start();
}

} // namespace oruvel::login_start
