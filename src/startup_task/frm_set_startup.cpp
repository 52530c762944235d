#include "startup_task/frm_set_startup.h"

#include "startup_task/set_startup_logic.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace oruvel::startup_task {

FrmSetStartup::FrmSetStartup(platform::StartupRegistrar& registrar, std::string folder)
    : registrar_(registrar), folder_(std::move(folder)) {
    setObjectName(QStringLiteral("FrmSetStartup"));
    setWindowTitle(QStringLiteral("设置任务计划项"));
    QFont font(QStringLiteral("Verdana"));
    font.setPointSize(8);
    setFont(font);
    setFixedSize(420, 210);

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setPlainText(QStringLiteral(
        "此工具用于设置Oruvel在Windows Vista、Windows 7、2008中的启动和更新。此程序将创建一个新的任务计划程序条目。使程序"
        "设置在登录时使用管理员权限运行，而无需用户人工干预。此程序需要以管理员身份运行才能写入到Windows任务计划程序。"));
    Text1->setGeometry(8, 8, 404, 100);

    Command1 = new QPushButton(QStringLiteral("创建"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(8, 116, 198, 30);
    Command2 = new QPushButton(QStringLiteral("移除"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(214, 116, 198, 30);

    Label1 = new QLabel(QStringLiteral("命令行选项: /create (创建Oruvel任务计划条目) - /remove (移除Oruvel任务计划条目)"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setGeometry(8, 154, 404, 48);

    connect(Command1, &QPushButton::clicked, this, [this] {
        Create(registrar_, folder_);
        QCoreApplication::processEvents();
    });
    connect(Command2, &QPushButton::clicked, this, [this] {
        Remove(registrar_);
        QCoreApplication::processEvents();
    });
}

} // namespace oruvel::startup_task
