// The global hotkey's registration and the checks that guard pasting into an editor.
#include "shell/hotkey.h"
#include "shell/paste_back.h"

#include "platform/platform.h"

#include <commctrl.h>

#include <gtest/gtest.h>

namespace inkwarden {
namespace {

HWND NewWindow() {
    return CreateWindowExW(0, L"STATIC", L"hotkey owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TEST(GlobalHotkey, TakenCombinationsFailAndSuspendLetsThemGo) {
    const Hotkey ctrlAltK = DefaultHotkey();
    const Hotkey ctrlAltF11{kHotkeyCtrl | kHotkeyAlt, kHotkeyF1 + 10};
    HWND ours = NewWindow();
    HWND other = NewWindow();
    ASSERT_TRUE(ours && other);
    // Another program's registration of the same combination.
    ASSERT_TRUE(RegisterHotKey(other, 5, MOD_CONTROL | MOD_ALT, 'K'));

    GlobalHotkey hotkey;
    struct Step {
        const char* what;
        Hotkey key;
        bool registers;
    } const steps[] = {
        {"taken", ctrlAltK, false},
        {"free", ctrlAltF11, true},
        {"none", Hotkey{}, true},
        {"free again", ctrlAltF11, true},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(hotkey.Register(ours, s.key), s.registers) << s.what;
        EXPECT_EQ(hotkey.registered(), s.registers && !s.key.IsNone()) << s.what;
    }
    // Ours holds Ctrl+Alt+F11 now: nobody else gets it, until it is suspended.
    EXPECT_FALSE(RegisterHotKey(other, 6, MOD_CONTROL | MOD_ALT, VK_F11));
    hotkey.Suspend();
    EXPECT_TRUE(RegisterHotKey(other, 6, MOD_CONTROL | MOD_ALT, VK_F11));
    EXPECT_TRUE(UnregisterHotKey(other, 6));
    hotkey.Resume();
    EXPECT_TRUE(hotkey.registered());
    EXPECT_FALSE(RegisterHotKey(other, 6, MOD_CONTROL | MOD_ALT, VK_F11));
    hotkey.Unregister();
    EXPECT_TRUE(RegisterHotKey(other, 6, MOD_CONTROL | MOD_ALT, VK_F11));

    UnregisterHotKey(other, 6);
    UnregisterHotKey(other, 5);
    DestroyWindow(ours);
    DestroyWindow(other);
}

TEST(GlobalHotkey, ControlValuesAndSystemModifiers) {
    struct Case {
        Hotkey key;
        WORD control;
        UINT system;
    } const cases[] = {
        {DefaultHotkey(), MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT), MOD_CONTROL | MOD_ALT | MOD_NOREPEAT},
        {{kHotkeyShift, kHotkeyF1 + 4}, MAKEWORD(VK_F5, HOTKEYF_SHIFT), MOD_SHIFT | MOD_NOREPEAT},
        {{kHotkeyCtrl | kHotkeyAlt | kHotkeyShift, '0'},
         MAKEWORD('0', HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_SHIFT),
         MOD_CONTROL | MOD_ALT | MOD_SHIFT | MOD_NOREPEAT},
        {{}, 0, MOD_NOREPEAT},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HotkeyControlValue(c.key), c.control) << FormatHotkey(c.key);
        EXPECT_EQ(HotkeyFromControlValue(c.control), c.key) << FormatHotkey(c.key);
        EXPECT_EQ(HotkeyModifiersForSystem(c.key), c.system) << FormatHotkey(c.key);
    }
    // Win cannot be shown by the control; the system gets it.
    EXPECT_EQ(HotkeyModifiersForSystem({kHotkeyWin, 'K'}), static_cast<UINT>(MOD_WIN | MOD_NOREPEAT));
}

TEST(PasteBack, InputOnlyGoesWhereItIsNotDropped) {
    const DWORD low = SECURITY_MANDATORY_LOW_RID, medium = SECURITY_MANDATORY_MEDIUM_RID,
                high = SECURITY_MANDATORY_HIGH_RID;
    struct Case {
        DWORD ours, theirs;
        bool reaches;
    } const cases[] = {
        {medium, medium, true}, {medium, low, true}, {high, medium, true}, {medium, high, false},
        {low, medium, false},   {medium, 0, false},  {0, 0, true},         {0, medium, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InputReaches(c.ours, c.theirs), c.reaches) << c.ours << " -> " << c.theirs;
    // This process's own level can be read.
    EXPECT_NE(ProcessIntegrityLevel(GetCurrentProcessId()), 0u);
    EXPECT_EQ(ProcessIntegrityLevel(0xFFFFFFF0), 0u);
}

TEST(PasteBack, WindowsOfThisProcessAreNeverTheEditor) {
    HWND own = NewWindow();
    ASSERT_NE(own, nullptr);
    ShowWindow(own, SW_SHOW);
    EditorWindow editor;
    editor.Remember(own);
    editor.Remember(nullptr);
    EXPECT_EQ(editor.Get(), nullptr);
    EXPECT_EQ(PasteInto(editor), PasteOutcome::NoEditor);
    EXPECT_FALSE(ActivateEditor(editor));
    DestroyWindow(own);
}

} // namespace
} // namespace inkwarden
