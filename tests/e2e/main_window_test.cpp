// The main window: what it shows at start, the template selector, the title band's
// spots, and the single-instance rule.
#include "tests/e2e/expected.h"
#include "tests/e2e/harness.h"
#include "tests/common/named_case.h"
#include "ui/control_ids.h"

#include <gtest/gtest.h>

#include <ostream>

namespace inkwarden_testing {
namespace {

namespace ids = inkwarden::ids;

// What start-up puts in each of the 20 inputs: A the author, D today's date, - nothing.
constexpr char kStartFill[] = "AD---AD---A----A-D--";

// Checks that exactly template k's panel, confirm button and inputs are visible and
// that exactly option k is selected.
void ExpectOnlyPanel(const App& app, int k) {
    for (int i = 0; i < 4; ++i) {
        const bool shown = i == k;
        EXPECT_EQ(IsChecked(app.Item(ids::kFunc0 + i)), shown) << "option " << i;
        EXPECT_EQ(IsWindowVisible(app.Item(ids::kFraList0 + i)) != FALSE, shown) << "panel " << i;
        EXPECT_EQ(IsWindowVisible(app.Item(ids::kOk0 + i)) != FALSE, shown) << "confirm " << i;
        for (int line = 0; line < 5; ++line)
            EXPECT_EQ(IsWindowVisible(app.Item(ids::kTxt0 + 5 * i + line)) != FALSE, shown)
                << "input " << 5 * i + line;
    }
}

// How a person first brings up a template other than the function template: each panel
// is made the first time it shows and must hold its start-up texts from then on. A fill
// (Ctrl+Shift+V with a copied VB Sub) brings up the procedure template, the mouse the rest.
enum class Way { Mouse, ArrowKeys, Fill };
const wchar_t kCopiedSub[] = L"Public Sub Reset(ByVal all As Boolean)";

struct StartCase : NamedCase {
    bool withFile;
    int code; // in the file
    std::wstring writer;
    int shownCode; // style named in the caption
    Way way = Way::Mouse;
};

// Brings up template k (> 0) from template k - 1 the way the case says.
bool ShowNext(const App& app, int k, Way way) {
    if (way == Way::Fill && k == 1) {
        if (!PutTheClipboard(kCopiedSub) || !Activate(app.main()))
            return false;
        PressKey('V', {VK_CONTROL, VK_SHIFT});
        return WaitUntil([&] { return IsWindowVisible(app.Item(ids::kFraList0 + k)) != FALSE; });
    }
    if (way != Way::ArrowKeys)
        return ClickWithMouse(app.Item(ids::kFunc0 + k)) &&
               WaitUntil([&] { return IsWindowVisible(app.Item(ids::kFraList0 + k)) != FALSE; });
    if (k == 1 && !Activate(app.main()))
        return false;
    PressKey(VK_RIGHT);
    return FocusIs(app.Item(ids::kFunc0 + k)) &&
           WaitUntil([&] { return IsWindowVisible(app.Item(ids::kFraList0 + k)) != FALSE; });
}

class MainWindowStart : public ::testing::TestWithParam<StartCase> {};

TEST_P(MainWindowStart, ShowsTheFunctionTemplateWithTheFilesAuthorTodayAndStyle) {
    const StartCase& c = GetParam();
    App app;
    if (c.withFile)
        ASSERT_TRUE(app.Start(IniText(c.code, c.writer, 0, 0)));
    else
        ASSERT_TRUE(app.Start(nullptr));

    EXPECT_FALSE(IsIconic(app.main()));
    EXPECT_EQ(app.ItemText(ids::kFrame1), Caption(c.shownCode));
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(app.ItemText(ids::kFunc0 + k), kTemplateName[k]);
    EXPECT_EQ(app.ItemText(ids::kSettingsLabel), L"系统设置");
    EXPECT_EQ(app.ItemText(ids::kExit), L" 退出");
    EXPECT_EQ(app.ItemText(ids::kMinimise), L"最小化");

    const std::wstring today = Today();
    ASSERT_FALSE(today.empty());
    for (int k = 0; k < 4; ++k) {
        if (k > 0) {
            ASSERT_TRUE(ShowNext(app, k, c.way)) << "template " << k;
        }
        ExpectOnlyPanel(app, k);
        EXPECT_EQ(app.ItemText(ids::kFraList0 + k), kTemplateName[k]);
        EXPECT_EQ(app.ItemText(ids::kOk0 + k), L"确定");
        for (int input = 5 * k; input < 5 * k + 5; ++input) {
            const char fill = kStartFill[input];
            std::wstring expected = fill == 'A' ? c.writer : fill == 'D' ? today : L"";
            if (c.way == Way::Fill && (input == 7 || input == 8))
                expected = input == 7 ? L"Reset" : L"ByVal all As Boolean";
            EXPECT_EQ(app.ItemText(ids::kTxt0 + input), expected) << "input " << input;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Settings, MainWindowStart,
                         ::testing::Values(StartCase{"c", true, 0, L"张三", 0},
                                           StartCase{"vb", true, 1, L"www.inkwarden.dev", 1},
                                           StartCase{"asp", true, 2, L"Li Si", 2, Way::ArrowKeys},
                                           StartCase{"php", true, 3, L"王五", 3},
                                           StartCase{"delphi", true, 4, L"a", 4, Way::Fill},
                                           StartCase{"vfp", true, 5, L"赵六 (QA)", 5},
                                           StartCase{"html", true, 6, std::wstring(700, L'长'), 6},
                                           StartCase{"javascript", true, 7, L"", 7},
                                           StartCase{"NoFileMeansVbAndNoAuthor", false, 0, L"", 1}),
                         CaseName());

TEST(MainWindow, ChoosingATemplateShowsOnlyItsPanelAndKeepsItsInputs) {
    App app;
    ASSERT_TRUE(app.Start(IniText(0, L"张三", 0, 0)));
    ASSERT_TRUE(SetText(app.Item(ids::kTxt0 + 2), L"Parse"));
    for (int k : {1, 2, 3, 0, 2}) {
        ASSERT_TRUE(app.ShowTemplate(k)) << "template " << k;
        ExpectOnlyPanel(app, k);
    }
    // Switching panels neither clears nor refills any input.
    EXPECT_EQ(app.ItemText(ids::kTxt0 + 2), L"Parse");
    EXPECT_EQ(app.ItemText(ids::kTxt0 + 10), L"张三");
    EXPECT_EQ(app.ItemText(ids::kFrame1), Caption(0));
}

TEST(MainWindow, StartsMinimisedWhenTheSettingsSaySo) {
    App app;
    ASSERT_TRUE(app.Start(IniText(4, L"张三", 1, 0)));
    EXPECT_TRUE(IsIconic(app.main()));
    EXPECT_EQ(app.ItemText(ids::kFrame1), Caption(4));
    EXPECT_EQ(app.InputText(15), L"张三");
}

TEST(MainWindow, SecondStartTellsTheUserAndLeavesOneInstance) {
    App app;
    ASSERT_TRUE(app.Start(IniText(0, L"张三", 0, 0)));
    DWORD secondPid = 0;
    HANDLE second = app.StartAnother(&secondPid);
    ASSERT_NE(second, nullptr);

    const HWND box = WaitForMessageBox(secondPid);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"该程序已运行！ ");
    // The second start waits for the user and has no main window of its own.
    EXPECT_EQ(WaitForSingleObject(second, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(TopLevelWindows(secondPid, L"Inkwarden.For_main").empty());

    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(Closed(box));
    EXPECT_EQ(WaitForSingleObject(second, kWaitMs), static_cast<DWORD>(WAIT_OBJECT_0));
    DWORD exitCode = 1;
    GetExitCodeProcess(second, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    CloseHandle(second);

    // The first instance runs on, alone.
    EXPECT_EQ(TopLevelWindows(0, L"Inkwarden.For_main").size(), 1u);
    EXPECT_TRUE(app.Running());
    EXPECT_EQ(TextOf(app.main()), L"Inkwarden");
}

TEST(MainWindow, StartsAgainOnceTheFirstInstanceHasEnded) {
    App app;
    ASSERT_TRUE(app.Start(IniText(0, L"张三", 0, 0)));
    ClickLabel(app.Item(ids::kExit));
    ASSERT_TRUE(app.WaitForExit());
    ASSERT_TRUE(app.Restart());
    EXPECT_EQ(FindMessageBox(app.pid()), nullptr);
    EXPECT_EQ(app.ItemText(ids::kTxt0), L"张三");
}

} // namespace
} // namespace inkwarden_testing
