#include "login_start/set_startup_window.h"

#include "login_start/set_startup_logic.h"
#include "platform/file_ops.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace oruvel::login_start {

SetStartupWindow::SetStartupWindow(platform::LoginStartRegistry& registrar, std::string folder)
    : registrar_(registrar), folder_(std::move(folder)) {
    setObjectName(QStringLiteral("startupTaskWindow"));
    setWindowTitle(QStringLiteral("设置任务计划项"));
    QFont font(QStringLiteral("Verdana"));
    font.setPointSize(8);
    setFont(font);
    setFixedSize(420, 232);

    descriptionText = new QPlainTextEdit(this);
    descriptionText->setObjectName(QStringLiteral("descriptionText"));
    descriptionText->setReadOnly(true);
    descriptionText->setPlainText(QStringLiteral("此工具用于设置Oruvel在Windows Vista、Windows "
                                                 "7、2008中的启动和更新。此程序将创建一个新的任务计划程序条目。使程序"
                                                 "设置在登录时使用管理员权限运行，而无需用户人工干预。此程序需要以管理"
                                                 "员身份运行才能写入到Windows任务计划程序。"));
    descriptionText->setGeometry(8, 8, 404, 100);

    createButton = new QPushButton(QStringLiteral("创建"), this);
    createButton->setObjectName(QStringLiteral("createButton"));
    createButton->setGeometry(8, 116, 198, 30);
    removeButton = new QPushButton(QStringLiteral("移除"), this);
    removeButton->setObjectName(QStringLiteral("removeButton"));
    removeButton->setGeometry(214, 116, 198, 30);

    usageLabel = new QLabel(
        QStringLiteral("命令行选项: /create (创建Oruvel任务计划条目) - /remove (移除Oruvel任务计划条目)"), this);
    usageLabel->setObjectName(QStringLiteral("usageLabel"));
    usageLabel->setWordWrap(true);
    usageLabel->setGeometry(8, 154, 404, 48);

    resultLabel = new QLabel(this);
    resultLabel->setObjectName(QStringLiteral("resultLabel"));
    resultLabel->setGeometry(8, 204, 404, 22);

    connect(createButton, &QPushButton::clicked, this,
            [this] { tell(createLoginStart(registrar_, folder_), QStringLiteral("创建")); });
    connect(removeButton, &QPushButton::clicked, this,
            [this] { tell(removeLoginStart(registrar_), QStringLiteral("移除")); });
}

void SetStartupWindow::tell(bool done, const QString& what) const {
    const QString why = QString::fromStdString(platform::lastFileFailure());
    resultLabel->setText(
        done ? QStringLiteral("已%1。").arg(what)
             : QStringLiteral("%1失败：%2").arg(what, why.isEmpty() ? QStringLiteral("未知原因") : why));
    resultLabel->setToolTip(resultLabel->text());
}

} // namespace oruvel::login_start
