// The settings window: the ways it opens, what it shows, and what saving, resetting
// and closing do to the settings file, the Run key and the main window - including
// a file or a key that cannot be written.
#include "tests/e2e/expected.h"
#include "tests/e2e/harness.h"
#include "tests/common/named_case.h"
#include "ui/control_ids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace inkwarden_testing {
namespace {

namespace ids = inkwarden::ids;

// Every save and reset stores the hotkey and then the date picture last; these files
// start with the default hotkey, and a file with neither key gets both in this order.
const std::wstring kHotkeyLine = L"hotkey=Ctrl+Alt+K\r\n", kLastLines = kHotkeyLine + L"date=\r\n";

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

// A point inside `area` (client coordinates of the main window) where no control takes
// the click, nearest the middle of the area, as the lParam of a mouse message;
// `expected` is what the system says lies there (the frame whose free surface it is,
// or the main window itself).
bool FreePoint(HWND main, const RECT& area, HWND expected, LPARAM* found) {
    Controls controls{main, {}};
    EnumChildWindows(main, CollectControl, reinterpret_cast<LPARAM>(&controls));
    const int cx = (area.left + area.right) / 2, cy = (area.top + area.bottom) / 2;
    long best = -1;
    POINT free = {};
    for (int y = area.top + 3; y < area.bottom - 3; y += 2)
        for (int x = area.left + 3; x < area.right - 3; x += 2) {
            const POINT p = {x, y};
            const long d = static_cast<long>(x - cx) * (x - cx) + static_cast<long>(y - cy) * (y - cy);
            if ((best < 0 || d < best) &&
                std::none_of(controls.rects.begin(), controls.rects.end(),
                             [p](const RECT& r) { return PtInRect(&r, p) != FALSE; })) {
                best = d;
                free = p;
            }
        }
    *found = MAKELPARAM(free.x, free.y);
    return best >= 0 &&
           ChildWindowFromPointEx(main, free, CWP_SKIPTRANSPARENT | CWP_SKIPINVISIBLE) == expected;
}

HWND Control(HWND settings, int id) {
    return GetDlgItem(settings, id);
}

class SettingsWindow : public ::testing::Test {
protected:
    App app_;
};

TEST_F(SettingsWindow, OpensFromTheLabelAndFromDoubleClicksOnFreeFrameSurfaceOnlyOnce) {
    ASSERT_TRUE(app_.Start(IniText(0, L"张三", 0, 0)));
    const HWND main = app_.main();
    auto doubleClickOn = [&](int frameId) {
        return [&, frameId] {
            LPARAM at = 0;
            ASSERT_TRUE(FreePoint(main, RectIn(main, app_.Item(frameId)), app_.Item(frameId), &at))
                << frameId;
            PostMessageW(main, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
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
        ASSERT_TRUE(app_.ShowTemplate(way.templ));
        way.open();
        const HWND settings = app_.SettingsWindow();
        ASSERT_NE(settings, nullptr);
        EXPECT_EQ(TextOf(settings), L"Form1");
        EXPECT_TRUE(IsWindowEnabled(main)); // not modal

        // Asked again while open: still the one window.
        way.open();
        ASSERT_TRUE(app_.Settle());
        EXPECT_EQ(app_.WindowCount(kSettingsClass), 1);
        EXPECT_EQ(app_.Windows(kSettingsClass).front(), settings);

        ClickLabel(Control(settings, ids::kSetClose));
        ASSERT_TRUE(WaitUntil([&] { return app_.WindowCount(kSettingsClass) == 0; }));
    }
}

TEST_F(SettingsWindow, DoesNotOpenFromDoubleClicksOnInputsCaptionsOrBareSurface) {
    ASSERT_TRUE(app_.Start(IniText(0, L"张三", 0, 0)));
    const HWND main = app_.main();
    // The main window's own surface, outside every control and frame: the strip
    // between the selector frame and the panels.
    const RECT above = RectIn(main, app_.Item(ids::kFrame1)), below = RectIn(main, app_.Item(ids::kFraList0));
    LPARAM bare = 0;
    ASSERT_TRUE(
        FreePoint(main, {below.left - 3, above.bottom - 3, below.right + 3, below.top + 3}, main, &bare));
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
        {"window outside the frames", main, bare},
    };
    for (const Target& t : targets) {
        SCOPED_TRACE(t.what);
        ASSERT_TRUE(IsWindowVisible(t.window));
        ASSERT_TRUE(SendAndWait(t.window, WM_LBUTTONDBLCLK, MK_LBUTTON, t.at));
        SendAndWait(t.window, WM_LBUTTONUP, 0, t.at);
        ASSERT_TRUE(app_.Settle());
        EXPECT_EQ(app_.WindowCount(kSettingsClass), 0);
    }
}

// A team's date picture fills the date inputs; a person rewrites one of them, then picks
// another picture from the list by the keys, and later types one too long for a date.
// The dates Inkwarden put there follow each picture; the rewritten one stays.
TEST_F(SettingsWindow, DatePictureChosenByKeysRefillsTheDatesInkwardenPutThere) {
    const std::wstring mainKeys = IniText(0, L"张三", 0, 0);
    ASSERT_TRUE(app_.Start(mainKeys + L"date=yyyy/MM/dd\r\n"));
    const int function = 1, procedure = 6, created = 17; // txt0 of three date inputs
    EXPECT_EQ(Show(app_.InputText(function)), Show(TodayIn(L"yyyy/MM/dd")));
    ASSERT_TRUE(app_.ShowTemplate(1));
    const HWND rewritten = app_.Item(ids::kTxt0 + procedure);
    ASSERT_TRUE(ClickWithMouse(rewritten));
    ASSERT_TRUE(FocusIs(rewritten));
    PressKey('A', {VK_CONTROL});
    TypeKeys(L"2020/01/02");
    ASSERT_TRUE(WaitUntil([&] { return TextOf(rewritten) == L"2020/01/02"; })) << Show(TextOf(rewritten));

    const std::wstring tooLong(41, L'd'); // one over the most a date picture may have
    struct Step {
        const wchar_t* shown; // in the box as the window opens
        std::wstring typed;   // empty: the Down key, to the list's next entry
        std::wstring stored;
        std::wstring dates; // in the inputs Inkwarden filled, afterwards
    } const steps[] = {
        {L"yyyy/MM/dd", L"", L"yyyy年M月d日", TodayIn(L"yyyy年M月d日")},
        {L"yyyy年M月d日", tooLong, tooLong, Today()},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(Show(s.stored));
        const HWND settings = app_.OpenSettings();
        ASSERT_NE(settings, nullptr);
        const HWND box = Control(settings, ids::kDateFormat);
        EXPECT_EQ(Show(TextOf(box)), Show(s.shown));
        PressKey(VK_TAB, {VK_SHIFT}); // back from the chosen style to the last of the round
        ASSERT_TRUE(FocusIs(box));
        if (s.typed.empty())
            PressKey(VK_DOWN);
        else
            TypeKeys(s.typed);
        ASSERT_TRUE(WaitUntil([&] { return TextOf(box) == s.stored; })) << Show(TextOf(box));
        PressKey(VK_RETURN);
        EXPECT_EQ(AcknowledgeMessages(app_.pid(), 1), std::vector<std::wstring>{L"设置成功！"});
        EXPECT_TRUE(Closed(settings));
        EXPECT_EQ(Hex(ReadBytes(app_.iniPath())),
                  Hex(Utf16File(mainKeys + L"date=" + s.stored + L"\r\n" + kHotkeyLine)));
        EXPECT_EQ(Show(app_.InputText(function)), Show(s.dates));
        EXPECT_EQ(Show(app_.InputText(created)), Show(s.dates));
        EXPECT_EQ(Show(app_.InputText(procedure)), "2020/01/02");
    }
}

// Settings as a file holds them and the windows show them; as what a person enters, -1
// and nullptr leave a control as it is. A file has a date key only for a date picture.
struct Choice {
    int code;
    const wchar_t* author;
    int min, run;
    const wchar_t* date = nullptr;
};

std::wstring FileOf(const Choice& c) {
    return IniText(c.code, c.author, c.min, c.run) +
           (c.date ? L"date=" + std::wstring(c.date) + L"\r\n" : L"");
}

// All the settings window shows of the settings.
void ExpectShows(HWND settings, const Choice& s) {
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(IsChecked(Control(settings, ids::kOption0 + k)), k == s.code) << "option " << k;
    EXPECT_EQ(IsChecked(Control(settings, ids::kCheck0)), s.run == 1);
    EXPECT_EQ(IsChecked(Control(settings, ids::kCheck0 + 1)), s.min == 1);
    EXPECT_EQ(TextOf(Control(settings, ids::kUser)), s.author);
    EXPECT_EQ(Show(TextOf(Control(settings, ids::kDateFormat))),
              Show(s.date && *s.date ? s.date : L"系统短日期"));
}

struct LoadedCase : NamedCase {
    Choice file;
};

class SettingsWindowShows : public ::testing::TestWithParam<LoadedCase> {};

TEST_P(SettingsWindowShows, TheSettingsTheProgramStartedWith) {
    const Choice& f = GetParam().file;
    App app;
    ASSERT_TRUE(app.Start(FileOf(f)));
    const HWND settings = app.OpenSettings();
    ASSERT_NE(settings, nullptr);
    ExpectShows(settings, f);
    const HWND dates = Control(settings, ids::kDateFormat);
    const wchar_t* const entries[] = {L"系统短日期", L"yyyy-MM-dd", L"yyyy/MM/dd", L"yyyy年M月d日"};
    EXPECT_EQ(SendMessageW(dates, CB_GETCOUNT, 0, 0), 4);
    for (LRESULT i = 0; i < 4; ++i)
        EXPECT_EQ(SendMessageW(dates, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(entries[i])),
                  i);
    const std::pair<int, const wchar_t*> captions[] = {
        {ids::kOption0, L"C++/C"},      {ids::kOption0 + 1, L"VB"},
        {ids::kOption0 + 2, L"ASP"},    {ids::kOption0 + 3, L"PHP"},
        {ids::kOption0 + 4, L"Delphi"}, {ids::kOption0 + 5, L"VFP"},
        {ids::kOption0 + 6, L"Html"},   {ids::kOption0 + 7, L"JavaScript"},
        {ids::kCheck0, L"自动运行"},    {ids::kCheck0 + 1, L"启动时最小化"},
        {ids::kReset, L"重置"},         {ids::kSave, L"确定"},
        {ids::kSetClose, L"X"},         {ids::kDateFormatLabel, L"日期格式："}};
    for (const auto& caption : captions)
        EXPECT_EQ(TextOf(Control(settings, caption.first)), caption.second) << "control " << caption.first;
}

INSTANTIATE_TEST_SUITE_P(Files, SettingsWindowShows,
                         ::testing::Values(LoadedCase{"CNothingTicked", {0, L"张三", 0, 0}},
                                           LoadedCase{"PhpAutoRun", {3, L"Li Si", 0, 1}},
                                           LoadedCase{"JavaScriptMinimised", {7, L"www.inkwarden.dev", 1, 0}},
                                           LoadedCase{"VfpBothTickedNoAuthor", {5, L"", 1, 1}},
                                           LoadedCase{"ListedDatePicture", {0, L"张三", 0, 0, L"yyyy/MM/dd"}},
                                           LoadedCase{"OwnDatePicture", {0, L"张三", 0, 0, L"dd.MM.yy"}},
                                           // Hand-edited values that fit no control.
                                           LoadedCase{"NoStyleRunTwoMinMinusOne", {8, L"x", -1, 2}}),
                         CaseName());

void ExpectMainShows(const App& app, const Choice& s) {
    EXPECT_EQ(app.ItemText(ids::kFrame1), Caption(s.code));
    for (int input : {0, 5, 10, 15})
        EXPECT_EQ(app.InputText(input), s.author) << "input " << input;
    EXPECT_EQ(Show(app.InputText(1)), Show(TodayIn(s.date))) << "the function template's date";
    EXPECT_TRUE(WaitUntil([&] { return (IsIconic(app.main()) != FALSE) == (s.min == 1); })) << "minimised";
}

// Clicks a box or option with the mouse unless it shows the state asked for already.
void Tick(HWND settings, int id, bool checked) {
    const HWND button = Control(settings, id);
    if (IsChecked(button) != checked) {
        ASSERT_TRUE(ClickWithMouse(button)) << "control " << id;
    }
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(button) == checked; })) << "control " << id;
}

void Enter(HWND settings, const Choice& e) {
    if (e.code >= 0) {
        ASSERT_NO_FATAL_FAILURE(Tick(settings, ids::kOption0 + e.code, true));
        for (int k = 0; k < 8; ++k) // one option clears the others
            EXPECT_EQ(IsChecked(Control(settings, ids::kOption0 + k)), k == e.code) << "option " << k;
    }
    if (e.run >= 0) {
        ASSERT_NO_FATAL_FAILURE(Tick(settings, ids::kCheck0, e.run == 1));
    }
    if (e.min >= 0) {
        ASSERT_NO_FATAL_FAILURE(Tick(settings, ids::kCheck0 + 1, e.min == 1));
    }
    if (e.author) {
        ASSERT_TRUE(SetText(Control(settings, ids::kUser), e.author));
    }
    if (e.date) {
        ASSERT_TRUE(SetText(Control(settings, ids::kDateFormat), e.date));
    }
}

// The Run value "Inkwarden" as a case expects it.
enum class Run { Unchecked, Marker, Exe, Empty, Absent };

void ExpectRunValue(HKEY root, Run expected, const std::wstring& exe) {
    if (expected == Run::Unchecked)
        return;
    const RegValue value = ReadRunValue(root);
    if (expected == Run::Absent) {
        EXPECT_FALSE(value.present()) << Hex(value.bytes);
        return;
    }
    EXPECT_TRUE(value.present());
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
    const std::string bytes =
        expected == Run::Empty ? std::string() : RegSzBytes(expected == Run::Exe ? exe : L"marker");
    EXPECT_EQ(Hex(value.bytes), Hex(bytes));
}

// Holds the settings file unwritable for its lifetime: open without sharing, as another
// program may, or replaced by a folder. (A read-only attribute would not do: Wine
// running as root writes such a file all the same.)
class Unwritable : NoCopy {
public:
    Unwritable(const std::wstring& path, bool heldOpen) : path_(path), heldOpen_(heldOpen) {
        if (heldOpen)
            file_ = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
        ok_ = heldOpen ? file_ != INVALID_HANDLE_VALUE
                       : DeleteFileW(path.c_str()) && CreateDirectoryW(path.c_str(), nullptr);
    }
    ~Unwritable() {
        if (file_ != INVALID_HANDLE_VALUE)
            CloseHandle(file_);
        if (!heldOpen_)
            RemoveDirectoryW(path_.c_str());
    }
    bool ok() const { return ok_; }

private:
    std::wstring path_;
    bool heldOpen_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
    bool ok_ = false;
};

// What sets a case apart from the plain one.
enum Special : unsigned {
    kPlain = 0,
    kNoFile = 1,         // starts without a settings file (then in force: VB, no author)
    kPerUser = 2,        // the machine-wide Run key is gone at the press; the per-user value holds a marker
    kHeldOpen = 4,       // the first press meets the file held open without sharing, the second saves
    kFolderInTheWay = 8, // likewise a folder of the file's name
    kReopen = 16,        // opened again, the window shows what is in force
    kRestart = 32,       // the next start shows what is in force
};

struct PressCase : NamedCase {
    Choice before, entry;
    int button;
    std::vector<std::wstring> messages; // acknowledged one after another
    std::wstring file;                  // the settings file afterwards; empty: as it was
    Choice after;                       // in force afterwards
    Run machineRun, userRun;
    unsigned special;
};

// The Run keys are put back after every test, and the application has ended before.
class SettingsWindowPress : public ::testing::TestWithParam<PressCase> {
protected:
    RunKeyGuard runKey_;
    RunKeyGuard userRunKey_{HKEY_CURRENT_USER};
    App app_;
};

// A person enters settings, presses 确定, 重置 or X with the mouse and acknowledges
// each message with Enter.
TEST_P(SettingsWindowPress, WritesTheFileAndRunValueAndAppliesAsThePressMeans) {
    const PressCase& c = GetParam();
    ASSERT_TRUE(runKey_.SetMarker(L"marker"));
    if (c.special & kPerUser) {
        ASSERT_TRUE(userRunKey_.SetMarker(L"marker"));
    }
    const Choice& b = c.before;
    if (c.special & kNoFile)
        ASSERT_TRUE(app_.Start(nullptr));
    else
        ASSERT_TRUE(app_.Start(FileOf(b)));
    ASSERT_EQ(FileExists(app_.iniPath()), !(c.special & kNoFile));
    ExpectMainShows(app_, b);
    const std::string fileBefore = ReadBytes(app_.iniPath());
    const HWND settings = app_.OpenSettings();
    ASSERT_NE(settings, nullptr);
    ExpectShows(settings, b);
    ASSERT_NO_FATAL_FAILURE(Enter(settings, c.entry));

    if (c.special & (kHeldOpen | kFolderInTheWay)) {
        const RegValue runBefore = ReadRunValue();
        {
            const Unwritable lock(app_.iniPath(), (c.special & kHeldOpen) != 0);
            ASSERT_TRUE(lock.ok());
            ASSERT_TRUE(ClickWithMouse(Control(settings, c.button)));
            const std::vector<std::wstring> texts = AcknowledgeMessages(app_.pid(), 1);
            ASSERT_EQ(texts.size(), 1u) << Show(texts.back());
            EXPECT_EQ(texts[0].rfind(L"设置没有全部保存：", 0), 0u) << Show(texts[0]);
            EXPECT_NE(texts[0].find(app_.iniPath()), std::wstring::npos) << Show(texts[0]);
            // The start-up registration follows the stored choice, which could not be stored.
            const RegValue runAfter = ReadRunValue();
            EXPECT_EQ(runAfter.present(), runBefore.present());
            EXPECT_EQ(runAfter.bytes, runBefore.bytes);
            // Still open, with what the user entered.
            ASSERT_TRUE(app_.Settle());
            EXPECT_TRUE(IsWindowVisible(settings));
            ExpectShows(settings, c.entry);
        }
        // Nothing written, nothing applied; once the file can be written, the same input saves.
        if (c.special & kHeldOpen)
            EXPECT_EQ(Hex(ReadBytes(app_.iniPath())), Hex(fileBefore));
        else
            EXPECT_FALSE(FileExists(app_.iniPath()));
        ExpectMainShows(app_, b);
    }

    if (c.special & kPerUser) {
        ASSERT_TRUE(runKey_.DeleteKey());
        ASSERT_FALSE(RunKeyExists());
    }
    ASSERT_TRUE(ClickWithMouse(Control(settings, c.button)));
    EXPECT_EQ(AcknowledgeMessages(app_.pid(), c.messages.size()), c.messages);
    EXPECT_TRUE(Closed(settings));
    ASSERT_TRUE(app_.Settle());
    EXPECT_EQ(FindMessageBox(app_.pid()), nullptr);

    const std::string file = ReadBytes(app_.iniPath());
    EXPECT_EQ(Hex(file.substr(0, 2)), "FF FE ");
    EXPECT_EQ(Hex(file), Hex(c.file.empty() ? fileBefore : Utf16File(c.file)));
    EXPECT_EQ(RunKeyExists(), !(c.special & kPerUser));
    ExpectRunValue(HKEY_LOCAL_MACHINE, c.machineRun, L"\"" + app_.exePath() + L"\"");
    ExpectRunValue(HKEY_CURRENT_USER, c.userRun, L"\"" + app_.exePath() + L"\"");
    const Choice& a = c.after;
    ExpectMainShows(app_, a);

    // The next block is in the style in force, with the author in force.
    if (a.code < 8) {
        const HWND result = app_.Confirm(0);
        ASSERT_NE(result, nullptr);
        const std::wstring expected = Block(a.code, 0, {a.author, TodayIn(a.date), L"", L"", L""});
        EXPECT_TRUE(WaitUntil([&] { return BlockShown(result) == expected; })) << Show(BlockShown(result));
    }
    if (c.special & kReopen) { // showing the settings in force, not the discarded changes
        const HWND again = app_.OpenSettings();
        ASSERT_NE(again, nullptr);
        ExpectShows(again, a);
    }
    if (c.special & kRestart) {
        ASSERT_TRUE(app_.Restart());
        ExpectMainShows(app_, a);
    }
}

const wchar_t kSaved[] = L"设置成功！", kReset[] = L"重置成功！";
const wchar_t kPerUserNote[] = L"已设为当前用户开机启动（为所有用户设置需要管理员权限）";
const wchar_t kBeyond936[] = L"李四 Lee \U0001F600";
const Choice kZhang = {0, L"张三", 0, 0}, kLiSiAll = {4, L"李四", 1, 1};
const std::wstring kDefaults = IniText(1, L"www.inkwarden.dev", 0, 0) + kLastLines;

// A row as a call, so that it reads on a few lines.
PressCase Press(const char* what, Choice before, Choice entry, int button, std::vector<std::wstring> messages,
                std::wstring file, Choice after, Run machineRun, Run userRun, unsigned special) {
    return {{what},          before, entry,      button,  std::move(messages),
            std::move(file), after,  machineRun, userRun, special};
}

INSTANTIATE_TEST_SUITE_P(
    SaveResetClose, SettingsWindowPress,
    ::testing::Values(
        Press("SaveAppliesAtOnceAndAtTheNextStart", kZhang, {6, kBeyond936, 1, 1, L"yyyy年M月d日"},
              ids::kSave, {kSaved}, IniText(6, kBeyond936, 1, 1) + kHotkeyLine + L"date=yyyy年M月d日\r\n",
              {6, kBeyond936, 1, 1, L"yyyy年M月d日"}, Run::Exe, Run::Absent, kRestart),
        Press("SaveWithNoStyleKeepsTheStoredCode", {8, L"张三", 0, 0}, {-1, L"李四", -1, -1}, ids::kSave,
              {kSaved}, IniText(8, L"李四", 0, 0) + kLastLines, {8, L"李四", 0, 0}, Run::Unchecked,
              Run::Unchecked, kPlain),
        Press("SaveSystemShortDateStoresAnEmptyPicture", {0, L"张三", 0, 0, L"yyyy/MM/dd"},
              {-1, nullptr, -1, -1, L"系统短日期"}, ids::kSave, {kSaved},
              IniText(0, L"张三", 0, 0) + L"date=\r\n" + kHotkeyLine, kZhang, Run::Unchecked, Run::Unchecked,
              kReopen),
        Press("SaveBlankDateBoxStoresAnEmptyPicture", {0, L"张三", 0, 0, L"yyyy-MM-dd"},
              {-1, nullptr, -1, -1, L"  "}, ids::kSave, {kSaved},
              IniText(0, L"张三", 0, 0) + L"date=\r\n" + kHotkeyLine, kZhang, Run::Unchecked, Run::Unchecked,
              kPlain),
        Press("ResetWritesTheDefaultsAndLeavesTheMainWindow", {7, L"张三", 0, 1, L"yyyy/MM/dd"},
              {-1, L"不保存", -1, -1, L"yyyy-MM-dd"}, ids::kReset, {kReset},
              IniText(1, L"www.inkwarden.dev", 0, 0) + L"date=\r\n" + kHotkeyLine,
              {7, L"张三", 0, 1, L"yyyy/MM/dd"}, Run::Empty, Run::Unchecked, kPlain),
        Press("CloseWritesNothingAndForgets", kZhang, {5, L"李四", 1, 1, L"yyyy-MM-dd"}, ids::kSetClose, {},
              L"", kZhang, Run::Marker, Run::Unchecked, kReopen),
        Press("SaveCreatesAMissingFileInUtf16", {1, L"", 0, 0}, {3, L"王五", -1, -1}, ids::kSave, {kSaved},
              L"[main]\r\ncode=3\r\nrun=0\r\nmin=0\r\nwriter=王五\r\n" + kLastLines, {3, L"王五", 0, 0},
              Run::Unchecked, Run::Unchecked, kNoFile),
        Press("SaveWarnsWhileTheFileIsHeldOpen", kZhang, kLiSiAll, ids::kSave, {kSaved},
              IniText(4, L"李四", 1, 1) + kLastLines, kLiSiAll, Run::Unchecked, Run::Unchecked, kHeldOpen),
        Press("SaveWarnsWhileAFolderHasTheFilesName", kZhang, kLiSiAll, ids::kSave, {kSaved},
              L"[main]\r\ncode=4\r\nrun=1\r\nmin=1\r\nwriter=李四\r\n" + kLastLines, kLiSiAll, Run::Unchecked,
              Run::Unchecked, kFolderInTheWay),
        Press("SaveWithAutoRunGoesToThePerUserKey", kZhang, {-1, nullptr, -1, 1}, ids::kSave,
              {kSaved, kPerUserNote}, IniText(0, L"张三", 0, 1) + kLastLines, {0, L"张三", 0, 1},
              Run::Unchecked, Run::Exe, kPerUser),
        Press("SaveWithoutAutoRunRemovesThePerUserValue", kZhang, {-1, nullptr, -1, 0}, ids::kSave, {kSaved},
              IniText(0, L"张三", 0, 0) + kLastLines, kZhang, Run::Unchecked, Run::Absent, kPerUser),
        Press("ResetRemovesThePerUserValue", kZhang, {-1, nullptr, -1, 1}, ids::kReset, {kReset}, kDefaults,
              kZhang, Run::Unchecked, Run::Absent, kPerUser)),
    CaseName());

} // namespace
} // namespace inkwarden_testing
