// The notification-area (tray) icon of the main window.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace inkwarden {

constexpr UINT kTrayIconId = 1;
constexpr UINT kTrayCallbackMessage = WM_MOUSEMOVE;

enum class TrayAction { None, LeftPress, RightPress };

// Tells a tray notification from an ordinary mouse movement: the shell sends the icon
// id as wParam and the bare mouse message as the whole lParam, while a real movement
// carries the key state and both coordinates.
TrayAction DecodeTrayNotification(WPARAM wParam, LPARAM lParam);

// The shell call, replaceable so tests can record what is sent.
using NotifyIconFn = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAW data);

class TrayIcon {
public:
    explicit TrayIcon(NotifyIconFn notify = nullptr);
    // Fills the record (id 1, callback WM_MOUSEMOVE, the icon, tip "Inkwarden") and adds it.
    bool Add(HWND owner, HICON icon);
    // Adds the same record again, after the taskbar was re-created. No-op before Add.
    bool Readd();
    // A balloon from the icon that tells the person something without stopping them
    // (no modal box); the icon itself is left as it is. False when there is no icon.
    bool ShowBalloon(const std::wstring& text, bool warning);
    // Removes the icon; harmless when it is not there.
    bool Remove();
    bool added() const { return added_; }

    // The message Explorer broadcasts when the taskbar is (re)created.
    static UINT TaskbarCreatedMessage();

private:
    NotifyIconFn notify_;
    NOTIFYICONDATAW nid_;
    bool filled_ = false;
    bool added_ = false;
};

} // namespace inkwarden
