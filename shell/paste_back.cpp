#include "shell/paste_back.h"

#include "platform/platform.h"

namespace inkwarden {

void EditorWindow::Remember(HWND window) {
    if (!window)
        return;
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &process);
    if (thread == 0 || process == GetCurrentProcessId())
        return;
    window_ = window;
    process_ = process;
    thread_ = thread;
}

HWND EditorWindow::Get() const {
    if (!window_ || !IsWindow(window_) || !IsWindowVisible(window_))
        return nullptr;
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(window_, &process);
    return process == process_ && thread == thread_ ? window_ : nullptr;
}

namespace {

constexpr DWORD kActivationWaitMs = 1000;

bool Activate(HWND window) {
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
    // The switch to another program's window may complete a moment after the call
    // returns (Wine's does, after a minimise); no key may go out before it has.
    for (DWORD waited = 0; GetForegroundWindow() != window && waited < kActivationWaitMs; waited += 10)
        Sleep(10);
    return GetForegroundWindow() == window;
}

void Key(INPUT& input, WORD vk, bool up) {
    input = INPUT{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
}

} // namespace

bool ActivateEditor(const EditorWindow& editor) {
    HWND window = editor.Get();
    return window && Activate(window);
}

bool InputReaches(DWORD ours, DWORD theirs) {
    if (ours == 0 && theirs == 0)
        return true;
    // A level that cannot be read on the other side is treated as the higher one.
    return theirs != 0 && theirs <= ours;
}

PasteOutcome PasteInto(const EditorWindow& editor) {
    HWND window = editor.Get();
    if (!window)
        return PasteOutcome::NoEditor;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    const bool reaches =
        InputReaches(ProcessIntegrityLevel(GetCurrentProcessId()), ProcessIntegrityLevel(process));
    // Activated either way: when the input cannot reach it, the person pastes there.
    if (!Activate(window))
        return PasteOutcome::NotActivated;
    if (!reaches)
        return PasteOutcome::Elevated;
    INPUT keys[4];
    Key(keys[0], VK_CONTROL, false);
    Key(keys[1], 'V', false);
    Key(keys[2], 'V', true);
    Key(keys[3], VK_CONTROL, true);
    SendInput(ARRAYSIZE(keys), keys, sizeof(INPUT));
    return PasteOutcome::Pasted;
}

} // namespace inkwarden
