#pragma once

#include "platform/startup_registrar.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace oruvel::startup_task {

// The start-up program's window: what it does, and Create and Remove buttons that act and leave it open.
class StartupTaskWindow : public QWidget {
    Q_OBJECT
public:
    StartupTaskWindow(platform::StartupRegistrar& registrar, std::string folder);

    QPlainTextEdit* descriptionText = nullptr;
    QPushButton* createButton = nullptr;
    QPushButton* removeButton = nullptr;
    QLabel* usageLabel = nullptr;

private:
    platform::StartupRegistrar& registrar_;
    std::string folder_;
};

} // namespace oruvel::startup_task
