// The global hotkey as the settings file stores it: modifiers from Ctrl, Alt, Shift
// and Win joined by "+" in that order, then one key A-Z, 0-9 or F1-F24. Portable.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace inkwarden {

enum HotkeyModifier : unsigned {
    kHotkeyCtrl = 1,
    kHotkeyAlt = 2,
    kHotkeyShift = 4,
    kHotkeyWin = 8,
};

// Key numbers: 'A'-'Z' and '0'-'9' stand for themselves; F1-F24 are kHotkeyF1 to
// kHotkeyF1 + 23, the numbering Windows gives the function keys, so the shell passes
// every key number through unchanged.
constexpr int kHotkeyF1 = 0x70;
constexpr int kHotkeyF24 = kHotkeyF1 + 23;

struct Hotkey {
    unsigned modifiers = 0; // HotkeyModifier bits
    int key = 0;            // 0: no hotkey

    bool IsNone() const { return key == 0; }
    bool operator==(const Hotkey& o) const { return modifiers == o.modifiers && key == o.key; }
    bool operator!=(const Hotkey& o) const { return !(*this == o); }
};

extern const char kDefaultHotkeyText[]; // "Ctrl+Alt+K"
Hotkey DefaultHotkey();

// True for no hotkey, and for a key of the allowed set with modifiers that leave
// ordinary typing alone: a letter or digit needs Ctrl, Alt or Win (a bare "K" or
// "Shift+K" would take that character from every program); a function key may
// stand alone.
bool IsUsableHotkey(const Hotkey& hotkey);

// The stored text read back. Case is ignored, blanks around the parts are allowed and
// the modifiers may come in any order. The empty text and "none" mean no hotkey.
// Anything else that is not a usable hotkey (junk, a repeated modifier, a missing or
// unknown key, F0, F25, an overlong text) yields nothing.
std::optional<Hotkey> ParseHotkey(std::string_view text);

// The canonical text: "Ctrl+Alt+K", "Shift+F5", "none" for no hotkey; the empty text
// for a hotkey that is not usable.
std::string FormatHotkey(const Hotkey& hotkey);

} // namespace inkwarden
