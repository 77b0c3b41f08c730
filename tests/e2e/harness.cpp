#include "tests/e2e/harness.h"

#include "platform/platform.h"
#include "ui/control_ids.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <utility>

namespace inkwarden_testing {

namespace {

constexpr DWORD kPollMs = 10;
constexpr UINT kLongTextMs = 60000; // a message carrying half a million characters

struct WindowSearch {
    DWORD pid;
    const std::wstring* cls;
    const wchar_t* text;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if ((search.pid == 0 || pid == search.pid) && ClassOf(window) == *search.cls &&
        (!search.text || TextOf(window) == search.text))
        search.found.push_back(window);
    return TRUE;
}

// Wine's notification area shows each icon as a window of its own: in the X11
// driver's stand-alone tray (Wine 8) or in Explorer's tray (later versions).
BOOL CALLBACK CountTrayChildren(HWND window, LPARAM param) {
    const std::wstring cls = ClassOf(window);
    if (cls == L"__winex11_tray_icon" || cls == L"__wine_tray_icon")
        ++*reinterpret_cast<int*>(param);
    return TRUE;
}

BOOL CALLBACK CountTrayTopLevel(HWND window, LPARAM param) {
    CountTrayChildren(window, param);
    EnumChildWindows(window, CountTrayChildren, param); // icons shown in a tray window
    return TRUE;
}

// Wine 8 shows the notification area as a stand-alone window that it hides when its
// last icon goes; without a window manager (Xvfb) that costs about two seconds at
// every end of the application. An icon of the test program's own, held for the
// whole run, keeps the window shown; the tests count icons relative to it.
class ResidentTrayIcon : public ::testing::Environment {
public:
    void SetUp() override {
        thread_ = std::make_unique<WindowThread>(
            [this] {
                // A message-only window: it owns the icon but takes part in no broadcast.
                nid_.hWnd = CreateWindowExW(0, L"STATIC", L"inkwarden-e2e", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                            nullptr, GetModuleHandleW(nullptr), nullptr);
                nid_.cbSize = sizeof nid_;
                nid_.uID = 7;
                nid_.uFlags = NIF_ICON | NIF_TIP;
                nid_.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
                lstrcpynW(nid_.szTip, L"inkwarden-e2e", ARRAYSIZE(nid_.szTip));
                added_ = nid_.hWnd && Shell_NotifyIconW(NIM_ADD, &nid_);
            },
            [this] {
                if (added_)
                    Shell_NotifyIconW(NIM_DELETE, &nid_);
                if (nid_.hWnd)
                    DestroyWindow(nid_.hWnd);
            });
    }
    void TearDown() override { thread_.reset(); }

private:
    NOTIFYICONDATAW nid_ = {};
    bool added_ = false;
    std::unique_ptr<WindowThread> thread_;
};

::testing::Environment* const kResidentTrayIcon = ::testing::AddGlobalTestEnvironment(new ResidentTrayIcon);

// The Windows path of the scribbet.exe under test: INKWARDEN_EXE is a Linux path, which
// Wine shows on drive Z:.
std::wstring ProductExe() {
    wchar_t buffer[4096];
    const DWORD n = GetEnvironmentVariableW(L"INKWARDEN_EXE", buffer, ARRAYSIZE(buffer));
    if (n == 0 || n >= ARRAYSIZE(buffer))
        return std::wstring();
    std::wstring path(buffer, n);
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    if (!path.empty() && path[0] == L'\\')
        path = L"Z:" + path;
    return path;
}

} // namespace

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (done())
            return true;
        if (GetTickCount64() >= end)
            return done();
        Sleep(kPollMs);
    }
}

// ---- windows ---------------------------------------------------------------

std::vector<HWND> TopLevelWindows(DWORD pid, const std::wstring& cls, const wchar_t* text) {
    WindowSearch search{pid, &cls, text, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256];
    const int n = GetClassNameW(window, name, ARRAYSIZE(name));
    return std::wstring(name, n > 0 ? static_cast<std::size_t>(n) : 0);
}

std::wstring TextOf(HWND window) {
    const long long length = TextLength(window);
    if (length < 0)
        return std::wstring();
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_NORMAL,
                             kLongTextMs, &copied))
        return std::wstring();
    text.resize(copied);
    return text;
}

long long TextLength(HWND window) {
    DWORD_PTR length = 0;
    if (!window || !SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kLongTextMs, &length))
        return -1;
    return static_cast<long long>(length);
}

bool SetText(HWND window, const std::wstring& text) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                               kLongTextMs, &result) &&
           result != 0;
}

bool IsChecked(HWND button) {
    DWORD_PTR state = 0;
    return SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_NORMAL, kWaitMs, &state) &&
           state == BST_CHECKED;
}

// A move of the mouse to a screen point; absolute positions are in 0..65535 across the
// primary screen.
static INPUT MoveInput(POINT screen) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    input.mi.dy = MulDiv(screen.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

void Click(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

bool ClickWithMouse(HWND control) {
    // A person clicks into the window in front, once the pointer is over the control.
    const HWND window = GetAncestor(control, GA_ROOT);
    const POINT at = CentreOf(control);
    if (!WaitUntil([window] { return GetForegroundWindow() == window; }) || !SetCursorPos(at.x, at.y) ||
        !WaitUntil([&] { return WindowFromPoint(at) == control; }))
        return false;
    // The press comes with its own position, as a real mouse's does: Wine does not
    // always take a pointer that was only placed as the place of the next press.
    INPUT inputs[3] = {MoveInput(at), {INPUT_MOUSE, {}}, {INPUT_MOUSE, {}}};
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return SendInput(3, inputs, sizeof(INPUT)) == 3;
}

void ClickLabel(HWND label) {
    PostMessageW(GetParent(label), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(label), STN_CLICKED),
                 reinterpret_cast<LPARAM>(label));
}

bool Type(HWND input, const std::wstring& text) {
    const LPARAM enterDown = 1 | (0x1C << 16);
    const LPARAM enterUp = enterDown | (1 << 30) | (static_cast<LPARAM>(1) << 31);
    // Each key is taken before the next is sent: the application's own loop turns
    // Enter into its character, which would otherwise come after later keys.
    long long length = TextLength(input);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
            continue; // the Enter below stands for both
        if (text[i] == L'\n') {
            PostMessageW(input, WM_KEYDOWN, VK_RETURN, enterDown);
            PostMessageW(input, WM_KEYUP, VK_RETURN, enterUp);
            length += 2; // CR LF
        } else {
            PostMessageW(input, WM_CHAR, text[i], 1);
            length += 1;
        }
        if (!WaitUntil([&] { return TextLength(input) == length; }))
            return false;
    }
    return true;
}

bool SendAndWait(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, DWORD timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, msg, wParam, lParam, SMTO_NORMAL, timeoutMs, &result) != 0;
}

RECT RectIn(HWND parent, HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Closed(HWND window, DWORD timeoutMs) {
    return WaitUntil([window] { return !IsWindow(window); }, timeoutMs);
}

std::wstring BlockShown(HWND result) {
    return TextOf(GetDlgItem(result, inkwarden::ids::kText1));
}

::testing::AssertionResult ShowsBlock(HWND result, const std::wstring& expected) {
    if (!result)
        return ::testing::AssertionFailure() << "no result window";
    if (WaitUntil([&] { return BlockShown(result) == expected; }))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "shown:\n"
                                         << Show(BlockShown(result)) << "\nexpected:\n"
                                         << Show(expected);
}

std::wstring ChosenStyle(HWND settings) {
    std::wstring chosen;
    for (int k = 0; k < 8; ++k)
        if (IsChecked(GetDlgItem(settings, inkwarden::ids::kOption0 + k)))
            chosen += L"option " + std::to_wstring(k);
    const HWND list = GetDlgItem(settings, inkwarden::ids::kOtherStyles);
    DWORD_PTR selected = static_cast<DWORD_PTR>(CB_ERR);
    if (list && SendMessageTimeoutW(list, CB_GETCURSEL, 0, 0, SMTO_NORMAL, kWaitMs, &selected) &&
        static_cast<LRESULT>(selected) >= 0)
        chosen += L"list " + TextOf(list);
    return chosen.empty() ? L"none" : chosen;
}

// ---- keyboard and focus ----------------------------------------------------

namespace {

INPUT KeyInput(WORD vk, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

bool Send(std::vector<INPUT>& inputs) {
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

// The editor's window procedure: the input fills the window and keeps the focus.
LRESULT CALLBACK EditorProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_ACTIVATE && msg != WM_SETFOCUS)
        return DefWindowProcW(window, msg, wParam, lParam);
    const HWND input = GetDlgItem(window, 1);
    if (input && (msg == WM_SETFOCUS || LOWORD(wParam) != WA_INACTIVE))
        SetFocus(input);
    return 0;
}

} // namespace

bool PressKey(WORD key, std::initializer_list<WORD> modifiers) {
    std::vector<INPUT> inputs;
    for (WORD m : modifiers)
        inputs.push_back(KeyInput(m, false));
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
    for (auto m = modifiers.end(); m != modifiers.begin();)
        inputs.push_back(KeyInput(*--m, true));
    return Send(inputs);
}

bool TypeKeys(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        if (c == L'\n') {
            inputs.push_back(KeyInput(VK_RETURN, false));
            inputs.push_back(KeyInput(VK_RETURN, true));
            continue;
        }
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = c;
        input.ki.dwFlags = KEYEVENTF_UNICODE;
        inputs.push_back(input);
        input.ki.dwFlags |= KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    return Send(inputs);
}

bool MouseTo(POINT screen) {
    INPUT input = MoveInput(screen);
    if (SendInput(1, &input, sizeof input) != 1)
        return false;
    return WaitUntil([screen] {
        POINT p;
        return GetCursorPos(&p) && p.x == screen.x && p.y == screen.y;
    });
}

bool LeftButton(bool down) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    return SendInput(1, &input, sizeof input) == 1;
}

POINT CentreOf(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The state of the thread that owns the window; all nulls when it cannot be read.
static GUITHREADINFO GuiStateOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
        info = {};
    return info;
}

HWND FocusOf(HWND window) {
    return GuiStateOf(window).hwndFocus;
}

::testing::AssertionResult FocusIs(HWND control) {
    if (WaitUntil([control] {
            const HWND focus = FocusOf(control);
            return focus == control || (focus && IsChild(control, focus));
        }))
        return ::testing::AssertionSuccess();
    const HWND focus = FocusOf(control);
    return ::testing::AssertionFailure()
           << "the focus is on id " << GetDlgCtrlID(focus) << " (" << Show(ClassOf(focus)) << " '"
           << Show(TextOf(focus)) << "'), expected id " << GetDlgCtrlID(control);
}

bool Activate(HWND window) {
    SetForegroundWindow(window);
    return WaitUntil(
        [window] { return GetForegroundWindow() == window && GuiStateOf(window).hwndActive == window; });
}

WindowThread::WindowThread(std::function<void()> setUp, std::function<void()> tearDown)
    : setUp_(std::move(setUp)), tearDown_(std::move(tearDown)) {
    ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, &WindowThread::Run, this, 0, &threadId_);
    WaitForSingleObject(ready_, kWaitMs);
}

WindowThread::~WindowThread() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_, kWaitMs);
    CloseHandle(thread_);
    CloseHandle(ready_);
}

DWORD WINAPI WindowThread::Run(void* param) {
    WindowThread& self = *static_cast<WindowThread*>(param);
    self.setUp_();
    SetEvent(self.ready_);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (self.tearDown_)
        self.tearDown_();
    return 0;
}

TestEditor::TestEditor()
    : thread_(
          [this] {
              WNDCLASSW wc = {};
              wc.lpfnWndProc = EditorProc;
              wc.hInstance = GetModuleHandleW(nullptr);
              wc.lpszClassName = L"InkwardenE2E.Editor";
              wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
              RegisterClassW(&wc);
              window_ = CreateWindowExW(0, wc.lpszClassName, L"editor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20,
                                        20, 400, 300, nullptr, nullptr, wc.hInstance, nullptr);
              input_ =
                  CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN, 0, 0,
                                  380, 250, window_, reinterpret_cast<HMENU>(1), wc.hInstance, nullptr);
              SetFocus(input_);
          },
          [this] { DestroyWindow(window_); }) {}

Notepad::Notepad() {
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    std::wstring commandLine = L"notepad.exe";
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_))
        return;
    WaitForInputIdle(pi_.hProcess, kWaitMs);
    WaitUntil([this] {
        const std::vector<HWND> found = TopLevelWindows(pi_.dwProcessId, L"Notepad");
        window_ = found.size() == 1 && IsWindowVisible(found[0]) ? found[0] : nullptr;
        input_ = window_ ? FindWindowExW(window_, nullptr, L"Edit", nullptr) : nullptr;
        return input_ != nullptr;
    });
}

Notepad::~Notepad() {
    if (!pi_.hProcess)
        return;
    TerminateProcess(pi_.hProcess, 0);
    WaitForSingleObject(pi_.hProcess, kWaitMs);
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
}

// ---- message boxes ---------------------------------------------------------

HWND FindMessageBox(DWORD pid) {
    return WaitForMessageBox(pid, nullptr, 0);
}

HWND WaitForMessageBox(DWORD pid, HWND except, DWORD timeoutMs) {
    HWND box = nullptr;
    WaitUntil(
        [&] {
            box = nullptr;
            for (HWND b : TopLevelWindows(pid, L"#32770", L"Inkwarden"))
                if (b != except && IsWindowVisible(b))
                    box = b;
            return box != nullptr;
        },
        timeoutMs);
    return box;
}

std::wstring MessageBoxText(HWND box) {
    return TextOf(GetDlgItem(box, 0xFFFF));
}

std::vector<std::wstring> AcknowledgeMessages(DWORD pid, std::size_t count) {
    std::vector<std::wstring> texts;
    HWND previous = nullptr;
    while (texts.size() < count) {
        const HWND box = WaitForMessageBox(pid, previous);
        if (!box) {
            texts.push_back(L"(no message box)");
            break;
        }
        texts.push_back(MessageBoxText(box));
        if (!WaitUntil([box] { return GetForegroundWindow() == box; }) || !PressKey(VK_RETURN) ||
            !Closed(box)) {
            texts.push_back(L"(the box did not come to the front, or it stayed)");
            break;
        }
        previous = box;
    }
    return texts;
}

std::string Show(const std::wstring& text) {
    return inkwarden::Narrow(text);
}

// ---- notification area -----------------------------------------------------

int TrayIconCount() {
    int count = 0;
    EnumWindows(CountTrayTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}

int SettledTrayIconCount() {
    // An icon of a program that just ended may still be on its way out.
    int count = TrayIconCount();
    ULONGLONG stableSince = GetTickCount64();
    const ULONGLONG end = stableSince + kWaitMs;
    while (GetTickCount64() - stableSince < 300 && GetTickCount64() < end) {
        Sleep(kPollMs);
        const int now = TrayIconCount();
        if (now != count) {
            count = now;
            stableSince = GetTickCount64();
        }
    }
    return count;
}

bool DeleteTrayIcon(HWND owner) {
    NOTIFYICONDATAW nid = {};
    nid.cbSize = sizeof nid;
    nid.hWnd = owner;
    nid.uID = 1;
    return Shell_NotifyIconW(NIM_DELETE, &nid) != FALSE;
}

// ---- the application -------------------------------------------------------

App::App() = default;

App::~App() {
    Terminate();
}

bool App::Launch(PROCESS_INFORMATION* pi) const {
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    std::wstring commandLine = L"\"" + exePath() + L"\"";
    return CreateProcessW(exePath().c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          folder().c_str(), &si, pi) != FALSE;
}

bool App::Start(const std::string* iniBytes) {
    const std::wstring product = ProductExe();
    if (product.empty() || !CopyFileW(product.c_str(), exePath().c_str(), FALSE))
        return false;
    if ((iniBytes && !WriteFileBytes(iniPath(), *iniBytes)) || !Launch(&pi_))
        return false;
    WaitForInputIdle(pi_.hProcess, kWaitMs);
    WaitUntil([this] {
        const std::vector<HWND> found = TopLevelWindows(pid(), L"Inkwarden.For_main", L"Inkwarden");
        main_ = found.size() == 1 && IsWindowVisible(found[0]) ? found[0] : nullptr;
        return main_ != nullptr;
    });
    // The start is complete once what follows the first paint is done: the list of
    // templates of one's own is made last.
    return main_ && WaitUntil([this] { return Item(inkwarden::ids::kOwnTemplates) != nullptr; });
}

HANDLE App::StartAnother(DWORD* pid) const {
    PROCESS_INFORMATION pi = {};
    if (!Launch(&pi))
        return nullptr;
    CloseHandle(pi.hThread);
    if (pid)
        *pid = pi.dwProcessId;
    return pi.hProcess;
}

void App::Terminate() {
    if (!pi_.hProcess)
        return;
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
        // Wine's notification area drops the icon of a window that is gone.
        TerminateProcess(pi_.hProcess, 1);
        WaitForSingleObject(pi_.hProcess, kWaitMs);
    }
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
    pi_ = {};
    main_ = nullptr;
}

bool App::WaitForExit(DWORD* exitCode, DWORD timeoutMs) const {
    if (WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    if (exitCode)
        GetExitCodeProcess(pi_.hProcess, exitCode);
    return true;
}

HWND App::WaitForWindow(const std::wstring& cls, DWORD timeoutMs) const {
    HWND window = nullptr;
    WaitUntil(
        [&] {
            const std::vector<HWND> found = Windows(cls);
            window = found.size() == 1 && IsWindowVisible(found[0]) ? found[0] : nullptr;
            return window != nullptr;
        },
        timeoutMs);
    return window;
}

bool App::Settle() const {
    // The marker: the pushed state of the title band's frame, which nobody sees.
    const HWND marker = Item(inkwarden::ids::kFraTop);
    auto pushed = [marker] {
        DWORD_PTR state = 0;
        return SendMessageTimeoutW(marker, BM_GETSTATE, 0, 0, SMTO_NORMAL, kWaitMs, &state) &&
               (state & BST_PUSHED) != 0;
    };
    if (!marker || pushed() || !PostMessageW(marker, BM_SETSTATE, TRUE, 0))
        return false;
    const bool settled = WaitUntil(pushed);
    SendAndWait(marker, BM_SETSTATE, FALSE, 0);
    return settled;
}

HWND App::OpenSettings() const {
    ClickLabel(Item(inkwarden::ids::kSettingsLabel));
    return SettingsWindow();
}

HWND App::Confirm(int k) const {
    Click(Item(inkwarden::ids::kOk0 + k));
    return ResultWindow();
}

bool App::ShowTemplate(int k) const {
    Click(Item(inkwarden::ids::kFunc0 + k));
    return WaitUntil([this, k] { return IsWindowVisible(Item(inkwarden::ids::kFraList0 + k)) != FALSE; });
}

std::wstring App::InputText(int input) const {
    namespace ids = inkwarden::ids;
    const int k = input / 5;
    int shown = -1;
    for (int i = 0; i < 4; ++i)
        if (IsWindowVisible(Item(ids::kFraList0 + i)))
            shown = i;
    if (shown == k)
        return ItemText(ids::kTxt0 + input);
    // The click puts the focus on the option, which activates the main window.
    const HWND front = GetForegroundWindow();
    if (!ShowTemplate(k))
        return L"(template " + std::to_wstring(k) + L" did not show)";
    const std::wstring text = ItemText(ids::kTxt0 + input);
    if (shown >= 0)
        ShowTemplate(shown);
    if (front && front != GetForegroundWindow())
        Activate(front);
    return text;
}

bool App::Fill(int k, const std::array<std::wstring, 5>& fields) const {
    for (int line = 0; line < 5; ++line)
        if (!SetText(Item(inkwarden::ids::kTxt0 + 5 * k + line), fields[static_cast<std::size_t>(line)]))
            return false;
    return true;
}

} // namespace inkwarden_testing
