#include "login_start/set_startup_logic.h"
#include "login_start/set_startup_window.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace oruvel;

namespace {

class RecordingRegistrar final : public platform::LoginStartRegistry {
public:
    std::vector<platform::LoginStart> registered;
    std::vector<std::string> deleted;
    bool add(const platform::LoginStart& task) override {
        registered.push_back(task);
        return false; // as without administrator rights: nothing tells the user
    }
    bool remove(const std::string& name) override {
        deleted.push_back(name);
        return false;
    }
};

} // namespace

TEST(SetStartupWindow, ButtonsActAndLeaveTheWindowOpen) {
    RecordingRegistrar registrar;
    login_start::SetStartupWindow window(registrar, "/apps/oruvel");
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("设置任务计划项"));
    EXPECT_TRUE(window.descriptionText->toPlainText().startsWith(QStringLiteral("此工具用于设置Oruvel")));
    EXPECT_EQ(window.createButton->text(), QStringLiteral("创建"));
    EXPECT_EQ(window.removeButton->text(), QStringLiteral("移除"));
    EXPECT_TRUE(window.usageLabel->text().startsWith(QStringLiteral("命令行选项: /create")));
    QTest::mouseClick(window.createButton, Qt::LeftButton);
    EXPECT_TRUE(window.resultLabel->text().startsWith(QStringLiteral("创建失败"))) << "a failure says so";
    QTest::mouseClick(window.removeButton, Qt::LeftButton);
    EXPECT_TRUE(window.resultLabel->text().startsWith(QStringLiteral("移除失败")));
    ASSERT_EQ(registrar.registered.size(), 1U);
    EXPECT_EQ(registrar.registered[0], login_start::oruvelLoginStart("/apps/oruvel"));
    EXPECT_EQ(registrar.deleted, std::vector<std::string>{"Oruvel"});
    EXPECT_TRUE(window.isVisible());
}
