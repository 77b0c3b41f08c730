#include "core/hotkey.h"

#include "core/text.h"

#include <cctype>

namespace inkwarden {

const char kDefaultHotkeyText[] = "Ctrl+Alt+K";

namespace {

struct ModifierName {
    unsigned bit;
    const char* name;
};
// In the order they are written.
const ModifierName kModifiers[] = {
    {kHotkeyCtrl, "Ctrl"},
    {kHotkeyAlt, "Alt"},
    {kHotkeyShift, "Shift"},
    {kHotkeyWin, "Win"},
};

// "Ctrl+Alt+Shift+Win+F24" is the longest canonical text; anything far beyond it is junk
// and is refused before it is looked at.
constexpr std::size_t kMaxTextLength = 64;

// The key number of a key name, or 0.
int KeyOf(std::string_view name) {
    if (name.size() == 1) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            return c;
        return 0;
    }
    if ((name[0] != 'F' && name[0] != 'f') || name.size() > 3 || name[1] == '0')
        return 0;
    int n = 0;
    for (std::size_t i = 1; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9')
            return 0;
        n = n * 10 + (name[i] - '0');
    }
    return n >= 1 && n <= 24 ? kHotkeyF1 + n - 1 : 0;
}

bool IsLetterOrDigit(int key) {
    return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
}

} // namespace

Hotkey DefaultHotkey() {
    return Hotkey{kHotkeyCtrl | kHotkeyAlt, 'K'};
}

bool IsUsableHotkey(const Hotkey& hotkey) {
    if (hotkey.IsNone())
        return hotkey.modifiers == 0;
    if (hotkey.modifiers & ~static_cast<unsigned>(kHotkeyCtrl | kHotkeyAlt | kHotkeyShift | kHotkeyWin))
        return false;
    if (IsLetterOrDigit(hotkey.key))
        return (hotkey.modifiers & (kHotkeyCtrl | kHotkeyAlt | kHotkeyWin)) != 0;
    return hotkey.key >= kHotkeyF1 && hotkey.key <= kHotkeyF24;
}

std::optional<Hotkey> ParseHotkey(std::string_view text) {
    if (text.size() > kMaxTextLength)
        return std::nullopt;
    text = Trim(text);
    if (text.empty() || SameIgnoringCase(text, "none"))
        return Hotkey{};
    Hotkey hotkey;
    for (;;) {
        const std::size_t plus = text.find('+');
        const std::string_view part = Trim(text.substr(0, plus));
        if (part.empty())
            return std::nullopt;
        if (plus == std::string_view::npos) {
            hotkey.key = KeyOf(part);
            break;
        }
        unsigned bit = 0;
        for (const ModifierName& m : kModifiers)
            if (SameIgnoringCase(part, m.name))
                bit = m.bit;
        if (bit == 0 || (hotkey.modifiers & bit))
            return std::nullopt;
        hotkey.modifiers |= bit;
        text.remove_prefix(plus + 1);
    }
    if (hotkey.IsNone() || !IsUsableHotkey(hotkey))
        return std::nullopt;
    return hotkey;
}

std::string FormatHotkey(const Hotkey& hotkey) {
    if (!IsUsableHotkey(hotkey))
        return std::string();
    if (hotkey.IsNone())
        return "none";
    std::string text;
    for (const ModifierName& m : kModifiers)
        if (hotkey.modifiers & m.bit)
            text += std::string(m.name) + "+";
    if (hotkey.key >= kHotkeyF1)
        text += "F" + std::to_string(hotkey.key - kHotkeyF1 + 1);
    else
        text += static_cast<char>(hotkey.key);
    return text;
}

} // namespace inkwarden
