// End-to-end harness: starts the real scribbet.exe in a folder of its own and works
// it from the outside, the way a person or an automation tool would - by window
// classes, texts and control ids, messages, the clipboard, the settings file and the
// registry.
#pragma once

#include "tests/common/desktop.h"
#include "tests/common/file_bytes.h"
#include "tests/common/ini_text.h"
#include "tests/common/registry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace inkwarden_testing {

// How long any single wait for the application may take before a test gives up.
constexpr DWORD kWaitMs = 10000;

inline constexpr wchar_t kResultClass[] = L"Inkwarden.for_ok";
inline constexpr wchar_t kSettingsClass[] = L"Inkwarden.set_ini";

// Polls `done` every few milliseconds until it is true or `timeoutMs` has passed.
// Returns the last answer of `done`.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = kWaitMs);

// ---- windows ---------------------------------------------------------------

// Top-level windows of the process (any process when pid is 0) with this class, and
// with this text when `text` is given.
std::vector<HWND> TopLevelWindows(DWORD pid, const std::wstring& cls, const wchar_t* text = nullptr);
std::wstring ClassOf(HWND window);
// The text the window itself reports (WM_GETTEXT), however long.
std::wstring TextOf(HWND window);
// The length of that text (WM_GETTEXTLENGTH); -1 when the window does not answer.
long long TextLength(HWND window);
// Sets a window's text as a program would (WM_SETTEXT); true when it was taken.
bool SetText(HWND window, const std::wstring& text);
bool IsChecked(HWND button);
// A click on a push, check or radio button (BM_CLICK), posted: the button takes it
// as a click of the mouse and tells its window.
void Click(HWND button);
// A click on a label that notifies its window (SS_NOTIFY): STN_CLICKED, posted.
void ClickLabel(HWND label);
// The left mouse button pressed and released over the middle of a control, as a
// person does it (SendInput). False when the input was not taken.
bool ClickWithMouse(HWND control);
// Keys typed into an input: characters as WM_CHAR, each line break ("\r\n" or "\n")
// as the Enter key (WM_KEYDOWN/WM_KEYUP, translated by the application's own loop).
// False when a key was not taken.
bool Type(HWND input, const std::wstring& text);
// A message handled to its end before this returns; false when the window did not
// answer in time.
bool SendAndWait(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, DWORD timeoutMs = kWaitMs);
// A rectangle of a window in the client coordinates of `parent`.
RECT RectIn(HWND parent, HWND window);
bool Closed(HWND window, DWORD timeoutMs = kWaitMs);
// The block a result window shows.
std::wstring BlockShown(HWND result);
// Waits for the result window (which must be there) to show `expected`; tells both
// texts otherwise.
::testing::AssertionResult ShowsBlock(HWND result, const std::wstring& expected);

// The style chosen in the settings window: "option N", "list NAME" (a style of one's
// own) or "none".
std::wstring ChosenStyle(HWND settings);

// ---- keyboard and focus ----------------------------------------------------

// Real keyboard input (SendInput): it goes to whatever control has the focus in the
// active window, as a person's keys do. Returns once the input is queued; callers
// wait for its effect.
// A key with modifiers (VK_CONTROL, VK_MENU, VK_SHIFT) held around it.
bool PressKey(WORD key, std::initializer_list<WORD> modifiers = {});
// Characters as typed Unicode input; "\n" is the Enter key.
bool TypeKeys(const std::wstring& text);
// The mouse: moves to a screen point, presses or releases the left button there.
bool MouseTo(POINT screen);
bool LeftButton(bool down);
POINT CentreOf(HWND window);

// The focused control of the thread that owns `window` (GetGUIThreadInfo), so another
// process's focus can be read.
HWND FocusOf(HWND window);
// Waits for the focus to be on `control`, or inside it (the input of an editable
// drop-down); names the control that has it otherwise.
::testing::AssertionResult FocusIs(HWND control);
// Makes the window the active (foreground) window and waits until it is.
bool Activate(HWND window);

// A thread of the test process that owns windows: `setUp` runs on it before its
// message loop, `tearDown` after; the destructor ends the loop and waits for the thread.
class WindowThread : NoCopy {
public:
    explicit WindowThread(std::function<void()> setUp, std::function<void()> tearDown = nullptr);
    ~WindowThread();

private:
    static DWORD WINAPI Run(void* self);
    std::function<void()> setUp_, tearDown_;
    HANDLE ready_ = nullptr, thread_ = nullptr;
    DWORD threadId_ = 0;
};

// A stand-in for a person's editor on a thread of the test process: a top-level window
// with a multi-line input that has the focus whenever the window is active.
class TestEditor : NoCopy {
public:
    TestEditor();
    HWND window() const { return window_; }
    HWND input() const { return input_; }
    std::wstring Text() const { return TextOf(input_); }

private:
    HWND window_ = nullptr, input_ = nullptr;
    WindowThread thread_; // last: its set-up makes the windows above
};

// Wine's own Notepad, the editor a person pastes into: started for the test and ended
// with it.
class Notepad : NoCopy {
public:
    Notepad();
    ~Notepad();
    HWND window() const { return window_; }
    HWND input() const { return input_; }
    std::wstring Text() const { return TextOf(input_); }

private:
    PROCESS_INFORMATION pi_ = {};
    HWND window_ = nullptr, input_ = nullptr;
};

// ---- message boxes ---------------------------------------------------------

// A message box of the process: a #32770 window titled "Inkwarden".
HWND FindMessageBox(DWORD pid);
// Waits for a message box of the process other than `except`.
HWND WaitForMessageBox(DWORD pid, HWND except = nullptr, DWORD timeoutMs = kWaitMs);
// The message of a message box (its static text, id 0xFFFF).
std::wstring MessageBoxText(HWND box);
// Waits for `count` message boxes of the process one after another and acknowledges
// each with Enter once it is in front, as a person does. Returns their texts; a box
// that did not come, come to the front or go is told in its place.
std::vector<std::wstring> AcknowledgeMessages(DWORD pid, std::size_t count);

// Printable (UTF-8) form of a wide text for failure messages.
std::string Show(const std::wstring& text);

// ---- notification area -----------------------------------------------------

// Icons in Wine's notification area (windows of class "__winex11_tray_icon" in
// Wine 8, "__wine_tray_icon" later), top-level or inside a tray window.
int TrayIconCount();
// The count once it has not changed for a moment.
int SettledTrayIconCount();
// Removes the application's icon as Explorer would lose it (NIM_DELETE, id 1).
bool DeleteTrayIcon(HWND owner);

// ---- the application -------------------------------------------------------

// One run of scribbet.exe from a temporary folder of its own. Only one instance may
// run at a time; the destructor ends the process and removes the folder.
class App : NoCopy {
public:
    App();
    ~App();

    // Copies the program into the folder, writes scribbet.ini with exactly these bytes
    // (none when `iniBytes` is null), starts it and waits for its main window.
    bool Start(const std::string* iniBytes);
    bool Start(const std::wstring& iniText) {
        const std::string bytes = Utf16File(iniText);
        return Start(&bytes);
    }
    // Ends the process and starts it again from the same folder, keeping the file.
    bool Restart() {
        Terminate();
        return Start(nullptr);
    }
    // Starts the copy once more (a second instance); the caller owns the handle.
    HANDLE StartAnother(DWORD* pid) const;
    // Ends the process if it still runs; Wine then drops its icon.
    void Terminate();
    // True when the process ended by itself within the timeout; `exitCode` receives its code.
    bool WaitForExit(DWORD* exitCode = nullptr, DWORD timeoutMs = kWaitMs) const;

    bool Running() const { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }
    DWORD pid() const { return pi_.dwProcessId; }
    HWND main() const { return main_; }
    HWND Item(int id) const { return GetDlgItem(main_, id); }
    std::wstring ItemText(int id) const { return TextOf(Item(id)); }
    const std::wstring& folder() const { return folder_.path(); }
    std::wstring exePath() const { return folder_.File(L"scribbet.exe"); }
    std::wstring iniPath() const { return folder_.File(L"scribbet.ini"); }

    std::vector<HWND> Windows(const std::wstring& cls) const { return TopLevelWindows(pid(), cls); }
    // Waits for exactly one window of the class and returns it.
    HWND WaitForWindow(const std::wstring& cls, DWORD timeoutMs = kWaitMs) const;
    HWND ResultWindow() const { return WaitForWindow(kResultClass); }
    HWND SettingsWindow() const { return WaitForWindow(kSettingsClass); }
    // A click on 系统设置; waits for the settings window.
    HWND OpenSettings() const;
    int WindowCount(const std::wstring& cls) const { return static_cast<int>(Windows(cls).size()); }

    // Returns once the application has handled every message posted to any of its
    // windows before this call (they share one thread and one queue): a marker posted
    // behind them is waited for. What an earlier message would have done is done.
    bool Settle() const;

    // The confirm button of template k, pressed; waits for the result window.
    HWND Confirm(int k) const;
    // The option of template k, clicked; waits for its panel to show.
    bool ShowTemplate(int k) const;
    // The text of txt0(input) as a person finds it: its template is chosen while it is
    // read, unless its panel shows already, and the one shown before is chosen again.
    std::wstring InputText(int input) const;
    // Puts template k's five fields into its inputs (its panel must have shown once).
    bool Fill(int k, const std::array<std::wstring, 5>& fields) const;

private:
    bool Launch(PROCESS_INFORMATION* pi) const;

    TempFolder folder_;
    PROCESS_INFORMATION pi_ = {};
    HWND main_ = nullptr;
};

} // namespace inkwarden_testing
