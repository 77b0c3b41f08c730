#include "core/hotkey.h"

#include <gtest/gtest.h>

#include <string>

namespace inkwarden {
namespace {

constexpr unsigned C = kHotkeyCtrl, A = kHotkeyAlt, S = kHotkeyShift, W = kHotkeyWin;
int F(int n) {
    return kHotkeyF1 + n - 1;
}

TEST(Hotkey, StoredTextsParseToTheKeyAndFormatCanonically) {
    struct Case {
        std::string text;
        bool valid;
        unsigned modifiers;
        int key;
        const char* canonical; // what a save writes back
    } const cases[] = {
        // valid forms, case, order and blanks
        {"Ctrl+Alt+K", true, C | A, 'K', "Ctrl+Alt+K"},
        {"ctrl+alt+k", true, C | A, 'K', "Ctrl+Alt+K"},
        {"ALT+CTRL+K", true, C | A, 'K', "Ctrl+Alt+K"},
        {" Win + Shift + Ctrl + Alt + F24 ", true, C | A | S | W, F(24), "Ctrl+Alt+Shift+Win+F24"},
        {"Ctrl+0", true, C, '0', "Ctrl+0"},
        {"Win+9", true, W, '9', "Win+9"},
        {"Shift+Alt+z", true, A | S, 'Z', "Alt+Shift+Z"},
        {"F1", true, 0, F(1), "F1"},
        {"shift+f12", true, S, F(12), "Shift+F12"},
        {"Ctrl+F9", true, C, F(9), "Ctrl+F9"},
        // no hotkey
        {"", true, 0, 0, "none"},
        {"none", true, 0, 0, "none"},
        {"NONE", true, 0, 0, "none"},
        {"  None ", true, 0, 0, "none"},
        // out-of-range keys
        {"Ctrl+F0", false, 0, 0, ""},
        {"Ctrl+F25", false, 0, 0, ""},
        {"Ctrl+F01", false, 0, 0, ""},
        {"Ctrl+F100", false, 0, 0, ""},
        {"Ctrl+Alt+Del", false, 0, 0, ""},
        {"Ctrl+Space", false, 0, 0, ""},
        {"Ctrl+;", false, 0, 0, ""},
        {"Ctrl+Ä", false, 0, 0, ""},
        // letters and digits need Ctrl, Alt or Win
        {"K", false, 0, 0, ""},
        {"Shift+K", false, 0, 0, ""},
        {"7", false, 0, 0, ""},
        // junk
        {"Ctrl+Alt", false, 0, 0, ""},
        {"Ctrl+Alt+", false, 0, 0, ""},
        {"+K", false, 0, 0, ""},
        {"Ctrl++K", false, 0, 0, ""},
        {"Ctrl+Ctrl+K", false, 0, 0, ""},
        {"Control+K", false, 0, 0, ""},
        {"Ctrl+K+Alt", false, 0, 0, ""},
        {"Ctrl+KK", false, 0, 0, ""},
        {"Ctrl-Alt-K", false, 0, 0, ""},
        {"nonee", false, 0, 0, ""},
        {std::string("Ctrl+\0K", 7), false, 0, 0, ""},
        // very long values
        {std::string(100000, 'K'), false, 0, 0, ""},
        {std::string(200, ' ') + "Ctrl+K", false, 0, 0, ""},
        {[] {
             std::string s;
             for (int i = 0; i < 5000; ++i)
                 s += "Ctrl+";
             return s + "K";
         }(),
         false, 0, 0, ""},
    };
    for (const Case& c : cases) {
        const std::string shown = c.text.size() > 40 ? c.text.substr(0, 40) + "..." : c.text;
        const std::optional<Hotkey> parsed = ParseHotkey(c.text);
        ASSERT_EQ(parsed.has_value(), c.valid) << "'" << shown << "'";
        if (!c.valid)
            continue;
        EXPECT_EQ(parsed->modifiers, c.modifiers) << "'" << shown << "'";
        EXPECT_EQ(parsed->key, c.key) << "'" << shown << "'";
        EXPECT_EQ(FormatHotkey(*parsed), c.canonical) << "'" << shown << "'";
        // The canonical text reads back as the same hotkey.
        EXPECT_EQ(ParseHotkey(c.canonical), parsed) << "'" << shown << "'";
    }
}

TEST(Hotkey, OnlyUsableKeysHaveAText) {
    struct Case {
        Hotkey hotkey;
        const char* text;
    } const cases[] = {
        {DefaultHotkey(), kDefaultHotkeyText},
        {{C | A, 'K'}, "Ctrl+Alt+K"},
        {{}, "none"},
        {{C, 0}, ""},         // modifiers without a key
        {{C, 0x20}, ""},      // space
        {{C, 0xBA}, ""},      // a punctuation key
        {{C, F(24) + 1}, ""}, // past F24
        {{S, 'A'}, ""},
        {{16, 'A'}, ""}, // an unknown modifier bit
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatHotkey(c.hotkey), c.text) << c.hotkey.modifiers << " " << c.hotkey.key;
}

} // namespace
} // namespace inkwarden
