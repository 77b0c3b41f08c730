// The notification-area icon: it comes and goes with the program, comes back when
// the taskbar is created again, and its presses restore the main window or open the
// settings window modally. Notifications reach the main window as WM_MOUSEMOVE with
// the icon id (1) in wParam and the mouse message in lParam.
#include "tests/e2e/harness.h"
#include "tests/common/named_case.h"
#include "ui/control_ids.h"

#include <gtest/gtest.h>

#include <ostream>

namespace inkwarden_testing {
namespace {

namespace ids = inkwarden::ids;

constexpr WPARAM kIconId = 1;

void PostTray(const App& app, LPARAM mouseMessage) {
    PostMessageW(app.main(), WM_MOUSEMOVE, kIconId, mouseMessage);
}

struct EndCase : NamedCase {
    bool exitSpot; // otherwise the main window is closed
};

class TrayIconLife : public ::testing::TestWithParam<EndCase> {};

TEST_P(TrayIconLife, AppearsAtStartAndGoesWithTheProgram) {
    const int before = SettledTrayIconCount();
    App app;
    ASSERT_TRUE(app.Start(IniText(0, L"张三", 0, 0)));
    EXPECT_TRUE(WaitUntil([&] { return TrayIconCount() == before + 1; })) << TrayIconCount();

    if (GetParam().exitSpot)
        ClickLabel(app.Item(ids::kExit));
    else
        PostMessageW(app.main(), WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(app.WaitForExit(&exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(WaitUntil([&] { return TrayIconCount() == before; })) << TrayIconCount();
}

INSTANTIATE_TEST_SUITE_P(Ends, TrayIconLife,
                         ::testing::Values(EndCase{"ExitSpot", true}, EndCase{"CloseMainWindow", false}),
                         CaseName());

TEST(TrayIcon, ComesBackWhenTheTaskbarIsCreatedAgain) {
    const int before = SettledTrayIconCount();
    App app;
    ASSERT_TRUE(app.Start(IniText(0, L"张三", 0, 0)));
    ASSERT_TRUE(WaitUntil([&] { return TrayIconCount() == before + 1; }));

    ASSERT_TRUE(DeleteTrayIcon(app.main())); // as a restarted Explorer has lost it
    ASSERT_TRUE(WaitUntil([&] { return TrayIconCount() == before; }));
    PostMessageW(app.main(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return TrayIconCount() == before + 1; })) << TrayIconCount();
    // The icon is the program's own again: removing it by its id works.
    EXPECT_TRUE(DeleteTrayIcon(app.main()));
}

struct MinimisedCase : NamedCase {
    bool atStart; // otherwise by the minimise spot
};

class TrayLeftPress : public ::testing::TestWithParam<MinimisedCase> {};

TEST_P(TrayLeftPress, RestoresTheMinimisedMainWindow) {
    App app;
    ASSERT_TRUE(app.Start(IniText(0, L"张三", GetParam().atStart ? 1 : 0, 0)));
    ASSERT_EQ(IsIconic(app.main()) != FALSE, GetParam().atStart);
    if (!GetParam().atStart)
        ClickLabel(app.Item(ids::kMinimise));
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(app.main()) != FALSE; }));
    EXPECT_TRUE(IsWindow(app.main())) << "minimised, not closed";

    PostTray(app, WM_LBUTTONDOWN);
    ASSERT_TRUE(app.Settle());
    EXPECT_FALSE(IsIconic(app.main()));
    EXPECT_TRUE(IsWindowVisible(app.main()));
    EXPECT_EQ(GetForegroundWindow(), app.main());
    EXPECT_TRUE(FocusIs(app.Item(ids::kFunc0)));
    // Brought to the front without staying above other windows.
    EXPECT_EQ(GetWindowLongW(app.main(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(app.WindowCount(kSettingsClass), 0);
}

INSTANTIATE_TEST_SUITE_P(Minimised, TrayLeftPress,
                         ::testing::Values(MinimisedCase{"AtStart", true}, MinimisedCase{"BySpot", false}),
                         CaseName());

struct ModalCase : NamedCase {
    bool withResult; // a result window is open too
};

class TrayRightPress : public ::testing::TestWithParam<ModalCase> {};

TEST_P(TrayRightPress, OpensTheSettingsWindowModallyUntilItCloses) {
    App app;
    ASSERT_TRUE(app.Start(IniText(3, L"张三", 0, 1)));
    HWND result = nullptr;
    if (GetParam().withResult) {
        result = app.Confirm(0);
        ASSERT_NE(result, nullptr);
    }

    PostTray(app, WM_RBUTTONDOWN);
    const HWND settings = app.SettingsWindow();
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(IsChecked(GetDlgItem(settings, ids::kOption0 + 3)));
    EXPECT_TRUE(IsChecked(GetDlgItem(settings, ids::kCheck0)));
    EXPECT_FALSE(IsWindowEnabled(app.main()));
    if (result) {
        EXPECT_FALSE(IsWindowEnabled(result));
    }
    EXPECT_TRUE(IsWindowEnabled(settings));

    ClickLabel(GetDlgItem(settings, ids::kSetClose));
    EXPECT_TRUE(Closed(settings));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(app.main()) != FALSE; }));
    if (result) {
        EXPECT_TRUE(IsWindowEnabled(result));
    }
    // Once closed it stays closed: bringing "it" to the front afterwards must not load
    // and show it again.
    ASSERT_TRUE(app.Settle());
    EXPECT_EQ(app.WindowCount(kSettingsClass), 0);

    // The main window takes its clicks again.
    EXPECT_NE(app.OpenSettings(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Windows, TrayRightPress,
                         ::testing::Values(ModalCase{"MainOnly", false}, ModalCase{"WithResultWindow", true}),
                         CaseName());

TEST(TrayIcon, RightPressWhileTheSettingsWindowIsOpenOpensNoSecond) {
    App app;
    ASSERT_TRUE(app.Start(IniText(0, L"张三", 0, 0)));
    const HWND settings = app.OpenSettings();
    ASSERT_NE(settings, nullptr);

    PostTray(app, WM_RBUTTONDOWN);
    ASSERT_TRUE(app.Settle());
    EXPECT_EQ(app.WindowCount(kSettingsClass), 1);
    EXPECT_EQ(app.Windows(kSettingsClass).front(), settings);
    EXPECT_TRUE(IsWindowEnabled(app.main())); // the refused modal display disables nothing
    EXPECT_TRUE(IsWindowVisible(settings));
}

struct IgnoredCase {
    const char* what;
    WPARAM wParam;
    LPARAM lParam;
};

TEST(TrayIcon, OtherNotificationsAndOrdinaryMouseMovementsDoNothing) {
    App app;
    ASSERT_TRUE(app.Start(IniText(0, L"张三", 1, 0)));
    ASSERT_TRUE(IsIconic(app.main()));
    const IgnoredCase cases[] = {
        {"move over the icon", kIconId, WM_MOUSEMOVE},
        {"left release", kIconId, WM_LBUTTONUP},
        {"left double click", kIconId, WM_LBUTTONDBLCLK},
        {"right release", kIconId, WM_RBUTTONUP},
        {"right double click", kIconId, WM_RBUTTONDBLCLK},
        {"mouse moved to x=513 without buttons", 0, MAKELPARAM(513, 300)},
        {"mouse moved to x=516 without buttons", 0, MAKELPARAM(516, 300)},
    };
    for (const IgnoredCase& c : cases) {
        SCOPED_TRACE(c.what);
        PostMessageW(app.main(), WM_MOUSEMOVE, c.wParam, c.lParam);
        ASSERT_TRUE(app.Settle());
        EXPECT_EQ(app.WindowCount(kSettingsClass), 0);
        EXPECT_TRUE(IsIconic(app.main()));
    }
}

} // namespace
} // namespace inkwarden_testing
