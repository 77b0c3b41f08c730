#include "shell/sysico.h"

#include "platform/platform.h"

namespace inkwarden {

TrayAction DecodeTrayNotification(WPARAM wParam, LPARAM lParam) {
    // With the classic notification version the shell passes the icon id and the mouse
    // message in full. An ordinary movement has key flags in wParam and y << 16 | x in
    // lParam, so it only matches with a button held at exactly (513, 0) or (516, 0).
    if (wParam != kTrayIconId)
        return TrayAction::None;
    switch (lParam) {
    case WM_LBUTTONDOWN:
        return TrayAction::LeftPress;
    case WM_RBUTTONDOWN:
        return TrayAction::RightPress;
    default:
        return TrayAction::None;
    }
}

TrayIcon::TrayIcon(NotifyIconFn notify) : notify_(notify ? notify : &Shell_NotifyIconW), nid_() {}

bool TrayIcon::Add(HWND owner, HICON icon) {
    nid_ = NOTIFYICONDATAW{};
    nid_.cbSize = sizeof nid_;
    nid_.hWnd = owner;
    nid_.uID = kTrayIconId;
    nid_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid_.uCallbackMessage = kTrayCallbackMessage;
    nid_.hIcon = icon;
    lstrcpynW(nid_.szTip, kProductTitle, ARRAYSIZE(nid_.szTip));
    filled_ = true;
    added_ = notify_(NIM_ADD, &nid_) != FALSE;
    return added_;
}

bool TrayIcon::Readd() {
    if (!filled_)
        return false;
    added_ = notify_(NIM_ADD, &nid_) != FALSE;
    return added_;
}

bool TrayIcon::ShowBalloon(const std::wstring& text, bool warning) {
    if (!added_)
        return false;
    // A record of its own: the one kept for Readd must not carry the balloon again.
    NOTIFYICONDATAW balloon = {};
    balloon.cbSize = sizeof balloon;
    balloon.hWnd = nid_.hWnd;
    balloon.uID = nid_.uID;
    balloon.uFlags = NIF_INFO;
    balloon.dwInfoFlags = warning ? NIIF_WARNING : NIIF_INFO;
    lstrcpynW(balloon.szInfoTitle, kProductTitle, ARRAYSIZE(balloon.szInfoTitle));
    // Cut to the field, with an ellipsis, so an overlong value still reads as cut.
    std::wstring shown = text;
    if (shown.size() >= ARRAYSIZE(balloon.szInfo))
        shown = shown.substr(0, ARRAYSIZE(balloon.szInfo) - 2) + L"…";
    lstrcpynW(balloon.szInfo, shown.c_str(), ARRAYSIZE(balloon.szInfo));
    return notify_(NIM_MODIFY, &balloon) != FALSE;
}

bool TrayIcon::Remove() {
    if (!filled_)
        return false;
    const bool ok = notify_(NIM_DELETE, &nid_) != FALSE;
    added_ = false;
    return ok;
}

UINT TrayIcon::TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

} // namespace inkwarden
