#include "shell/hotkey.h"

#include <commctrl.h>

namespace inkwarden {

namespace {

// Each modifier in the terms of RegisterHotKey and of the hotkey control (which has
// no Win).
struct ModifierBits {
    unsigned ours;
    UINT system;
    BYTE control;
};
const ModifierBits kModifierBits[] = {
    {kHotkeyCtrl, MOD_CONTROL, HOTKEYF_CONTROL},
    {kHotkeyAlt, MOD_ALT, HOTKEYF_ALT},
    {kHotkeyShift, MOD_SHIFT, HOTKEYF_SHIFT},
    {kHotkeyWin, MOD_WIN, 0},
};

} // namespace

UINT HotkeyModifiersForSystem(const Hotkey& hotkey) {
    // Held down, the key must not toggle the main window back and forth.
    UINT mods = MOD_NOREPEAT;
    for (const ModifierBits& m : kModifierBits)
        if (hotkey.modifiers & m.ours)
            mods |= m.system;
    return mods;
}

WORD HotkeyControlValue(const Hotkey& hotkey) {
    if (hotkey.IsNone())
        return 0;
    BYTE flags = 0;
    for (const ModifierBits& m : kModifierBits)
        if (hotkey.modifiers & m.ours)
            flags |= m.control;
    return MAKEWORD(static_cast<BYTE>(hotkey.key), flags);
}

Hotkey HotkeyFromControlValue(WORD value) {
    if (LOBYTE(value) == 0)
        return Hotkey{};
    Hotkey hotkey;
    hotkey.key = LOBYTE(value);
    for (const ModifierBits& m : kModifierBits)
        if (m.control & HIBYTE(value))
            hotkey.modifiers |= m.ours;
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
