// The global hotkey that calls the main window from any program.
#pragma once

#include "core/hotkey.h"

#include <windows.h>

namespace inkwarden {

// WM_HOTKEY arrives at the owner window with this id.
constexpr int kGlobalHotkeyId = 1;

// A hotkey in the terms of RegisterHotKey (MOD_* and a virtual key), and in those of
// the standard hotkey control (HKM_GETHOTKEY: virtual key low, HOTKEYF_* high).
UINT HotkeyModifiersForSystem(const Hotkey& hotkey);
WORD HotkeyControlValue(const Hotkey& hotkey);
// The control cannot hold Win; its keys may lie outside the usable set, which the
// caller finds out with IsUsableHotkey.
Hotkey HotkeyFromControlValue(WORD value);

class GlobalHotkey {
public:
    GlobalHotkey() = default;
    GlobalHotkey(const GlobalHotkey&) = delete;
    GlobalHotkey& operator=(const GlobalHotkey&) = delete;
    ~GlobalHotkey() { Unregister(); }

    // Registers `hotkey` for `owner` in place of the one before. No hotkey registers
    // nothing and succeeds. False, with the last error set, when the system refuses
    // (another program holds the combination); there is then no hotkey at all.
    bool Register(HWND owner, const Hotkey& hotkey);
    void Unregister();
    // A hotkey control that has the focus must get the keys itself, the current
    // combination included: Suspend lets them through until Resume.
    void Suspend();
    void Resume();

private:
    HWND owner_ = nullptr;
    Hotkey hotkey_;
    bool registered_ = false;
    bool suspended_ = false;
};

} // namespace inkwarden
