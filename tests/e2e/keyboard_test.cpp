// Keys a person presses, sent as real keyboard input: Tab and Shift+Tab through every
// panel and window, Escape, where the focus starts, the spots that act like buttons,
// the hotkey, and the round trip from an editor into Inkwarden and back.
#include "tests/e2e/expected.h"
#include "tests/common/named_case.h"
#include "tests/e2e/harness.h"
#include "ui/control_ids.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace inkwarden_testing {
namespace {

namespace ids = inkwarden::ids;

enum class Where { Main, Result, Settings };

struct TabCase : NamedCase {
    int code;  // style in the settings file
    int panel; // chosen with the arrow keys from func(0)
    Where where;
    std::vector<int> cycle;   // where the focus starts, then one Tab each, round to the start
    std::size_t escapeAt = 0; // the place in the cycle where Escape is pressed at the end
    const wchar_t* sections = L"";
};

// Opens a window by keys: the panel by arrow keys, the result window by Ctrl+Enter;
// the settings window by its label.
HWND OpenByKeys(const App& app, Where where, int panel = 0) {
    if (!Activate(app.main()))
        return nullptr;
    EXPECT_TRUE(FocusIs(app.Item(ids::kFunc0)));
    for (int k = 1; k <= panel; ++k) {
        PressKey(VK_RIGHT);
        EXPECT_TRUE(FocusIs(app.Item(ids::kFunc0 + k)));
    }
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(app.Item(ids::kFraList0 + panel)) != FALSE; }));
    switch (where) {
    case Where::Main:
        return app.main();
    case Where::Result:
        PressKey(VK_RETURN, {VK_CONTROL});
        return app.ResultWindow();
    case Where::Settings:
        return app.OpenSettings();
    }
    return nullptr;
}

std::vector<int> MainPanelCycle(int k) {
    std::vector<int> ids{ids::kFunc0 + k};
    if (k == 0)
        ids.push_back(ids::kOk0);
    for (int line = 0; line < 5; ++line)
        ids.push_back(ids::kTxt0 + 5 * k + line);
    if (k != 0)
        ids.push_back(ids::kOk0 + k);
    return ids;
}

class TabOrder : public ::testing::TestWithParam<TabCase> {};

TEST_P(TabOrder, TabAndShiftTabGoRoundInOrderAndEscapeClosesAllButTheMainWindow) {
    const TabCase& c = GetParam();
    App app;
    const std::wstring ini = IniText(c.code, L"张三", 0, 0) + c.sections;
    ASSERT_TRUE(app.Start(ini));
    const HWND window = OpenByKeys(app, c.where, c.panel);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }));
    std::vector<HWND> cycle;
    for (int id : c.cycle)
        cycle.push_back(GetDlgItem(window, id));
    ASSERT_TRUE(FocusIs(cycle[0])) << "where the focus starts";
    const std::wstring chosenBefore = ChosenStyle(window);
    const std::size_t n = cycle.size();
    for (std::size_t i = 1; i <= n; ++i) {
        PressKey(VK_TAB);
        ASSERT_TRUE(FocusIs(cycle[i % n])) << "Tab " << i;
    }
    for (std::size_t i = 1; i <= n; ++i) {
        PressKey(VK_TAB, {VK_SHIFT});
        ASSERT_TRUE(FocusIs(cycle[(n - i) % n])) << "Shift+Tab " << i;
    }
    EXPECT_EQ(Show(ChosenStyle(window)), Show(chosenBefore)) << "going round chooses nothing by the way";

    // Escape, wherever the focus is: the result and settings windows close (the
    // settings unsaved, although something was typed); the main window stays.
    for (std::size_t i = 0; i < c.escapeAt; ++i)
        PressKey(VK_TAB);
    ASSERT_TRUE(FocusIs(cycle[c.escapeAt]));
    TypeKeys(L"x");
    PressKey(VK_ESCAPE);
    if (c.where == Where::Main) {
        ASSERT_TRUE(app.Settle());
        EXPECT_FALSE(IsIconic(window));
    } else {
        EXPECT_TRUE(Closed(window));
    }
    EXPECT_TRUE(IsWindowVisible(app.main()));
    EXPECT_EQ(Hex(ReadBytes(app.iniPath())), Hex(Utf16File(ini)));
}

const int kOpt = ids::kOption0, kChk = ids::kCheck0;
// The settings window's round with the style of code 1, of code 5, with none chosen, and
// with a style of one's own chosen in the list (no option is in the round then).
const int kDate = ids::kDateFormat;
const std::vector<int> kEarly{kOpt + 1,   kChk,       kChk + 1,     ids::kReset,
                              ids::kSave, ids::kUser, ids::kHotkey, kDate},
    kLate{kOpt + 5, ids::kReset, ids::kSave, ids::kUser, ids::kHotkey, kDate, kChk, kChk + 1},
    kNone{kChk, kChk + 1, ids::kReset, ids::kSave, ids::kUser, ids::kHotkey, kDate},
    kListed{ids::kOtherStyles, ids::kReset, ids::kSave, ids::kUser, ids::kHotkey, kDate, kChk, kChk + 1};
INSTANTIATE_TEST_SUITE_P(
    PanelsAndWindows, TabOrder,
    ::testing::Values(TabCase{"FunctionPanel", 0, 0, Where::Main, MainPanelCycle(0), 5},
                      TabCase{"ProcedurePanel", 0, 1, Where::Main, MainPanelCycle(1), 0},
                      TabCase{"CopyrightPanel", 0, 2, Where::Main, MainPanelCycle(2), 1},
                      TabCase{"FileHeaderPanel", 0, 3, Where::Main, MainPanelCycle(3), 5},
                      TabCase{"ResultWindow", 0, 0, Where::Result, {ids::kText1, ids::kBack, ids::kCopy}, 0},
                      TabCase{"SettingsWithAnEarlyStyle", 1, 0, Where::Settings, kEarly, 6},
                      TabCase{"SettingsWithALateStyle", 5, 0, Where::Settings, kLate, 3},
                      TabCase{"SettingsWithNoStyle", 8, 0, Where::Settings, kNone, 0},
                      TabCase{"SettingsWithAListedStyle", 8, 0, Where::Settings, kListed, 1,
                              L"[style8]\r\nname=python\r\nlead=\"# \"\r\n"},
                      TabCase{"SettingsEscapeFromTheDateFormat", 1, 0, Where::Settings, kEarly, 7,
                              L"date=yyyy/MM/dd\r\n"}),
    CaseName());

TEST(Keyboard, MultiLineInputsTakeEnterAndCtrlTabAndCtrlEnterConfirmsThenCopies) {
    App app;
    ASSERT_TRUE(app.Start(IniText(0, L"张三", 0, 0)));
    ASSERT_TRUE(Activate(app.main()));
    for (int i = 0; i < 5; ++i) // to txt0(3), a multi-line input
        PressKey(VK_TAB);
    const HWND params = app.Item(ids::kTxt0 + 3);
    ASSERT_TRUE(FocusIs(params));
    TypeKeys(L"a\nb");
    PressKey(VK_TAB, {VK_CONTROL});
    TypeKeys(L"c");
    ASSERT_TRUE(WaitUntil([&] { return TextOf(params) == L"a\r\nb\tc"; })) << Show(TextOf(params));
    EXPECT_TRUE(FocusIs(params)) << "Ctrl+Tab stays in the input";
    PressKey(VK_RETURN, {VK_CONTROL});
    const HWND result = app.ResultWindow();
    const std::wstring block = Block(0, 0, {L"张三", Today(), L"", L"a\r\nb\tc", L""});
    ASSERT_TRUE(ShowsBlock(result, block));
    EXPECT_EQ(TextOf(params), L"a\r\nb\tc") << "Ctrl+Enter adds no line break";

    // Without an editor to go back to, Ctrl+Enter in the result window copies and closes.
    ASSERT_TRUE(EmptyTheClipboard());
    PressKey(VK_RETURN, {VK_CONTROL});
    EXPECT_TRUE(Closed(result));
    EXPECT_EQ(Show(ReadClipboard().unicode), Show(block));
    EXPECT_FALSE(IsIconic(app.main()));
}

// The spots act on the release of the left button inside them: a press that slides
// off does nothing.
struct SpotCase : NamedCase {
    Where where;
    int spot;
    bool tip = true; // the spot tells what it does when the mouse rests on it
};

class Spot : public ::testing::TestWithParam<SpotCase> {};

TEST_P(Spot, ActsOnReleaseInsideNotOnPress) {
    const SpotCase& c = GetParam();
    App app;
    ASSERT_TRUE(app.Start(IniText(0, L"张三", 0, 0)));
    const HWND window = OpenByKeys(app, c.where);
    ASSERT_NE(window, nullptr);
    const HWND spot = GetDlgItem(window, c.spot);
    const POINT centre = CentreOf(spot);
    auto acted = [&] {
        if (c.spot == ids::kExit)
            return !app.Running();
        if (c.spot == ids::kMinimise)
            return IsIconic(app.main()) != FALSE;
        if (c.spot == ids::kSettingsLabel)
            return app.WindowCount(kSettingsClass) == 1;
        return !IsWindow(window);
    };

    ASSERT_TRUE(MouseTo(centre));
    const bool tipShown = WaitUntil(
        [&] {
            for (HWND tip : TopLevelWindows(app.pid(), L"tooltips_class32"))
                if (IsWindowVisible(tip))
                    return true;
            return false;
        },
        c.tip ? kWaitMs : 1000);
    EXPECT_EQ(tipShown, c.tip) << "a tip on hover";
    LeftButton(true);
    ASSERT_TRUE(app.Settle());
    EXPECT_FALSE(acted()) << "the press alone";
    ASSERT_TRUE(MouseTo({centre.x, centre.y + 200}));
    LeftButton(false);
    ASSERT_TRUE(app.Settle());
    EXPECT_FALSE(acted()) << "pressed and slid off";

    ASSERT_TRUE(MouseTo(centre));
    LeftButton(true);
    LeftButton(false);
    EXPECT_TRUE(WaitUntil(acted)) << "a click";
}

INSTANTIATE_TEST_SUITE_P(Windows, Spot,
                         ::testing::Values(SpotCase{"Exit", Where::Main, ids::kExit},
                                           SpotCase{"Minimise", Where::Main, ids::kMinimise},
                                           SpotCase{"SettingsLabel", Where::Main, ids::kSettingsLabel, false},
                                           SpotCase{"ResultX", Where::Result, ids::kResultClose},
                                           SpotCase{"SettingsX", Where::Settings, ids::kSetClose}),
                         CaseName());

// The whole way a person goes: from the editor by the hotkey, type, Ctrl+Enter twice,
// and the block stands in the editor.
TEST(RoundTrip, HotkeyTypeCtrlEnterTwicePutsTheBlockIntoTheEditor) {
    App app;
    ASSERT_TRUE(app.Start(IniText(0, L"张三", 0, 0)));
    TestEditor editor;
    ASSERT_TRUE(Activate(editor.window()));
    TypeKeys(L"// before\n");
    ASSERT_TRUE(WaitUntil([&] { return editor.Text() == L"// before\r\n"; }));

    // The hotkey shows the main window with the focus in the first empty input.
    PressKey('K', {VK_CONTROL, VK_MENU});
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == app.main(); }));
    const HWND name = app.Item(ids::kTxt0 + 2);
    ASSERT_TRUE(FocusIs(name));
    TypeKeys(L"Parse");
    ASSERT_TRUE(WaitUntil([&] { return TextOf(name) == L"Parse"; }));

    // Again: a toggle back to the editor, and nothing typed is lost.
    PressKey('K', {VK_CONTROL, VK_MENU});
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(app.main()) && GetForegroundWindow() == editor.window(); }));
    PressKey('K', {VK_CONTROL, VK_MENU});
    ASSERT_TRUE(WaitUntil([&] { return !IsIconic(app.main()) && GetForegroundWindow() == app.main(); }));
    EXPECT_EQ(TextOf(name), L"Parse");
    const HWND params = app.Item(ids::kTxt0 + 3);
    ASSERT_TRUE(FocusIs(params)) << "now the first empty input";
    TypeKeys(L"text");

    PressKey(VK_RETURN, {VK_CONTROL});
    const HWND result = app.ResultWindow();
    ASSERT_NE(result, nullptr);
    ASSERT_TRUE(FocusIs(GetDlgItem(result, ids::kText1)));
    PressKey(VK_RETURN, {VK_CONTROL});

    const std::wstring block = Block(0, 0, {L"张三", Today(), L"Parse", L"text", L""});
    EXPECT_TRUE(WaitUntil([&] { return editor.Text() == L"// before\r\n" + block; })) << Show(editor.Text());
    EXPECT_TRUE(IsIconic(app.main()));
    EXPECT_EQ(app.WindowCount(kResultClass), 0);
    EXPECT_EQ(GetForegroundWindow(), editor.window());
    EXPECT_EQ(TextOf(name), L"Parse") << "the inputs keep their texts";
}

// True when the system lets this process register the combination, that is when no
// other program (Inkwarden) holds it; the registration is given back at once.
bool Free(UINT modifiers, UINT key) {
    if (!RegisterHotKey(nullptr, 0x7000, modifiers, key))
        return false;
    UnregisterHotKey(nullptr, 0x7000);
    return true;
}

struct HotkeyStartCase : NamedCase {
    const wchar_t* line; // the hotkey line of the settings file, or nothing
    bool heldElsewhere;  // Ctrl+Alt+K registered by another program before the start
    bool holdsCtrlAltK;
    bool holdsCtrlAltJ;
};

class HotkeyAtStart : public ::testing::TestWithParam<HotkeyStartCase> {};

TEST_P(HotkeyAtStart, IsRegisteredAsStoredAndTroubleLeavesTheProgramWorking) {
    const HotkeyStartCase& c = GetParam();
    ASSERT_TRUE(!c.heldElsewhere || RegisterHotKey(nullptr, 0x7001, MOD_CONTROL | MOD_ALT, 'K'));
    App app;
    const bool started = app.Start(IniText(0, L"张三", 0, 0) + c.line);
    if (c.heldElsewhere) {
        EXPECT_FALSE(Free(MOD_CONTROL | MOD_ALT, 'K')) << "the other program keeps it";
        UnregisterHotKey(nullptr, 0x7001);
    }
    ASSERT_TRUE(started);
    ASSERT_TRUE(app.Settle());
    EXPECT_TRUE(app.Running());
    EXPECT_TRUE(IsWindowVisible(app.main()));
    if (!c.heldElsewhere) {
        EXPECT_EQ(Free(MOD_CONTROL | MOD_ALT, 'K'), !c.holdsCtrlAltK);
    }
    EXPECT_EQ(Free(MOD_CONTROL | MOD_ALT, 'J'), !c.holdsCtrlAltJ);
    EXPECT_NE(app.Confirm(0), nullptr) << "the program works on as usual";
}

INSTANTIATE_TEST_SUITE_P(
    Settings, HotkeyAtStart,
    ::testing::Values(HotkeyStartCase{"NoKeyMeansTheDefault", L"", false, true, false},
                      HotkeyStartCase{"Stored", L"hotkey=ctrl+ALT+j\r\n", false, false, true},
                      HotkeyStartCase{"Empty", L"hotkey=\r\n", false, false, false},
                      HotkeyStartCase{"None", L"hotkey=none\r\n", false, false, false},
                      HotkeyStartCase{"Junk", L"hotkey=Ctrl+Alt+Del\r\n", false, false, false},
                      HotkeyStartCase{"HeldByAnotherProgram", L"", true, false, false}),
    CaseName());

struct HotkeySaveCase : NamedCase {
    bool heldElsewhere; // Ctrl+Alt+J registered by another program before the save
    std::vector<std::wstring> messages;
};

class HotkeyControl : public ::testing::TestWithParam<HotkeySaveCase> {};

TEST_P(HotkeyControl, TakesTheKeysAndASaveStoresAndRegistersThemAtOnce) {
    const HotkeySaveCase& c = GetParam();
    App app;
    ASSERT_TRUE(app.Start(IniText(0, L"张三", 0, 0)));
    const HWND settings = OpenByKeys(app, Where::Settings);
    ASSERT_NE(settings, nullptr);
    const HWND control = GetDlgItem(settings, ids::kHotkey);
    EXPECT_EQ(Show(TextOf(GetDlgItem(settings, ids::kHotkeyLabel))), Show(L"呼出热键："));
    for (int i = 0; i < 6; ++i)
        PressKey(VK_TAB);
    ASSERT_TRUE(FocusIs(control));
    // While the control has the focus the hotkey is off (the control takes its focus a
    // moment before it hears of it), so the current combination reaches the control too.
    ASSERT_TRUE(WaitUntil([] { return Free(MOD_CONTROL | MOD_ALT, 'K'); }));
    PressKey('K', {VK_CONTROL, VK_MENU});
    ASSERT_TRUE(WaitUntil([&] {
        return SendMessageW(control, HKM_GETHOTKEY, 0, 0) == MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT);
    }));
    EXPECT_EQ(GetForegroundWindow(), settings);
    PressKey('J', {VK_CONTROL, VK_MENU});
    ASSERT_TRUE(WaitUntil([&] {
        return SendMessageW(control, HKM_GETHOTKEY, 0, 0) == MAKEWORD('J', HOTKEYF_CONTROL | HOTKEYF_ALT);
    })) << "the control holds "
        << std::hex << SendMessageW(control, HKM_GETHOTKEY, 0, 0)
        << (GetForegroundWindow() == settings ? "" : ", the settings window is not active")
        << (FocusOf(control) == control ? "" : ", the control lost the focus");

    ASSERT_TRUE(!c.heldElsewhere || RegisterHotKey(nullptr, 0x7002, MOD_CONTROL | MOD_ALT, 'J'));
    PressKey(VK_RETURN); // 确定
    const std::vector<std::wstring> texts = AcknowledgeMessages(app.pid(), c.messages.size());
    ASSERT_EQ(texts.size(), c.messages.size()) << Show(texts.back());
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(texts[i].rfind(c.messages[i], 0), 0u) << Show(texts[i]);
    EXPECT_TRUE(Closed(settings));
    if (c.heldElsewhere)
        UnregisterHotKey(nullptr, 0x7002);

    EXPECT_EQ(Hex(ReadBytes(app.iniPath())),
              Hex(Utf16File(IniText(0, L"张三", 0, 0) + L"hotkey=Ctrl+Alt+J\r\ndate=\r\n")));
    EXPECT_TRUE(Free(MOD_CONTROL | MOD_ALT, 'K')) << "the old hotkey is given up";
    if (!c.heldElsewhere) {
        // The new one works at once, from another program.
        TestEditor editor;
        ASSERT_TRUE(Activate(editor.window()));
        PressKey('J', {VK_CONTROL, VK_MENU});
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == app.main(); }));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Save, HotkeyControl,
    ::testing::Values(HotkeySaveCase{"Free", false, {L"设置成功！"}},
                      HotkeySaveCase{"HeldByAnotherProgram",
                                     true,
                                     {L"设置成功！", L"设置已保存，但热键 Ctrl+Alt+J 已被其他程序占用"}}),
    CaseName());

} // namespace
} // namespace inkwarden_testing
