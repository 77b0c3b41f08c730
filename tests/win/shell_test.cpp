// Window utilities and the tray icon: the topmost band, the single-instance check
// across two processes, tray notifications and the record sent to the shell.
#include "shell/sysico.h"
#include "shell/window_utils.h"

#include "platform/platform.h"

#include "test_support.h"

#include <array>
#include <cwchar>
#include <string>
#include <vector>

namespace inkwarden {
namespace {

using namespace inkwarden_testing;

// Started with this argument, the test executable is the second instance: it answers
// AnotherInstanceRunning() by its exit code (1 true, 0 false) before any test runs.
const wchar_t kInstanceProbeArgument[] = L"--instance-probe";

[[maybe_unused]] const bool instanceProbe = [] {
    if (wcsstr(GetCommandLineW(), kInstanceProbeArgument))
        ExitProcess(AnotherInstanceRunning() ? 1 : 0);
    return false;
}();

// Runs this executable as a probe and returns its exit code.
DWORD RunInstanceProbe() {
    std::wstring commandLine = L"\"" + ExePath() + L"\" " + kInstanceProbeArgument;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        ADD_FAILURE() << "CreateProcessW failed, error " << GetLastError();
        return 0xFFFFFFFF;
    }
    DWORD code = 0xFFFFFFFF;
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, 0xFFFFFFFF);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

TEST(SingleInstance, FirstInstanceIsAloneAndASecondProcessSeesIt) {
    EXPECT_FALSE(AnotherInstanceRunning())
        << "first call in this process (is an Inkwarden left running in this Wine "
           "prefix?)";
    EXPECT_FALSE(AnotherInstanceRunning()) << "repeated call";
    EXPECT_EQ(RunInstanceProbe(), 1u) << "a second process must see this one";
    EXPECT_EQ(RunInstanceProbe(), 1u) << "and so must a third";
    EXPECT_FALSE(AnotherInstanceRunning()) << "the probes must not change this process's answer";
}

class TopmostWindow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(window_.hwnd, nullptr) << "error " << GetLastError(); }

    bool Topmost() const { return (GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
    std::array<LONG, 4> Rect() const {
        RECT r = {};
        GetWindowRect(window_, &r);
        return {r.left, r.top, r.right, r.bottom};
    }

    static constexpr RECT kPlace = {100, 120, 420, 320};
    const Popup window_{L"topmost test", WS_POPUP, kPlace};
};

TEST_F(TopmostWindow, JoinsAndLeavesTheTopmostBandAndIsShownInPlace) {
    ASSERT_FALSE(IsWindowVisible(window_));
    ASSERT_FALSE(Topmost());
    const std::array<LONG, 4> before = Rect();
    for (bool topmost : {true, true, false, true, false, false}) {
        SCOPED_TRACE(topmost ? "topmost" : "not topmost");
        SetTopmost(window_, topmost);
        EXPECT_EQ(Topmost(), topmost);
        EXPECT_TRUE(IsWindowVisible(window_));
        EXPECT_EQ(Rect(), before) << "left, top, right, bottom";
    }
}

TEST_F(TopmostWindow, ShowingDoesNotActivate) {
    const Popup active(L"active", WS_POPUP | WS_VISIBLE, {500, 500, 600, 600});
    ASSERT_NE(active.hwnd, nullptr);
    SetActiveWindow(active);
    ASSERT_EQ(GetActiveWindow(), active.hwnd);
    SetTopmost(window_, true);
    EXPECT_EQ(GetActiveWindow(), active.hwnd);
    SetTopmost(window_, false);
    EXPECT_EQ(GetActiveWindow(), active.hwnd);
}

// True when `upper` lies above `lower` in the z-order of top-level windows.
bool Above(HWND upper, HWND lower) {
    for (HWND w = GetWindow(lower, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
        if (w == upper)
            return true;
    return false;
}

TEST_F(TopmostWindow, BringToFrontPutsTheWindowOnTopActiveButNotTopmost) {
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    const Popup other(L"other", WS_POPUP | WS_VISIBLE, kPlace);
    ASSERT_NE(other.hwnd, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(Above(other, window_));

    BringToFront(window_);
    EXPECT_TRUE(Above(window_, other));
    EXPECT_FALSE(Topmost());
    EXPECT_EQ(GetForegroundWindow(), window_.hwnd);
}

TEST(TrayNotification, OnlyIconIdWithBareButtonPressCounts) {
    struct Case {
        WPARAM wParam;
        LPARAM lParam;
        TrayAction action;
    } const cases[] = {
        {1, WM_LBUTTONDOWN, TrayAction::LeftPress},  {1, WM_RBUTTONDOWN, TrayAction::RightPress},
        {1, WM_MOUSEMOVE, TrayAction::None},         {1, WM_LBUTTONUP, TrayAction::None},
        {1, WM_LBUTTONDBLCLK, TrayAction::None},     {1, WM_RBUTTONUP, TrayAction::None},
        {1, WM_RBUTTONDBLCLK, TrayAction::None},     {1, WM_MBUTTONDOWN, TrayAction::None},
        {0, MAKELPARAM(513, 300), TrayAction::None}, // a movement at x 513, y 300
        {1, MAKELPARAM(513, 300), TrayAction::None}, // the same with the left button held
        {1, MAKELPARAM(516, 1), TrayAction::None},   {0, WM_LBUTTONDOWN, TrayAction::None},
        {0, WM_RBUTTONDOWN, TrayAction::None},       {2, WM_LBUTTONDOWN, TrayAction::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeTrayNotification(c.wParam, c.lParam), c.action)
            << "wParam " << c.wParam << ", lParam " << c.lParam;
}

// What the recording shell call received.
struct SentRecord {
    DWORD message;
    NOTIFYICONDATAW data;
};
std::vector<SentRecord> sent;
BOOL notifyResult = TRUE;

BOOL WINAPI RecordNotify(DWORD message, PNOTIFYICONDATAW data) {
    sent.push_back({message, *data});
    return notifyResult;
}

// A text field up to its terminator, marked when anything but zeros follows it.
template <std::size_t N> std::wstring Field(const wchar_t (&text)[N]) {
    const std::wstring whole(text, N);
    const std::size_t end = whole.find(L'\0');
    const bool clean = end != std::wstring::npos && whole.find_first_not_of(L'\0', end) == std::wstring::npos;
    return L"'" + whole.substr(0, end) + (clean ? L"'" : L"'+garbage");
}

// Every field of the record, so a stray flag or a leftover text shows in a failure.
std::wstring Describe(const NOTIFYICONDATAW& d) {
    const GUID none = {};
    auto number = [](UINT_PTR n) { return std::to_wstring(n); };
    return L"cbSize=" + number(d.cbSize) + L" hWnd=" + number(reinterpret_cast<UINT_PTR>(d.hWnd)) + L" uID=" +
           number(d.uID) + L" uFlags=" + number(d.uFlags) + L" uCallbackMessage=" +
           number(d.uCallbackMessage) + L" hIcon=" + number(reinterpret_cast<UINT_PTR>(d.hIcon)) +
           L" szTip=" + Field(d.szTip) + L" dwState=" + number(d.dwState) + L"/" + number(d.dwStateMask) +
           L" szInfo=" + Field(d.szInfo) + L" uVersion=" + number(d.uVersion) + L" szInfoTitle=" +
           Field(d.szInfoTitle) + L" dwInfoFlags=" + number(d.dwInfoFlags) + L" guidItem=" +
           (IsEqualGUID(d.guidItem, none) ? L"none" : L"set") + L" hBalloonIcon=" +
           number(reinterpret_cast<UINT_PTR>(d.hBalloonIcon));
}

class Tray : public ::testing::Test {
protected:
    void SetUp() override {
        sent.clear();
        notifyResult = TRUE;
        ASSERT_NE(owner_.hwnd, nullptr);
        icon_ = LoadIconW(nullptr, IDI_APPLICATION);
        ASSERT_NE(icon_, nullptr);
    }

    // The record of the icon with the parts the flags name, everything else zero.
    NOTIFYICONDATAW Expected(UINT flags = NIF_MESSAGE | NIF_ICON | NIF_TIP) const {
        NOTIFYICONDATAW d;
        ZeroMemory(&d, sizeof d);
        d.cbSize = sizeof(NOTIFYICONDATAW);
        d.hWnd = owner_;
        d.uID = 1;
        d.uFlags = flags;
        d.uCallbackMessage = flags & NIF_MESSAGE ? WM_MOUSEMOVE : 0;
        d.hIcon = flags & NIF_ICON ? icon_ : nullptr;
        lstrcpyW(d.szTip, flags & NIF_TIP ? L"Inkwarden" : L"");
        return d;
    }

    const Popup owner_{L"tray owner"};
    HICON icon_ = nullptr;
};

TEST_F(Tray, AddReaddRemoveSendTheIconRecordAndReportTheShellsAnswer) {
    enum Call { Add, Readd, Remove };
    const DWORD none = 0xFFFFFFFF; // NIM_ADD is 0
    struct Step {
        Call call;
        BOOL shellAccepts;
        bool returns, added;
        DWORD sends;
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;
    } const cases[] = {
        {"accepted",
         {{Add, TRUE, true, true, NIM_ADD},
          {Readd, TRUE, true, true, NIM_ADD},
          {Remove, TRUE, true, false, NIM_DELETE}}},
        {"refused, and a refused icon is added again when the taskbar comes back",
         {{Add, FALSE, false, false, NIM_ADD},
          {Readd, TRUE, true, true, NIM_ADD},
          {Remove, FALSE, false, false, NIM_DELETE}}},
        {"remove and readd before add",
         {{Remove, TRUE, false, false, none}, {Readd, TRUE, false, false, none}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TrayIcon tray(&RecordNotify);
        EXPECT_FALSE(tray.added());
        for (const Step& step : c.steps) {
            SCOPED_TRACE("call " + std::to_string(step.call));
            sent.clear();
            notifyResult = step.shellAccepts;
            EXPECT_EQ(step.call == Add     ? tray.Add(owner_, icon_)
                      : step.call == Readd ? tray.Readd()
                                           : tray.Remove(),
                      step.returns);
            EXPECT_EQ(tray.added(), step.added);
            ASSERT_EQ(sent.size(), step.sends != none ? 1u : 0u);
            if (step.sends != none) {
                EXPECT_EQ(sent[0].message, step.sends);
                EXPECT_EQ(Describe(sent[0].data), Describe(Expected()));
            }
        }
    }
}

TEST_F(Tray, BalloonsGoInARecordOfTheirOwnAndNeedTheIcon) {
    TrayIcon tray(&RecordNotify);
    EXPECT_FALSE(tray.ShowBalloon(L"before the icon", false));
    ASSERT_TRUE(tray.Add(owner_, icon_));
    struct Case {
        std::wstring text;
        bool warning;
        std::wstring shown;
    } const cases[] = {
        {L"热键 Ctrl+Alt+K 已被其他程序占用", true, L"热键 Ctrl+Alt+K 已被其他程序占用"},
        {L"注释已复制", false, L"注释已复制"},
        {L"热键设置无效：" + std::wstring(1000, L'K'), true,
         L"热键设置无效：" + std::wstring(247, L'K') + L"…"},
    };
    for (const Case& c : cases) {
        sent.clear();
        EXPECT_TRUE(tray.ShowBalloon(c.text, c.warning));
        ASSERT_EQ(sent.size(), 1u);
        NOTIFYICONDATAW expected = Expected(NIF_INFO);
        expected.dwInfoFlags = c.warning ? NIIF_WARNING : NIIF_INFO;
        lstrcpyW(expected.szInfoTitle, L"Inkwarden");
        lstrcpynW(expected.szInfo, c.shown.c_str(), ARRAYSIZE(expected.szInfo));
        EXPECT_EQ(sent[0].message, static_cast<DWORD>(NIM_MODIFY));
        EXPECT_EQ(Describe(sent[0].data), Describe(expected));
    }
    // The icon's own record stays without the balloon.
    sent.clear();
    EXPECT_TRUE(tray.Readd());
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(Describe(sent[0].data), Describe(Expected()));
}

TEST(TaskbarCreated, MessageIsTheRegisteredOne) {
    const UINT message = TrayIcon::TaskbarCreatedMessage();
    EXPECT_GE(message, 0xC000u) << "registered messages are in 0xC000..0xFFFF";
    EXPECT_LE(message, 0xFFFFu);
    EXPECT_EQ(message, RegisterWindowMessageW(L"TaskbarCreated"));
    EXPECT_EQ(TrayIcon::TaskbarCreatedMessage(), message);
}

} // namespace
} // namespace inkwarden
