#include "startup_task/frm_set_startup.h"
#include "startup_task/set_startup_logic.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace oruvel;

namespace {

class RecordingRegistrar final : public platform::StartupRegistrar {
public:
    std::vector<platform::LogonTask> registered;
    std::vector<std::string> deleted;
    bool registerTask(const platform::LogonTask& task) override {
        registered.push_back(task);
        return false; // as without administrator rights: nothing tells the user
    }
    bool deleteTask(const std::string& name) override {
        deleted.push_back(name);
        return false;
    }
};

} // namespace

TEST(FrmSetStartup, ButtonsActAndLeaveTheWindowOpen) {
    RecordingRegistrar registrar;
    startup_task::FrmSetStartup window(registrar, "/apps/oruvel");
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("设置任务计划项"));
    EXPECT_TRUE(window.Text1->toPlainText().startsWith(QStringLiteral("此工具用于设置Oruvel")));
    EXPECT_EQ(window.Command1->text(), QStringLiteral("创建"));
    EXPECT_EQ(window.Command2->text(), QStringLiteral("移除"));
    EXPECT_TRUE(window.Label1->text().startsWith(QStringLiteral("命令行选项: /create")));
    QTest::mouseClick(window.Command1, Qt::LeftButton);
    QTest::mouseClick(window.Command2, Qt::LeftButton);
    ASSERT_EQ(registrar.registered.size(), 1U);
    EXPECT_EQ(registrar.registered[0], startup_task::oruvelLogonTask("/apps/oruvel"));
    EXPECT_EQ(registrar.deleted, std::vector<std::string>{"Oruvel"});
    EXPECT_TRUE(window.isVisible());
}
