#pragma once

#include "platform/login_start_registry.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace oruvel::login_start {

// The start-up program's window: what it does, and Create and Remove buttons that act, say below them whether that
// worked and why not, and leave it open.
class SetStartupWindow : public QWidget {
    Q_OBJECT
public:
    SetStartupWindow(platform::LoginStartRegistry& registrar, std::string folder);

    QPlainTextEdit* descriptionText = nullptr;
    QPushButton* createButton = nullptr;
    QPushButton* removeButton = nullptr;
    QLabel* usageLabel = nullptr;
    QLabel* resultLabel = nullptr;

private:
    void tell(bool done, const QString& what) const;

    platform::LoginStartRegistry& registrar_;
    std::string folder_;
};

} // namespace oruvel::login_start
