// The settings window: the ways it opens, what it shows, and what saving, resetting
// and closing do to the settings file, the Run key and the main window - including
// a file or a key that cannot be written.
#include "tests/e2e/expected.h"
#include "tests/e2e/harness.h"
#include "tests/common/named_case.h"
#include "ui/control_ids.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <vector>

namespace inkwarden_testing {
namespace {

namespace ids = inkwarden::ids;

const wchar_t kSetClass[] = L"Inkwarden.set_ini";
// Every save and reset stores the hotkey last; these files start with the default.
const std::wstring kHotkeyLine = L"hotkey=Ctrl+Alt+K\r\n";
const wchar_t* const kOptionText[8] = {L"C++/C",  L"VB",  L"ASP",  L"PHP",
                                       L"Delphi", L"VFP", L"Html", L"JavaScript"};

// The rectangles (in the main window's client coordinates) of its visible controls,
// the group boxes excepted: what takes a click of its own.
struct Controls {
    HWND main;
    std::vector<RECT> rects;
};

BOOL CALLBACK CollectControl(HWND child, LPARAM param) {
    Controls& c = *reinterpret_cast<Controls*>(param);
    if (GetParent(child) != c.main || !IsWindowVisible(child))
        return TRUE;
    if (lstrcmpiW(ClassOf(child).c_str(), L"Button") == 0 &&
        (GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX)
        return TRUE;
    c.rects.push_back(RectIn(c.main, child));
    return TRUE;
}

bool OnAControl(const Controls& c, POINT p) {
    for (const RECT& r : c.rects)
        if (PtInRect(&r, p))
            return true;
    return false;
}

// A point inside `area` (client coordinates of the main window) where no control takes
// the click, nearest the middle of the area; `expected` is what the system says lies
// there (the frame whose free surface it is, or the main window itself).
bool FreePoint(HWND main, const RECT& area, HWND expected, POINT* found) {
    Controls controls{main, {}};
    EnumChildWindows(main, CollectControl, reinterpret_cast<LPARAM>(&controls));
    const int cx = (area.left + area.right) / 2, cy = (area.top + area.bottom) / 2;
    long best = -1;
    for (int y = area.top + 3; y < area.bottom - 3; y += 2)
        for (int x = area.left + 3; x < area.right - 3; x += 2) {
            const POINT p = {x, y};
            const long d = static_cast<long>(x - cx) * (x - cx) + static_cast<long>(y - cy) * (y - cy);
            if ((best < 0 || d < best) && !OnAControl(controls, p)) {
                best = d;
                *found = p;
            }
        }
    return best >= 0 &&
           ChildWindowFromPointEx(main, *found, CWP_SKIPTRANSPARENT | CWP_SKIPINVISIBLE) == expected;
}

bool FreePointOn(HWND main, HWND frame, POINT* found) {
    return FreePoint(main, RectIn(main, frame), frame, found);
}

// A point of the main window's own surface, outside every control and frame: the
// strip between the selector frame and the panels.
bool BarePointOfMain(HWND main, const RECT& above, const RECT& below, POINT* found) {
    const RECT gap = {below.left - 3, above.bottom - 3, below.right + 3, below.top + 3};
    return FreePoint(main, gap, main, found);
}

LPARAM PointParam(POINT p) {
    return MAKELPARAM(p.x, p.y);
}

HWND Control(HWND settings, int id) {
    return GetDlgItem(settings, id);
}

// Clicks a box or option and waits until it shows the state asked for.
void SetChecked(HWND settings, int id, bool checked) {
    const HWND button = Control(settings, id);
    if (IsChecked(button) != checked)
        Click(button);
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(button) == checked; })) << "control " << id;
}

void ChooseOption(HWND settings, int k) {
    Click(Control(settings, ids::kOption0 + k));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(Control(settings, ids::kOption0 + k)); }));
}

// Presses a button that ends in a message box; returns the box's text after pressing OK.
std::wstring PressAndAcknowledge(const App& app, HWND button, HWND* box = nullptr) {
    Click(button);
    const HWND shown = WaitForMessageBox(app.pid());
    if (!shown)
        return L"(no message box)";
    const std::wstring text = MessageBoxText(shown);
    if (box)
        *box = shown;
    PressOk(shown);
    return text;
}

void ExpectAuthors(const App& app, const std::wstring& author) {
    for (int input : {0, 5, 10, 15})
        EXPECT_EQ(app.ItemText(ids::kTxt0 + input), author) << "input " << input;
}

// The Run keys are put back after every test, and the application has ended before.
class SettingsWindow : public ::testing::Test {
protected:
    std::wstring QuotedExe() const { return L"\"" + app_.exePath() + L"\""; }
    std::string FileBytes() const { return ReadBytes(app_.iniPath()); }

    RunKeyGuard runKey_;
    RunKeyGuard userRunKey_{HKEY_CURRENT_USER};
    App app_;
};

TEST_F(SettingsWindow, OpensFromTheLabelAndFromDoubleClicksOnFreeFrameSurfaceOnlyOnce) {
    ASSERT_TRUE(app_.Start(IniText(0, L"张三", 0, 0)));
    const HWND main = app_.main();
    auto doubleClickOn = [&](int frameId) {
        return [&, frameId] {
            POINT p = {};
            ASSERT_TRUE(FreePointOn(main, app_.Item(frameId), &p)) << "frame " << frameId;
            PostMessageW(main, WM_LBUTTONDBLCLK, MK_LBUTTON, PointParam(p));
        };
    };
    struct Way {
        const char* what;
        int templ; // template chosen first
        std::function<void()> open;
    };
    const Way ways[] = {
        {"label", 0, [&] { ClickLabel(app_.Item(ids::kSettingsLabel)); }},
        {"selector frame", 0, doubleClickOn(ids::kFrame1)},
        {"function panel", 0, doubleClickOn(ids::kFraList0)},
        {"copyright panel", 2, doubleClickOn(ids::kFraList0 + 2)},
        {"file header panel", 3, doubleClickOn(ids::kFraList0 + 3)},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        Click(app_.Item(ids::kFunc0 + way.templ));
        ASSERT_TRUE(
            WaitUntil([&] { return IsWindowVisible(app_.Item(ids::kFraList0 + way.templ)) != FALSE; }));
        way.open();
        const HWND settings = app_.SettingsWindow();
        ASSERT_NE(settings, nullptr);
        EXPECT_EQ(TextOf(settings), L"Form1");
        EXPECT_TRUE(IsWindowEnabled(main)); // not modal

        // Asked again while open: still the one window.
        way.open();
        ASSERT_TRUE(app_.Settle());
        EXPECT_EQ(app_.WindowCount(kSetClass), 1);
        EXPECT_EQ(app_.Windows(kSetClass).front(), settings);

        ClickLabel(Control(settings, ids::kSetClose));
        ASSERT_TRUE(WaitUntil([&] { return app_.WindowCount(kSetClass) == 0; }));
    }
}

TEST_F(SettingsWindow, DoesNotOpenFromDoubleClicksOnInputsCaptionsOrBareSurface) {
    ASSERT_TRUE(app_.Start(IniText(0, L"张三", 0, 0)));
    const HWND main = app_.main();
    POINT bare = {};
    ASSERT_TRUE(BarePointOfMain(main, RectIn(main, app_.Item(ids::kFrame1)),
                                RectIn(main, app_.Item(ids::kFraList0)), &bare));
    struct Target {
        const char* what;
        HWND window;
        LPARAM at;
    };
    const Target targets[] = {
        {"author input", app_.Item(ids::kTxt0), MAKELPARAM(4, 4)},
        {"multi-line input", app_.Item(ids::kTxt0 + 4), MAKELPARAM(4, 4)},
        {"caption 开发人员：", app_.Item(ids::kLabel2_0 + 2), MAKELPARAM(4, 4)},
        {"caption 功能说明：", app_.Item(ids::kLabel2_0), MAKELPARAM(4, 4)},
        {"window outside the frames", main, PointParam(bare)},
    };
    for (const Target& t : targets) {
        SCOPED_TRACE(t.what);
        ASSERT_TRUE(IsWindowVisible(t.window));
        ASSERT_TRUE(SendAndWait(t.window, WM_LBUTTONDBLCLK, MK_LBUTTON, t.at));
        SendAndWait(t.window, WM_LBUTTONUP, 0, t.at);
        ASSERT_TRUE(app_.Settle());
        EXPECT_EQ(app_.WindowCount(kSetClass), 0);
    }
}

struct LoadedCase : NamedCase {
    int code, run, min;
    std::wstring writer;
};

class SettingsWindowShows : public ::testing::TestWithParam<LoadedCase> {};

TEST_P(SettingsWindowShows, TheSettingsTheProgramStartedWith) {
    const LoadedCase& c = GetParam();
    App app;
    ASSERT_TRUE(app.Start(IniText(c.code, c.writer, c.min, c.run)));
    const HWND settings = app.OpenSettings();
    ASSERT_NE(settings, nullptr);
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(TextOf(Control(settings, ids::kOption0 + k)), kOptionText[k]);
        EXPECT_EQ(IsChecked(Control(settings, ids::kOption0 + k)), k == c.code) << "option " << k;
    }
    EXPECT_EQ(TextOf(Control(settings, ids::kCheck0)), L"自动运行");
    EXPECT_EQ(TextOf(Control(settings, ids::kCheck0 + 1)), L"启动时最小化");
    EXPECT_EQ(IsChecked(Control(settings, ids::kCheck0)), c.run == 1);
    EXPECT_EQ(IsChecked(Control(settings, ids::kCheck0 + 1)), c.min == 1);
    EXPECT_EQ(TextOf(Control(settings, ids::kUser)), c.writer);
    EXPECT_EQ(TextOf(Control(settings, ids::kReset)), L"重置");
    EXPECT_EQ(TextOf(Control(settings, ids::kSave)), L"确定");
    EXPECT_EQ(TextOf(Control(settings, ids::kSetClose)), L"X");
}

INSTANTIATE_TEST_SUITE_P(Files, SettingsWindowShows,
                         ::testing::Values(LoadedCase{"CNothingTicked", 0, 0, 0, L"张三"},
                                           LoadedCase{"PhpAutoRun", 3, 1, 0, L"Li Si"},
                                           LoadedCase{"JavaScriptMinimised", 7, 0, 1, L"www.inkwarden.dev"},
                                           LoadedCase{"VfpBothTickedNoAuthor", 5, 1, 1, L""},
                                           // Hand-edited values that fit no control.
                                           LoadedCase{"NoStyleRunTwoMinMinusOne", 8, 2, -1, L"x"}),
                         CaseName());

TEST_F(SettingsWindow, SaveWritesFileAndRunValueThenAppliesToTheMainWindowAndTheNextStart) {
    ASSERT_TRUE(runKey_.SetMarker(L"marker"));
    ASSERT_TRUE(app_.Start(IniText(0, L"张三", 0, 0)));
    const HWND settings = app_.OpenSettings();
    ASSERT_NE(settings, nullptr);
    const std::wstring author = L"李四 Lee \U0001F600"; // beyond code page 936
    ChooseOption(settings, 6);
    EXPECT_FALSE(IsChecked(Control(settings, ids::kOption0)));
    SetChecked(settings, ids::kCheck0, true);
    SetChecked(settings, ids::kCheck0 + 1, true);
    ASSERT_TRUE(SetText(Control(settings, ids::kUser), author));

    EXPECT_EQ(PressAndAcknowledge(app_, Control(settings, ids::kSave)), L"设置成功！");
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(settings); }));

    EXPECT_EQ(Hex(FileBytes()), Hex(Utf16File(IniText(6, author, 1, 1) + kHotkeyLine)));
    const RegValue run = ReadRunValue();
    EXPECT_TRUE(run.present());
    EXPECT_EQ(run.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(Hex(run.bytes), Hex(RegSzBytes(QuotedExe()))) << Show(QuotedExe());
    EXPECT_FALSE(ReadRunValue(HKEY_CURRENT_USER).present()) << "machine-wide only";

    EXPECT_EQ(app_.ItemText(ids::kFrame1), Caption(6));
    ExpectAuthors(app_, author);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(app_.main()) != FALSE; }));

    // The next block is in the new style, with the new author.
    const HWND result = app_.Confirm(0);
    ASSERT_NE(result, nullptr);
    const std::wstring expected = Block(6, 0, {author, Today(), L"", L"", L""});
    EXPECT_TRUE(WaitUntil([&] { return TextOf(GetDlgItem(result, ids::kText1)) == expected; }))
        << Show(TextOf(GetDlgItem(result, ids::kText1)));

    // And the next start reads what was saved.
    ASSERT_TRUE(app_.Restart());
    EXPECT_EQ(app_.ItemText(ids::kFrame1), Caption(6));
    ExpectAuthors(app_, author);
    EXPECT_TRUE(IsIconic(app_.main()));
}

TEST_F(SettingsWindow, SaveWithNoStyleSelectedLeavesTheStoredCodeAlone) {
    ASSERT_TRUE(runKey_.SetMarker(L"marker"));
    ASSERT_TRUE(app_.Start(IniText(8, L"张三", 0, 0)));
    EXPECT_EQ(app_.ItemText(ids::kFrame1), L"当前语言类型为  ");
    const HWND settings = app_.OpenSettings();
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(SetText(Control(settings, ids::kUser), L"李四"));

    EXPECT_EQ(PressAndAcknowledge(app_, Control(settings, ids::kSave)), L"设置成功！");
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(settings); }));
    EXPECT_EQ(Hex(FileBytes()), Hex(Utf16File(IniText(8, L"李四", 0, 0) + kHotkeyLine)));
    EXPECT_EQ(app_.ItemText(ids::kFrame1), L"当前语言类型为  ");
    ExpectAuthors(app_, L"李四");
}

TEST_F(SettingsWindow, ResetWritesTheDefaultsAndLeavesTheMainWindowAsItWas) {
    ASSERT_TRUE(runKey_.SetMarker(L"marker"));
    ASSERT_TRUE(app_.Start(IniText(7, L"张三", 0, 1)));
    const HWND settings = app_.OpenSettings();
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(SetText(Control(settings, ids::kUser), L"不保存"));

    EXPECT_EQ(PressAndAcknowledge(app_, Control(settings, ids::kReset)), L"重置成功！");
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(settings); }));
    EXPECT_EQ(Hex(FileBytes()), Hex(Utf16File(IniText(1, L"www.inkwarden.dev", 0, 0) + kHotkeyLine)));
    const RegValue run = ReadRunValue();
    EXPECT_TRUE(run.present());
    EXPECT_EQ(run.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(run.bytes.size(), 0u) << Hex(run.bytes);

    EXPECT_EQ(app_.ItemText(ids::kFrame1), Caption(7));
    ExpectAuthors(app_, L"张三");
    EXPECT_FALSE(IsIconic(app_.main()));
}

TEST_F(SettingsWindow, CloseWritesNothingAndForgetsTheChanges) {
    ASSERT_TRUE(runKey_.SetMarker(L"marker"));
    ASSERT_TRUE(app_.Start(IniText(0, L"张三", 0, 0)));
    const std::string before = FileBytes();
    HWND settings = app_.OpenSettings();
    ASSERT_NE(settings, nullptr);
    ChooseOption(settings, 5);
    SetChecked(settings, ids::kCheck0, true);
    SetChecked(settings, ids::kCheck0 + 1, true);
    ASSERT_TRUE(SetText(Control(settings, ids::kUser), L"李四"));

    ClickLabel(Control(settings, ids::kSetClose));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(settings); }));
    ASSERT_TRUE(app_.Settle());
    EXPECT_EQ(FindMessageBox(app_.pid()), nullptr);
    EXPECT_EQ(Hex(FileBytes()), Hex(before));
    EXPECT_EQ(Hex(ReadRunValue().bytes), Hex(RegSzBytes(L"marker")));
    EXPECT_EQ(app_.ItemText(ids::kFrame1), Caption(0));
    ExpectAuthors(app_, L"张三");
    EXPECT_FALSE(IsIconic(app_.main()));

    // Opened again, it shows the settings in force, not the discarded changes.
    settings = app_.OpenSettings();
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(IsChecked(Control(settings, ids::kOption0)));
    EXPECT_FALSE(IsChecked(Control(settings, ids::kOption0 + 5)));
    EXPECT_FALSE(IsChecked(Control(settings, ids::kCheck0)));
    EXPECT_FALSE(IsChecked(Control(settings, ids::kCheck0 + 1)));
    EXPECT_EQ(TextOf(Control(settings, ids::kUser)), L"张三");
}

TEST_F(SettingsWindow, SaveCreatesAMissingFileInUtf16) {
    ASSERT_TRUE(app_.Start(nullptr));
    ASSERT_FALSE(FileExists(app_.iniPath()));
    const HWND settings = app_.OpenSettings();
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(IsChecked(Control(settings, ids::kOption0 + 1))); // no file: VB
    ChooseOption(settings, 3);
    ASSERT_TRUE(SetText(Control(settings, ids::kUser), L"王五"));

    EXPECT_EQ(PressAndAcknowledge(app_, Control(settings, ids::kSave)), L"设置成功！");
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(settings); }));
    const std::string bytes = FileBytes();
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(Hex(bytes.substr(0, 2)), "FF FE ");
    EXPECT_EQ(Hex(bytes),
              Hex(Utf16File(L"[main]\r\ncode=3\r\nrun=0\r\nmin=0\r\nwriter=王五\r\n" + kHotkeyLine)));
    EXPECT_EQ(app_.ItemText(ids::kFrame1), Caption(3));
    ExpectAuthors(app_, L"王五");
}

// What keeps the settings file from being written. (A read-only attribute does not:
// Wine running as root writes such a file all the same.)
enum class Obstacle { HeldOpen, FolderInTheWay };

// Puts the obstacle in place for its lifetime.
class Unwritable {
public:
    Unwritable(const std::wstring& path, Obstacle obstacle) : path_(path), obstacle_(obstacle) {
        if (obstacle == Obstacle::HeldOpen) {
            // Another program has the file open and shares it with no one.
            file_ = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
            ok_ = file_ != INVALID_HANDLE_VALUE;
        } else {
            ok_ = DeleteFileW(path.c_str()) && CreateDirectoryW(path.c_str(), nullptr);
        }
    }
    ~Unwritable() {
        if (file_ != INVALID_HANDLE_VALUE)
            CloseHandle(file_);
        if (obstacle_ == Obstacle::FolderInTheWay)
            RemoveDirectoryW(path_.c_str());
    }
    Unwritable(const Unwritable&) = delete;
    Unwritable& operator=(const Unwritable&) = delete;
    bool ok() const { return ok_; }

private:
    std::wstring path_;
    Obstacle obstacle_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    bool ok_ = false;
};

struct UnwritableCase : NamedCase {
    Obstacle obstacle;
    bool fileAfterwards;     // the file is there once the obstacle is gone
    std::wstring savedLater; // the file once the same input is saved again
};

class SettingsFileUnwritable : public ::testing::TestWithParam<UnwritableCase> {
protected:
    RunKeyGuard runKey_;
    App app_;
};

TEST_P(SettingsFileUnwritable, SaveWarnsKeepsTheWindowWithTheInputAndChangesNothing) {
    const UnwritableCase& c = GetParam();
    ASSERT_TRUE(app_.Start(IniText(0, L"张三", 0, 0)));
    const std::string before = ReadBytes(app_.iniPath());
    const HWND settings = app_.OpenSettings();
    ASSERT_NE(settings, nullptr);
    ChooseOption(settings, 4);
    SetChecked(settings, ids::kCheck0, true);
    SetChecked(settings, ids::kCheck0 + 1, true);
    ASSERT_TRUE(SetText(Control(settings, ids::kUser), L"李四"));
    const RegValue runBefore = ReadRunValue();

    {
        const Unwritable lock(app_.iniPath(), c.obstacle);
        ASSERT_TRUE(lock.ok());
        const std::wstring text = PressAndAcknowledge(app_, Control(settings, ids::kSave));
        EXPECT_EQ(text.rfind(L"设置没有全部保存：", 0), 0u) << Show(text);
        // The start-up registration follows the stored choice, which could not be stored.
        const RegValue runAfter = ReadRunValue();
        EXPECT_EQ(runAfter.present(), runBefore.present());
        EXPECT_EQ(runAfter.bytes, runBefore.bytes);
        EXPECT_NE(text.find(app_.iniPath()), std::wstring::npos) << Show(text);
        // Still open, with what the user entered.
        ASSERT_TRUE(app_.Settle());
        EXPECT_TRUE(IsWindowVisible(settings));
        EXPECT_TRUE(IsChecked(Control(settings, ids::kOption0 + 4)));
        EXPECT_TRUE(IsChecked(Control(settings, ids::kCheck0 + 1)));
        EXPECT_EQ(TextOf(Control(settings, ids::kUser)), L"李四");
    }

    // Nothing written, nothing applied.
    if (c.fileAfterwards)
        EXPECT_EQ(Hex(ReadBytes(app_.iniPath())), Hex(before));
    else
        EXPECT_FALSE(FileExists(app_.iniPath()));
    EXPECT_EQ(app_.ItemText(ids::kFrame1), Caption(0));
    ExpectAuthors(app_, L"张三");
    EXPECT_FALSE(IsIconic(app_.main()));

    // Once the file can be written, the same input saves.
    EXPECT_EQ(PressAndAcknowledge(app_, Control(settings, ids::kSave)), L"设置成功！");
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(settings); }));
    EXPECT_EQ(Hex(ReadBytes(app_.iniPath())), Hex(Utf16File(c.savedLater)));
    ExpectAuthors(app_, L"李四");
    EXPECT_EQ(app_.ItemText(ids::kFrame1), Caption(4));
}

INSTANTIATE_TEST_SUITE_P(
    Obstacles, SettingsFileUnwritable,
    ::testing::Values(UnwritableCase{"HeldOpenWithoutSharing", Obstacle::HeldOpen, true,
                                     IniText(4, L"李四", 1, 1) + kHotkeyLine},
                      UnwritableCase{"FolderOfTheSameName", Obstacle::FolderInTheWay, false,
                                     L"[main]\r\ncode=4\r\nrun=1\r\nmin=1\r\nwriter=李四\r\n" + kHotkeyLine}),
    CaseName());

struct RunKeyCase : NamedCase {
    int button;
    bool autoRun;
    const wchar_t* done;
    const wchar_t* note; // the message after it, or nullptr
    std::wstring file;
    bool perUser; // the per-user Run value holds the quoted path (else it is gone)
};

const wchar_t kPerUserNote[] = L"已设为当前用户开机启动（为所有用户设置需要管理员权限）";

// Clicks the button with the mouse and acknowledges each message of the report with
// Enter, as a person does: the success message, then the note when one is expected;
// the window closes after the last.
void PressAndExpectReport(const App& app, HWND settings, int button, const wchar_t* done,
                          const wchar_t* note) {
    ASSERT_TRUE(ClickWithMouse(Control(settings, button)));
    HWND previous = nullptr;
    for (const wchar_t* expected : {done, note}) {
        if (!expected)
            break;
        const HWND box = WaitForMessageBox(app.pid(), previous);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageBoxText(box), expected);
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == box; }));
        ASSERT_TRUE(PressKey(VK_RETURN));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
        previous = box;
    }
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(settings); }));
    EXPECT_EQ(FindMessageBox(app.pid()), nullptr);
}

class WithoutTheMachineRunKey : public ::testing::TestWithParam<RunKeyCase> {
protected:
    RunKeyGuard runKey_;
    RunKeyGuard userRunKey_{HKEY_CURRENT_USER};
    App app_;
};

TEST_P(WithoutTheMachineRunKey, AutoRunGoesToThePerUserKeyAndDisablingRemovesIt) {
    const RunKeyCase& c = GetParam();
    ASSERT_TRUE(userRunKey_.SetMarker(L"marker"));
    ASSERT_TRUE(app_.Start(IniText(0, L"张三", 0, 0)));
    const HWND settings = app_.OpenSettings();
    ASSERT_NE(settings, nullptr);
    const HWND autoRun = Control(settings, ids::kCheck0);
    if (IsChecked(autoRun) != c.autoRun) {
        ASSERT_TRUE(ClickWithMouse(autoRun));
    }
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(autoRun) == c.autoRun; }));
    ASSERT_TRUE(runKey_.DeleteKey());
    ASSERT_FALSE(RunKeyExists());

    PressAndExpectReport(app_, settings, c.button, c.done, c.note);
    EXPECT_EQ(Hex(ReadBytes(app_.iniPath())), Hex(Utf16File(c.file)));
    EXPECT_FALSE(RunKeyExists());
    const RegValue user = ReadRunValue(HKEY_CURRENT_USER);
    if (c.perUser) {
        EXPECT_EQ(Hex(user.bytes), Hex(RegSzBytes(L"\"" + app_.exePath() + L"\"")));
    } else {
        EXPECT_FALSE(user.present()) << Hex(user.bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(
    SaveAndReset, WithoutTheMachineRunKey,
    ::testing::Values(RunKeyCase{"SaveWithAutoRun", ids::kSave, true, L"设置成功！", kPerUserNote,
                                 IniText(0, L"张三", 0, 1) + kHotkeyLine, true},
                      RunKeyCase{"SaveWithoutAutoRun", ids::kSave, false, L"设置成功！", nullptr,
                                 IniText(0, L"张三", 0, 0) + kHotkeyLine, false},
                      RunKeyCase{"Reset", ids::kReset, true, L"重置成功！", nullptr,
                                 IniText(1, L"www.inkwarden.dev", 0, 0) + kHotkeyLine, false}),
    CaseName());

} // namespace
} // namespace inkwarden_testing
