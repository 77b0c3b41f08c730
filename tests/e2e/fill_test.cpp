// What a person copied in their editor fills a template: a function heading on the
// hotkey goes back above the heading, an old block comes back to be refreshed and
// replaces itself.
#include "tests/e2e/expected.h"
#include "tests/e2e/harness.h"
#include "ui/control_ids.h"

#include <gtest/gtest.h>

#include <string>

namespace inkwarden_testing {
namespace {

namespace ids = inkwarden::ids;

// The editor holds `text`, all of it selected, and the person presses Ctrl+C.
template <typename Editor>
::testing::AssertionResult CopyInEditor(const Editor& editor, const std::wstring& text) {
    if (!Activate(editor.window()) || !SetText(editor.input(), text))
        return ::testing::AssertionFailure() << "the editor did not take the text";
    SendMessageW(editor.input(), EM_SETSEL, 0, -1);
    const DWORD before = GetClipboardSequenceNumber();
    PressKey('C', {VK_CONTROL});
    if (!WaitUntil([&] { return GetClipboardSequenceNumber() != before; }))
        return ::testing::AssertionFailure() << "Ctrl+C copied nothing";
    return ::testing::AssertionSuccess();
}

// The hotkey from the editor, then Ctrl+Enter twice after `typed`: the block goes back.
template <typename Editor>
::testing::AssertionResult RoundTrip(const App& app, const Editor& editor, int focus,
                                     const std::wstring& typed, const std::wstring& expected) {
    PressKey('K', {VK_CONTROL, VK_MENU});
    if (!WaitUntil([&] { return GetForegroundWindow() == app.main(); }))
        return ::testing::AssertionFailure() << "the hotkey did not bring Inkwarden up";
    if (::testing::AssertionResult focused = FocusIs(app.Item(focus)); !focused)
        return focused;
    TypeKeys(typed);
    PressKey(VK_RETURN, {VK_CONTROL});
    const HWND result = app.ResultWindow();
    if (!result || !FocusIs(GetDlgItem(result, ids::kText1)))
        return ::testing::AssertionFailure() << "no result window";
    PressKey(VK_RETURN, {VK_CONTROL});
    if (!WaitUntil([&] { return editor.Text() == expected; }))
        return ::testing::AssertionFailure() << "the editor holds\n"
                                             << Show(editor.Text()) << "\ninstead of\n"
                                             << Show(expected);
    return ::testing::AssertionSuccess();
}

TEST(Fill, ACopiedHeadingFillsTheFunctionTemplateAndItsBlockGoesAboveTheHeading) {
    App app;
    ASSERT_TRUE(app.Start(IniText(0, L"张三", 0, 0)));
    TestEditor editor;
    const std::wstring heading = L"std::vector<Token> Tokenize(const std::string& text,\r\n"
                                 L"                            const std::map<int, int>& m = {},\r\n"
                                 L"                            int (*cb)(void*, int) = nullptr)";
    ASSERT_TRUE(CopyInEditor(editor, heading));
    const std::wstring parameters = L"const std::string& text\r\nconst std::map<int, int>& m = {}\r\n"
                                    L"int (*cb)(void*, int) = nullptr";
    const std::wstring block = Block(0, 0, {L"张三", Today(), L"Tokenize", parameters, L"Splits text."});
    EXPECT_TRUE(RoundTrip(app, editor, ids::kTxt0 + 4, L"Splits text.", block + L"\r\n" + heading));
    EXPECT_EQ(app.ItemText(ids::kTxt0 + 2), L"Tokenize");
    EXPECT_EQ(app.ItemText(ids::kTxt0 + 3), parameters) << "one parameter a line";

    // Typed since the last 确定: the hotkey leaves the template alone, Ctrl+Shift+V fills it.
    PressKey('K', {VK_CONTROL, VK_MENU});
    ASSERT_TRUE(FocusIs(app.Item(ids::kTxt0))) << "nothing empty: the first input";
    PressKey(VK_END);
    TypeKeys(L"!");
    ASSERT_TRUE(WaitUntil([&] { return app.ItemText(ids::kTxt0) == L"张三!"; }));
    PressKey('K', {VK_CONTROL, VK_MENU});
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(app.main()) && GetForegroundWindow() == editor.window(); }));
    ASSERT_TRUE(CopyInEditor(editor, L"int other(int a);"));
    PressKey('K', {VK_CONTROL, VK_MENU});
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == app.main(); }));
    ASSERT_TRUE(app.Settle());
    EXPECT_EQ(app.ItemText(ids::kTxt0 + 2), L"Tokenize");
    PressKey('V', {VK_CONTROL, VK_SHIFT});
    EXPECT_TRUE(WaitUntil([&] { return app.ItemText(ids::kTxt0 + 2) == L"other"; }));
    EXPECT_EQ(app.ItemText(ids::kTxt0), L"张三!") << "the author is not the heading's";
}

TEST(Fill, ACopiedFileHeaderComesBackInItsStyleModifiedTodayAndReplacesItself) {
    App app;
    const std::wstring ini = IniText(0, L"张三", 0, 0);
    ASSERT_TRUE(app.Start(ini));
    TestEditor editor;
    // Written in the VB style, indented in the editor; the old block is selected whole.
    auto indented = [](const std::wstring& block) {
        std::wstring out = L"    ";
        for (wchar_t c : block) {
            out += c;
            if (c == L'\n')
                out += L"    ";
        }
        return out;
    };
    Fields fields = {L"李四", L"1.2", L"2020-1-2", L"2021-3-4", L"读取配置\r\n并校验"};
    std::wstring old = indented(Block(1, 3, fields));
    old.replace(old.find(L"    \r\n    '' "), 6, L"\r\n"); // an editor keeps no blanks on an empty line
    ASSERT_TRUE(CopyInEditor(editor, old));
    fields[3] = Today();
    std::wstring refreshed = indented(Block(1, 3, fields));
    refreshed.replace(refreshed.find(L"    \r\n    '' "), 6, L"\r\n");
    EXPECT_TRUE(RoundTrip(app, editor, ids::kTxt0 + 19, L"", refreshed));
    EXPECT_TRUE(IsChecked(app.Item(ids::kFunc0 + 3)));
    EXPECT_EQ(app.ItemText(ids::kFrame1), Caption(1)) << "the block's style, for this session";
    EXPECT_EQ(Hex(ReadBytes(app.iniPath())), Hex(Utf16File(ini))) << "the stored style stays";
}

// A function gained a parameter: its old block and the heading under it, selected in
// Notepad, come back as one block with every description on its parameter's line and
// the caret on the new one's.
TEST(Fill, AnOldBlockAndTheChangedHeadingUnderItBecomeOneRefreshedBlockInNotepad) {
    App app;
    ASSERT_TRUE(app.Start(IniText(0, L"张三", 0, 0)));
    Notepad notepad;
    ASSERT_NE(notepad.input(), nullptr) << "Wine's notepad.exe did not start";
    const std::wstring heading = L"int Add(int a, int b,\r\n        int c) {";
    Fields fields = {L"李四", L"2024-5-6", L"Add", L"int a：加数\r\n    不为负\r\nint c - 进位", L"求和"};
    const std::wstring old = Block(0, 0, fields) + L"\r\n\r\n" + heading;
    ASSERT_TRUE(CopyInEditor(notepad, old));
    fields[3] = L"int a：加数\r\n    不为负\r\nint b：被加数\r\nint c - 进位";
    EXPECT_TRUE(
        RoundTrip(app, notepad, ids::kTxt0 + 3, L"：被加数", Block(0, 0, fields) + L"\r\n\r\n" + heading));
    EXPECT_EQ(app.ItemText(ids::kTxt0), L"李四") << "the block's author, not the settings'";
}

} // namespace
} // namespace inkwarden_testing
