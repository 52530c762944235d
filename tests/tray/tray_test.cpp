#include "tray/ctl_sys_tray.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace oruvel::tray;

namespace {

class RecordingShell final : public TrayShell {
public:
    struct Request {
        int message;
        NotifyRecord record;
    };
    std::vector<Request> requests;
    bool accept = true;
    int windows = 0;

    bool notify(int message, const NotifyRecord& record) override {
        requests.push_back({message, record});
        return accept;
    }
    Handle createMessageWindow() override { return static_cast<Handle>(++windows); }
    void destroyMessageWindow(Handle) override { --windows; }
};

struct TrayFixture : ::testing::Test {
    RecordingShell shell;
    int pumps = 0;
    std::vector<std::string> events;
    ctlSysTray tray{shell, 77, [this] {
                        ++pumps;
                        events.push_back("pump");
                    }};

    TrayFixture() {
        const auto log = [this](const char* name) {
            return [this, name](int b, int s, int x, int y) {
                events.push_back(std::string(name) + " " + std::to_string(b) + " " + std::to_string(s) + " " +
                                 std::to_string(x) + "," + std::to_string(y));
            };
        };
        tray.events.Click = log("Click");
        tray.events.DblClick = log("DblClick");
        tray.events.MouseDown = log("MouseDown");
        tray.events.MouseMove = log("MouseMove");
        tray.events.MouseUp = log("MouseUp");
        tray.events.TaskbarCreated = [this] { events.emplace_back("TaskbarCreated"); };
    }
};

} // namespace

TEST_F(TrayFixture, ShowNeedsAnIconAndSendsTheRecord) {
    tray.Show();
    EXPECT_TRUE(shell.requests.empty()) << "no icon yet";
    tray.Icon(5);
    EXPECT_TRUE(shell.requests.empty()) << "hidden: only stored";
    tray.ToolTip("stored while hidden");
    EXPECT_TRUE(shell.requests.empty());
    tray.Show();
    ASSERT_EQ(shell.requests.size(), 1U);
    const NotifyRecord& r = shell.requests[0].record;
    EXPECT_EQ(shell.requests[0].message, nim::kAdd);
    EXPECT_EQ(r.cbSize, 504U);
    EXPECT_EQ(r.uID, 1U);
    EXPECT_EQ(r.uFlags, 7U);
    EXPECT_EQ(r.uCallbackMessage, 0x200U);
    EXPECT_EQ(r.hWnd, 77U);
    EXPECT_EQ(r.hIcon, 5U);
    EXPECT_EQ(r.szTip, "") << "a tooltip set while hidden reaches the shell only with the next write";
    EXPECT_TRUE(tray.worker().displayed());

    tray.Show();
    ASSERT_EQ(shell.requests.size(), 3U);
    EXPECT_EQ(shell.requests[1].message, nim::kDelete) << "a second Show removes and re-adds";
    EXPECT_EQ(shell.requests[2].message, nim::kAdd);
    EXPECT_EQ(shell.windows, 1);

    tray.Hide();
    tray.Hide();
    EXPECT_EQ(shell.requests.size(), 4U) << "Hide while hidden sends nothing";
    EXPECT_EQ(shell.windows, 0);
}

TEST_F(TrayFixture, TooltipIsCutTo127CharactersAndIconChangesAreSent) {
    tray.Icon(2);
    tray.Show();
    tray.ToolTip(std::string(200, 'x'));
    EXPECT_EQ(shell.requests.back().message, nim::kModify);
    EXPECT_EQ(shell.requests.back().record.szTip, std::string(127, 'x'));
    tray.ToolTip("读: 05.00 MB" + std::string(130, 'y'));
    EXPECT_EQ(shell.requests.back().record.szTip.size(), std::string("读: 05.00 MB").size() + 127 - 11);
    tray.Icon(9);
    EXPECT_EQ(shell.requests.back().message, nim::kModify);
    EXPECT_EQ(shell.requests.back().record.hIcon, 9U);
    tray.CloseTooltip();
    EXPECT_EQ(shell.requests.back().record.uFlags, 0x14U);
    EXPECT_EQ(shell.requests.back().record.szTip, "");
}

TEST_F(TrayFixture, RefusedAddLeavesTheIconHiddenUntilTheNextTry) {
    shell.accept = false;
    tray.Icon(2);
    tray.Show();
    EXPECT_FALSE(tray.worker().displayed());
    const auto sent = shell.requests.size();
    tray.ToolTip("x");
    EXPECT_EQ(shell.requests.size(), sent);
    shell.accept = true;
    tray.Reload();
    EXPECT_TRUE(tray.worker().displayed());
}

TEST_F(TrayFixture, NotificationCodesBecomeEvents) {
    auto& w = tray.worker();
    w.hookNotification(0x200, 1, 2, 10, 20);
    w.hookNotification(0x201, 0, 0, 1, 1);
    w.hookNotification(0x204, 0, 0, 1, 1);
    w.hookNotification(0x207, 0, 0, 1, 1);
    w.hookNotification(0x205, 0, 1, 1, 1);
    w.hookNotification(0x206, 0, 0, 1, 1);
    w.hookNotification(0x209, 0, 0, 1, 1);
    w.hookNotification(0x208, 0, 0, 1, 1);
    w.hookNotification(0x400, 0, 0, 1, 1);
    w.hookNotification(0x1FF, 0, 0, 1, 1);
    w.hookNotification(0x20A, 0, 0, 1, 1);
    const std::vector<std::string> expected{
        "MouseMove 1 2 10,20", "MouseDown 1 0 1,1", "MouseDown 2 0 1,1", "MouseDown 4 0 1,1", "MouseUp 2 1 1,1",
        "pump",                "Click 2 1 1,1",     "DblClick 2 0 1,1",  "DblClick 4 0 1,1",  "MouseUp 4 0 1,1",
        "pump",                "Click 4 0 1,1"};
    EXPECT_EQ(events, expected);
}

TEST_F(TrayFixture, ADoubleClickSequence) {
    auto& w = tray.worker();
    for (const int code : {0x201, 0x202, 0x203, 0x202}) {
        w.hookNotification(code, 0, 0, 5, 6);
    }
    const std::vector<std::string> expected{"MouseDown 1 0 5,6", "MouseUp 1 0 5,6", "pump",           "Click 1 0 5,6",
                                            "DblClick 1 0 5,6",  "MouseUp 1 0 5,6", "pump",           "Click 1 0 5,6"};
    EXPECT_EQ(events, expected);
}

TEST_F(TrayFixture, MessageRouteHasNoShiftNoButtonOnMoveAndNoClick) {
    long wParam = 0;
    for (long code : {0x200L, 0x205L}) {
        tray.worker().ProcessMessage(wParam, code, 3, 4);
    }
    EXPECT_EQ(events, (std::vector<std::string>{"MouseMove 0 0 3,4", "MouseUp 2 0 3,4"}));
}

TEST_F(TrayFixture, TaskbarCreatedReloadsWhenAutoReloadIsOn) {
    tray.Icon(3);
    tray.Show();
    tray.ToolTip("last tip");
    const auto sent = shell.requests.size();
    tray.worker().TriggerTaskbarEvent("someone else");
    EXPECT_TRUE(events.empty());
    tray.worker().TriggerTaskbarEvent("modSysTrayIcon");
    EXPECT_EQ(events, std::vector<std::string>{"TaskbarCreated"});
    ASSERT_EQ(shell.requests.size(), sent + 2);
    EXPECT_EQ(shell.requests.back().message, nim::kAdd);
    EXPECT_EQ(shell.requests.back().record.szTip, "last tip") << "re-added with its last tooltip";

    tray.AutoReload = false;
    tray.worker().TriggerTaskbarEvent("modSysTrayIcon");
    EXPECT_EQ(shell.requests.size(), sent + 2);
    EXPECT_EQ(events.size(), 2U) << "the event is raised either way";
}
