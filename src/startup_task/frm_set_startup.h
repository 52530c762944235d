#pragma once

#include "platform/startup_registrar.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace oruvel::startup_task {

// The start-up program's window: what it does, and Create and Remove buttons that act and leave it open.
class FrmSetStartup : public QWidget {
    Q_OBJECT
public:
    FrmSetStartup(platform::StartupRegistrar& registrar, std::string folder);

    QPlainTextEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QLabel* Label1 = nullptr;

private:
    platform::StartupRegistrar& registrar_;
    std::string folder_;
};

} // namespace oruvel::startup_task
