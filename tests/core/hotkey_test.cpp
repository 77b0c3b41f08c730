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
        unsigned modifiers;
        int key;
        const char* canonical; // what a save writes back
    } const cases[] = {
        // valid forms, case, order and blanks
        {"Ctrl+Alt+K", C | A, 'K', "Ctrl+Alt+K"},
        {"ctrl+alt+k", C | A, 'K', "Ctrl+Alt+K"},
        {"ALT+CTRL+K", C | A, 'K', "Ctrl+Alt+K"},
        {" Win + Shift + Ctrl + Alt + F24 ", C | A | S | W, F(24), "Ctrl+Alt+Shift+Win+F24"},
        {"Ctrl+0", C, '0', "Ctrl+0"},
        {"Win+9", W, '9', "Win+9"},
        {"Shift+Alt+z", A | S, 'Z', "Alt+Shift+Z"},
        {"F1", 0, F(1), "F1"},
        {"shift+f12", S, F(12), "Shift+F12"},
        {"Ctrl+F9", C, F(9), "Ctrl+F9"},
        // no hotkey
        {"", 0, 0, "none"},
        {"none", 0, 0, "none"},
        {"NONE", 0, 0, "none"},
        {"  None ", 0, 0, "none"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("'" + c.text + "'");
        const std::optional<Hotkey> parsed = ParseHotkey(c.text);
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(parsed->modifiers, c.modifiers);
        EXPECT_EQ(parsed->key, c.key);
        EXPECT_EQ(FormatHotkey(*parsed), c.canonical);
        EXPECT_EQ(ParseHotkey(c.canonical), parsed) << "the canonical text reads back as the same hotkey";
    }
    std::string chain;
    for (int i = 0; i < 5000; ++i)
        chain += "Ctrl+";
    const std::string unusable[] = {
        // out-of-range keys
        "Ctrl+F0", "Ctrl+F25", "Ctrl+F01", "Ctrl+F100", "Ctrl+Alt+Del", "Ctrl+Space", "Ctrl+;", "Ctrl+Ä",
        // letters and digits need Ctrl, Alt or Win
        "K", "Shift+K", "7",
        // junk
        "Ctrl+Alt", "Ctrl+Alt+", "+K", "Ctrl++K", "Ctrl+Ctrl+K", "Control+K", "Ctrl+K+Alt", "Ctrl+KK",
        "Ctrl-Alt-K", "nonee", std::string("Ctrl+\0K", 7),
        // very long values
        std::string(100000, 'K'), std::string(200, ' ') + "Ctrl+K", chain + "K"};
    for (const std::string& text : unusable)
        EXPECT_FALSE(ParseHotkey(text).has_value()) << "'" << text.substr(0, 40) << "'";
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
