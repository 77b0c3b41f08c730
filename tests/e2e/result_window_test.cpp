// The result window: the block each template makes in each style, exactly; how it
// is reused, closed and copied; and fields far beyond an edit control's default size.
#include "tests/e2e/expected.h"
#include "tests/e2e/harness.h"
#include "tests/common/named_case.h"
#include "ui/control_ids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <utility>

namespace inkwarden_testing {
namespace {

namespace ids = inkwarden::ids;

// Line breaks appear only in the multi-line inputs: lines 4 and 5 of every template
// and line 1 (版权说明) of the copyright notice.
const Fields kTypical[4] = {
    {L"张三", L"2024/5/6", L"ParseHeader", L"text：输入文本\r\nlen：长度",
     L"解析文件头\r\n\r\n返回 0 表示成功"},
    {L"李四", L"2024/5/7", L"SaveAll", L"无", L"保存全部\r\n然后退出\r\n"},
    {L"Copyright (c) 2024 Inkwarden\r\nAll rights reserved.", L"Inkwarden", L"remark.cpp", L"生成注释块",
     L"2024-05-06 首版\r\n2024-06-01 修正"},
    {L"王五", L"1.2.0", L"2024/5/6", L"2024/6/1", L"主程序入口\r\n负责启动"},
};

class BlockPerStyle : public ::testing::TestWithParam<int> {};

TEST_P(BlockPerStyle, EachTemplateMakesItsBlockInTheStyleOfTheSettings) {
    const int code = GetParam();
    App app;
    ASSERT_TRUE(app.Start(IniText(code, L"张三", 0, 0)));
    for (int templ : {0, 1, 2, 3}) {
        SCOPED_TRACE(::testing::Message() << "template " << templ);
        ASSERT_TRUE(app.ShowTemplate(templ));
        ASSERT_TRUE(app.Fill(templ, kTypical[templ]));
        EXPECT_TRUE(ShowsBlock(app.Confirm(templ), Block(code, templ, kTypical[templ])));
    }
}

INSTANTIATE_TEST_SUITE_P(AllEightStyles, BlockPerStyle, ::testing::Range(0, 8),
                         [](const ::testing::TestParamInfo<int>& info) {
                             std::string name;
                             for (const wchar_t* p = kLanguage[info.param]; *p; ++p)
                                 name += *p >= L'a' && *p <= L'z' ? static_cast<char>(*p) : '_';
                             return name;
                         });

struct LiteralCase : NamedCase {
    int code;
    int templ;
    Fields fields;
    std::wstring block;
    bool typed; // lines 3 to 5 typed as keys, the first two as the program fills them
};

class LiteralBlock : public ::testing::TestWithParam<LiteralCase> {};

TEST_P(LiteralBlock, IsExactlyTheseCharacters) {
    const LiteralCase& c = GetParam();
    App app;
    ASSERT_TRUE(app.Start(IniText(c.code, L"张三", 0, 0)));
    ASSERT_TRUE(app.ShowTemplate(c.templ));
    for (int line = 2; c.typed && line < 5; ++line) {
        const HWND input = app.Item(ids::kTxt0 + 5 * c.templ + line);
        const std::wstring& field = c.fields[static_cast<std::size_t>(line)];
        ASSERT_TRUE(Type(input, field));
        ASSERT_TRUE(WaitUntil([&] { return TextOf(input) == field; })) << Show(TextOf(input));
    }
    ASSERT_TRUE(c.typed || app.Fill(c.templ, c.fields));
    EXPECT_TRUE(ShowsBlock(app.Confirm(c.templ), c.block));
}

LiteralCase Literal(const char* what, int code, int templ, Fields fields, std::wstring block,
                    bool typed = false) {
    return {{what}, code, templ, std::move(fields), std::move(block), typed};
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, LiteralBlock,
    ::testing::Values(
        Literal("FunctionInC", 0, 0, {L"张三", L"2024/5/6", L"Add", L"a：加数\r\nb：加数", L"求和"},
                Lines({L"/* " + kRule, L"*     开发人员：张三", L"*     编写时间：2024/5/6",
                       L"*     函数名称：Add", L"*     参数说明：a：加数",
                       L"*                         b：加数", L"*     功能说明：求和", L"", L"*/"})),
        Literal("CopyrightInHtml", 6, 2,
                {L"(c) 2024 Inkwarden\r\nAll rights reserved.", L"Inkwarden", L"index.html", L"首页",
                 L"v1\r\nv2"},
                Lines({L"<!-- " + kRule, L"     版权说明：(c) 2024 Inkwarden", L"All rights reserved.",
                       L"     工程名称：Inkwarden", L"     文件名：index.html", L"     目的：首页",
                       L"     更新说明:v1", L"                         v2", L"", L"-->"})),
        Literal("FileHeaderInDelphiWithTrailingBreak", 4, 3, {L"张三", L"1.0", L"2024/5/6", L"", L"入口\r\n"},
                Lines({L"// " + kRule, L"//     开发人员：张三", L"//     当前版本：1.0",
                       L"//     创建时间：2024/5/6", L"//     修改时间：", L"//     功能说明：入口",
                       L"//                         ", L"", L"// " + kRule})),
        Literal("TypedLinesOfAMultiLineInputAreIndented", 7, 0,
                {L"张三", Today(), L"init", L"a：宽\r\nb：高", L""},
                Lines({L"/*- " + kRule, L"*     开发人员：张三", L"*     编写时间：" + Today(),
                       L"*     函数名称：init", L"*     参数说明：a：宽", L"*                         b：高",
                       L"*     功能说明：", L"", L"-*/"}),
                true)),
    CaseName());

TEST(ResultWindow, AnotherConfirmReplacesTheTextInTheSameWindow) {
    App app;
    ASSERT_TRUE(app.Start(IniText(3, L"张三", 0, 0)));
    Fields fields = {L"张三", L"2024/5/6", L"First", L"", L""};
    ASSERT_TRUE(app.Fill(0, fields));
    const HWND result = app.Confirm(0);
    ASSERT_NE(result, nullptr);
    EXPECT_TRUE(ShowsBlock(result, Block(3, 0, fields)));

    fields[2] = L"Second";
    ASSERT_TRUE(app.Fill(0, fields));
    EXPECT_EQ(app.Confirm(0), result);
    EXPECT_TRUE(ShowsBlock(result, Block(3, 0, fields)));

    ASSERT_TRUE(app.ShowTemplate(1));
    EXPECT_EQ(app.Confirm(1), result);
    EXPECT_TRUE(ShowsBlock(result, Block(3, 1, {L"张三", Today(), L"", L"", L""})));
    EXPECT_EQ(app.WindowCount(kResultClass), 1);
}

TEST(ResultWindow, ShowsItsControlsOnTopAtTheMainWindowsSize) {
    App app;
    ASSERT_TRUE(app.Start(IniText(0, L"张三", 0, 0)));
    HWND result = app.Confirm(0);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(TextOf(result), L"Form2");
    EXPECT_EQ(TextOf(GetDlgItem(result, ids::kBack)), L"返回");
    EXPECT_EQ(TextOf(GetDlgItem(result, ids::kCopy)), L"复制注释");
    EXPECT_EQ(TextOf(GetDlgItem(result, ids::kResultClose)), L"X");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(result, ids::kText1)));
    EXPECT_NE(GetWindowLongW(result, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    RECT main = {}, shown = {};
    GetWindowRect(app.main(), &main);
    GetWindowRect(result, &shown);
    EXPECT_EQ(shown.right - shown.left, main.right - main.left);
    EXPECT_EQ(shown.bottom - shown.top, main.bottom - main.top);
}

enum class CloseBy { Escape, Back, X, AltF4, PasteBack };

struct CloseCase : NamedCase {
    int input;    // txt0(input) of the function panel, where the person types before confirming
    bool clickOk; // 确定 clicked with the mouse; else Ctrl+Enter in the input
    CloseBy by;
};

class ResultWindowClose : public ::testing::TestWithParam<CloseCase> {};

// Paste-back goes into the editor; any other way of closing goes back to the input the
// person confirmed from, so their next keys land there.
TEST_P(ResultWindowClose, GoesBackWhereThePersonWas) {
    const CloseCase& c = GetParam();
    App app;
    ASSERT_TRUE(app.Start(IniText(0, L"张三", 0, 0)));
    Notepad editor;
    ASSERT_TRUE(Activate(editor.window()));
    PressKey('K', {VK_CONTROL, VK_MENU});
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == app.main(); }));
    const HWND input = app.Item(ids::kTxt0 + c.input);
    ASSERT_TRUE(ClickWithMouse(input));
    ASSERT_TRUE(FocusIs(input));
    TypeKeys(L"x");
    ASSERT_TRUE(WaitUntil([&] { return TextOf(input).find(L'x') != std::wstring::npos; }));
    if (c.clickOk)
        ASSERT_TRUE(ClickWithMouse(app.Item(ids::kOk0)));
    else
        PressKey(VK_RETURN, {VK_CONTROL});
    const HWND result = app.ResultWindow();
    ASSERT_NE(result, nullptr);
    ASSERT_TRUE(FocusIs(GetDlgItem(result, ids::kText1)));
    const std::wstring block = BlockShown(result);

    switch (c.by) {
    case CloseBy::Escape:
        // The pointer rests on the editor, where a system without a window manager would
        // hand the activation when the result window goes.
        RECT r;
        GetWindowRect(editor.window(), &r);
        ASSERT_TRUE(MouseTo({r.left + 20, r.top + 60}));
        PressKey(VK_ESCAPE);
        break;
    case CloseBy::Back:
        ASSERT_TRUE(ClickWithMouse(GetDlgItem(result, ids::kBack)));
        break;
    case CloseBy::X:
        ASSERT_TRUE(ClickWithMouse(GetDlgItem(result, ids::kResultClose)));
        break;
    case CloseBy::AltF4:
        PressKey(VK_F4, {VK_MENU});
        break;
    case CloseBy::PasteBack:
        PressKey(VK_RETURN, {VK_CONTROL});
        break;
    }
    ASSERT_TRUE(Closed(result));
    if (c.by == CloseBy::PasteBack) {
        EXPECT_TRUE(WaitUntil([&] { return editor.Text() == block; })) << Show(editor.Text());
        EXPECT_EQ(GetForegroundWindow(), editor.window());
        return;
    }
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == app.main(); }));
    EXPECT_TRUE(FocusIs(input));
    PressKey(VK_RETURN, {VK_CONTROL});
    EXPECT_NE(app.ResultWindow(), nullptr) << "Ctrl+Enter confirms again";
}

INSTANTIATE_TEST_SUITE_P(Ways, ResultWindowClose,
                         ::testing::Values(CloseCase{{"Escape"}, 3, false, CloseBy::Escape},
                                           CloseCase{{"BackAfterAClickOnOk"}, 2, true, CloseBy::Back},
                                           CloseCase{{"X"}, 4, false, CloseBy::X},
                                           CloseCase{{"AltF4"}, 3, true, CloseBy::AltF4},
                                           CloseCase{{"PasteBack"}, 2, false, CloseBy::PasteBack}),
                         CaseName());

// Empties the clipboard, presses 复制注释 and waits for the block to be there.
void Copy(HWND result, ClipboardContent* clip) {
    ASSERT_TRUE(EmptyTheClipboard());
    Click(GetDlgItem(result, ids::kCopy));
    EXPECT_TRUE(WaitUntil([&] {
        *clip = ReadClipboard();
        return clip->hasUnicode && clip->hasLocale;
    }));
}

TEST(ResultWindow, CopyPutsTheExactBlockOnTheClipboardForUnicodeAndGbkReaders) {
    App app;
    ASSERT_TRUE(app.Start(IniText(0, L"张三", 0, 0)));
    const Fields fields = {L"张三", L"2024/5/6", L"Add", L"a：加数\r\nb：加数", L"求和 ±½"};
    ASSERT_TRUE(app.Fill(0, fields));
    const std::wstring expected = Block(0, 0, fields);
    const HWND result = app.Confirm(0);
    ASSERT_TRUE(ShowsBlock(result, expected));

    ClipboardContent clip;
    ASSERT_NO_FATAL_FAILURE(Copy(result, &clip));
    EXPECT_EQ(Show(clip.unicode), Show(expected));
    EXPECT_EQ(clip.locale, static_cast<LCID>(
                               MAKELCID(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), SORT_DEFAULT)));
    // A program that asks for ANSI text gets code page 936 bytes.
    ASSERT_TRUE(clip.hasAnsi);
    EXPECT_EQ(Hex(clip.ansi), Hex(Gbk(expected)));
    EXPECT_NE(clip.ansi.find("*     \xBF\xAA\xB7\xA2\xC8\xCB\xD4\xB1\xA3\xBA"), std::string::npos)
        << Hex(clip.ansi);
    // Copying leaves the window open and the text as it was.
    EXPECT_TRUE(IsWindowVisible(result));
    EXPECT_EQ(BlockShown(result), expected);
}

// Half a megabyte in 8,000 lines: far beyond the 30,000 characters an edit control
// takes by default, yet small enough for Wine to pass between processes.
std::wstring LongField() {
    constexpr std::size_t kTotal = 512 * 1024;
    constexpr int kLines = 8000;
    std::wstring text;
    text.reserve(kTotal);
    for (int i = 0; i < kLines; ++i) {
        if (i > 0)
            text += L"\r\n";
        std::wstring line = L"第" + std::to_wstring(i + 1) + L"行 ";
        line.resize(63, static_cast<wchar_t>(L'a' + i % 26));
        text += line;
    }
    text.append(kTotal - text.size(), L'末');
    return text;
}

// Long texts compared without printing them: their sizes and where they first differ.
::testing::AssertionResult SameText(const std::wstring& got, const std::wstring& expected) {
    if (got == expected)
        return ::testing::AssertionSuccess();
    const auto differ = std::mismatch(got.begin(), got.end(), expected.begin(), expected.end()).first;
    return ::testing::AssertionFailure()
           << got.size() << " characters, first difference at " << differ - got.begin();
}

TEST(ResultWindow, HalfAMegabyteFieldIsShownAndCopiedWhole) {
    App app;
    ASSERT_TRUE(app.Start(IniText(0, L"张三", 0, 0)));
    const std::wstring field = LongField();
    ASSERT_EQ(field.size(), 512u * 1024u);
    const HWND input = app.Item(ids::kTxt0 + 4);
    ASSERT_TRUE(SetText(app.Item(ids::kTxt0 + 2), L"Big"));
    ASSERT_TRUE(SetText(input, field));
    ASSERT_EQ(TextLength(input), static_cast<long long>(field.size()));

    const Fields fields = {L"张三", Today(), L"Big", L"", field};
    const std::wstring expected = Block(0, 0, fields);
    const HWND result = app.Confirm(0);
    ASSERT_NE(result, nullptr);
    const HWND text = GetDlgItem(result, ids::kText1);
    EXPECT_TRUE(WaitUntil([&] { return TextLength(text) == static_cast<long long>(expected.size()); }))
        << TextLength(text) << " of " << expected.size();
    EXPECT_TRUE(SameText(TextOf(text), expected)) << "shown";

    ClipboardContent clip;
    ASSERT_NO_FATAL_FAILURE(Copy(result, &clip));
    EXPECT_TRUE(SameText(clip.unicode, expected)) << "copied";
}

} // namespace
} // namespace inkwarden_testing
