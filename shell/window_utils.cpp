#include "shell/window_utils.h"

#include "platform/platform.h"

namespace inkwarden {

void SetTopmost(HWND hwnd, bool topmost) {
    const UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW; // 0x53
    SetWindowPos(hwnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, flags);
}

void BringToFront(HWND hwnd) {
    // In and out of the topmost band: the window ends on top of the ordinary windows
    // even when the system refuses it the foreground.
    SetTopmost(hwnd, true);
    SetTopmost(hwnd, false);
    SetForegroundWindow(hwnd);
}

const wchar_t kPointerProperty[] = L"Inkwarden.Pointer";

void CaptionDrag(HWND window) {
    // The window's pointer is a property that its WM_SETCURSOR handling honours, so the
    // size-all shape holds for the whole move loop, whatever control is under the mouse.
    HCURSOR sizeAll = LoadCursorW(nullptr, IDC_SIZEALL);
    SetPropW(window, kPointerProperty, sizeAll);
    SetCursor(sizeAll);
    ReleaseCapture();
    SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    RemovePropW(window, kPointerProperty);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

bool ApplyWindowPointer(HWND window) {
    HCURSOR pointer = static_cast<HCURSOR>(GetPropW(window, kPointerProperty));
    if (!pointer)
        return false;
    SetCursor(pointer);
    return true;
}

bool AnotherInstanceRunning() {
    // Held until the process ends; "Local\" scopes the answer to this session.
    static HANDLE mutex = nullptr;
    static bool another = false;
    if (!mutex) {
        mutex = CreateMutexW(nullptr, FALSE, L"Local\\Inkwarden.scribbet.SingleInstance");
        another = mutex && GetLastError() == ERROR_ALREADY_EXISTS;
    }
    return another;
}

void EnsureSingleInstance() {
    if (!AnotherInstanceRunning())
        return;
    ShowMessage(nullptr, L"该程序已运行！ ");
    EndProcess(0);
}

} // namespace inkwarden
