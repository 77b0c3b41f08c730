#include "shell/hotkey.h"

#include <commctrl.h>

namespace inkwarden {

UINT HotkeyModifiersForSystem(const Hotkey& hotkey) {
    // Held down, the key must not toggle the main window back and forth.
    UINT mods = MOD_NOREPEAT;
    if (hotkey.modifiers & kHotkeyCtrl)
        mods |= MOD_CONTROL;
    if (hotkey.modifiers & kHotkeyAlt)
        mods |= MOD_ALT;
    if (hotkey.modifiers & kHotkeyShift)
        mods |= MOD_SHIFT;
    if (hotkey.modifiers & kHotkeyWin)
        mods |= MOD_WIN;
    return mods;
}

WORD HotkeyControlValue(const Hotkey& hotkey) {
    if (hotkey.IsNone())
        return 0;
    BYTE flags = 0;
    if (hotkey.modifiers & kHotkeyCtrl)
        flags |= HOTKEYF_CONTROL;
    if (hotkey.modifiers & kHotkeyAlt)
        flags |= HOTKEYF_ALT;
    if (hotkey.modifiers & kHotkeyShift)
        flags |= HOTKEYF_SHIFT;
    return MAKEWORD(static_cast<BYTE>(hotkey.key), flags);
}

Hotkey HotkeyFromControlValue(WORD value) {
    Hotkey hotkey;
    hotkey.key = LOBYTE(value);
    if (hotkey.key == 0)
        return Hotkey{};
    const BYTE flags = HIBYTE(value);
    if (flags & HOTKEYF_CONTROL)
        hotkey.modifiers |= kHotkeyCtrl;
    if (flags & HOTKEYF_ALT)
        hotkey.modifiers |= kHotkeyAlt;
    if (flags & HOTKEYF_SHIFT)
        hotkey.modifiers |= kHotkeyShift;
    return hotkey;
}

bool GlobalHotkey::Register(HWND owner, const Hotkey& hotkey) {
    Unregister();
    owner_ = owner;
    hotkey_ = hotkey;
    suspended_ = false;
    if (hotkey.IsNone())
        return true;
    registered_ = RegisterHotKey(owner, kGlobalHotkeyId, HotkeyModifiersForSystem(hotkey),
                                 static_cast<UINT>(hotkey.key)) != FALSE;
    if (!registered_)
        hotkey_ = Hotkey{};
    return registered_;
}

void GlobalHotkey::Unregister() {
    if (registered_)
        UnregisterHotKey(owner_, kGlobalHotkeyId);
    registered_ = false;
    suspended_ = false;
    hotkey_ = Hotkey{};
}

void GlobalHotkey::Suspend() {
    if (!registered_ || suspended_)
        return;
    UnregisterHotKey(owner_, kGlobalHotkeyId);
    suspended_ = true;
}

void GlobalHotkey::Resume() {
    if (!suspended_)
        return;
    suspended_ = false;
    // Another program may have taken the combination meanwhile; the hotkey then stays
    // off until the next save or start.
    registered_ = RegisterHotKey(owner_, kGlobalHotkeyId, HotkeyModifiersForSystem(hotkey_),
                                 static_cast<UINT>(hotkey_.key)) != FALSE;
}

} // namespace inkwarden
