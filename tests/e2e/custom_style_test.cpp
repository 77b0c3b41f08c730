// Styles of one's own from [styleN] sections: the caption and block they give, and
// choosing one in the settings window with the mouse and the keyboard.
#include "tests/common/named_case.h"
#include "tests/e2e/expected.h"
#include "tests/e2e/harness.h"
#include "ui/control_ids.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace inkwarden_testing {
namespace {

namespace ids = inkwarden::ids;

const std::wstring kCaptionLead = L"当前语言类型为  ";

// Three valid styles, listed as python, powershell, sql; the others define nothing.
const std::wstring kSections =
    L"[style8]\r\nname=python\r\nlead=\"# \"\r\nprefix=\"#     \"\r\n"
    L"[style11]\r\nname=sql\r\nlead=\"-- \"\r\nprefix=\"--     \"\r\n"
    L"[style9]\r\nname=powershell\r\nlead=\"<# \"\r\nprefix=\"#     \"\r\nclose=#>\r\n"
    L"[style3]\r\nname=mine\r\nlead=\"; \"\r\nprefix=\";     \"\r\n"
    L"[style10]\r\nlead=\"no name\"\r\n"
    L"[style12]\r\nname=long\r\nprefix=" +
    std::wstring(201, L'x') + L"\r\n";
const std::vector<std::wstring> kListed = {L"python", L"powershell", L"sql"};

LRESULT Send(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = static_cast<DWORD_PTR>(-2);
    SendMessageTimeoutW(window, msg, wParam, lParam, SMTO_NORMAL, kWaitMs, &result);
    return static_cast<LRESULT>(result);
}

std::vector<std::wstring> ListEntries(HWND list) {
    std::vector<std::wstring> entries;
    for (LRESULT i = 0, count = Send(list, CB_GETCOUNT); i < count; ++i) {
        wchar_t text[256] = {};
        Send(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

TEST(CustomStyle, PythonBlockThenAnotherStyleChosenInTheSettingsWindow) {
    App app;
    ASSERT_TRUE(app.Start(IniText(8, L"张三", 0, 0) + kSections));
    EXPECT_EQ(Show(app.ItemText(ids::kFrame1)), Show(kCaptionLead + L"python"));
    ASSERT_TRUE(Type(app.Item(ids::kTxt0 + 2), L"Sum"));
    ASSERT_TRUE(Type(app.Item(ids::kTxt0 + 3), L"a, b"));
    ASSERT_TRUE(Type(app.Item(ids::kTxt0 + 4), L"Adds a\r\nand b."));
    HWND result = app.Confirm(0);
    ASSERT_TRUE(ShowsBlock(
        result, L"# " + kRule + L"\r\n#     开发人员：张三\r\n#     编写时间：" + Today() +
                    L"\r\n#     函数名称：Sum\r\n#     参数说明：a, b\r\n#     功能说明：Adds a\r\n#" +
                    std::wstring(25, L' ') + L"and b.\r\n\r\n# " + kRule));

    // The topmost result window would lie over the settings window.
    Click(GetDlgItem(result, ids::kBack));
    ASSERT_TRUE(WaitUntil([&] { return app.WindowCount(kResultClass) == 0; }));
    const HWND settings = app.OpenSettings();
    ASSERT_NE(settings, nullptr);
    const HWND list = GetDlgItem(settings, ids::kOtherStyles);
    EXPECT_EQ(Show(ChosenStyle(settings)), Show(L"list python"));
    // An option clears the list and the list clears the options; Tab leads from the
    // options of the list's row to the list.
    ASSERT_TRUE(ClickWithMouse(GetDlgItem(settings, ids::kOption0 + 6)));
    EXPECT_TRUE(WaitUntil([&] { return ChosenStyle(settings) == L"option 6"; }))
        << Show(ChosenStyle(settings));
    PressKey(VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(settings) == list; }));
    PressKey('S');
    EXPECT_TRUE(WaitUntil([&] { return ChosenStyle(settings) == L"list sql"; }))
        << Show(ChosenStyle(settings));
    ASSERT_TRUE(ClickWithMouse(list)); // drops the list down
    ASSERT_TRUE(WaitUntil([&] { return Send(list, CB_GETDROPPEDSTATE) == TRUE; }));
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return Send(list, CB_GETDROPPEDSTATE) == FALSE; }));
    EXPECT_EQ(Show(ChosenStyle(settings)), Show(L"list powershell"));

    ASSERT_TRUE(ClickWithMouse(GetDlgItem(settings, ids::kSave)));
    ASSERT_EQ(AcknowledgeMessages(app.pid(), 1), std::vector<std::wstring>{L"设置成功！"});
    // Only the keys a save writes changed (the hotkey and the date, absent before, are
    // added to [main]); the sections are as they were.
    EXPECT_EQ(Hex(ReadBytes(app.iniPath())),
              Hex(Utf16File(IniText(9, L"张三", 0, 0) + L"hotkey=Ctrl+Alt+K\r\ndate=\r\n" + kSections)));
    EXPECT_TRUE(WaitUntil([&] { return app.ItemText(ids::kFrame1) == kCaptionLead + L"powershell"; }));
    result = app.Confirm(0);
    ASSERT_NE(result, nullptr);
    const std::wstring block = BlockShown(result);
    const std::wstring head = L"<# " + kRule + L"\r\n#     开发人员：张三\r\n";
    ASSERT_GT(block.size(), head.size() + 6);
    EXPECT_EQ(Show(block.substr(0, head.size())), Show(head));
    EXPECT_EQ(Show(block.substr(block.size() - 6)), Show(L"\r\n\r\n#>"));
}

// A template of one's own, chosen in the main window's list and filled from the keyboard.
TEST(OwnTemplate, ChosenInTheListFilledByKeysMakesItsBlockInTheStyle) {
    App app;
    ASSERT_TRUE(app.Start(
        IniText(0, L"张三", 0, 0) +
        L"[template5]\r\nname=接口说明\r\nfield1=\"接口名称：\"\r\nfield2=作者：\r\nfill2=author\r\n"
        L"field3=日期：\r\nfill3=date\r\nfield4=参数：\r\nfield5=返回：\r\nmulti=4,5\r\n"
        L"[template4]\r\nname=变更记录\r\nfield1=内容：\r\n[template3]\r\nname=built-in\r\nfield1=x\r\n"));
    const HWND list = app.Item(ids::kOwnTemplates);
    EXPECT_EQ(ListEntries(list), (std::vector<std::wstring>{L"变更记录", L"接口说明"}));
    ASSERT_TRUE(Activate(app.main()));
    PressKey(VK_TAB); // from the options to the list
    ASSERT_TRUE(FocusIs(list));
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(app.Item(inkwarden::ids::OwnPanel(5))) != FALSE; }));
    const HWND panel = app.Item(inkwarden::ids::OwnPanel(5));
    EXPECT_EQ(TextOf(panel), L"接口说明");
    for (int k = 0; k < 4; ++k)
        EXPECT_FALSE(IsChecked(app.Item(ids::kFunc0 + k))) << "option " << k;
    const wchar_t* captions[] = {L"接口名称：", L"作者：", L"日期：", L"参数：", L"返回："};
    for (int line = 0; line < 5; ++line)
        EXPECT_EQ(TextOf(app.Item(inkwarden::ids::OwnCaption(5, line))), captions[line]);
    PressKey(VK_TAB);
    ASSERT_TRUE(FocusIs(app.Item(inkwarden::ids::OwnInput(5, 0))));
    TypeKeys(L"GetUser");
    PressKey(VK_TAB);
    PressKey(VK_TAB);
    PressKey(VK_TAB);
    ASSERT_TRUE(FocusIs(app.Item(inkwarden::ids::OwnInput(5, 3))));
    TypeKeys(L"id\nfields");
    PressKey(VK_TAB);
    TypeKeys(L"User");
    ASSERT_TRUE(WaitUntil([&] { return app.ItemText(inkwarden::ids::OwnInput(5, 4)) == L"User"; }));
    PressKey(VK_RETURN, {VK_CONTROL});
    const HWND result = app.ResultWindow();
    ASSERT_NE(result, nullptr);
    EXPECT_TRUE(ShowsBlock(
        result, Lines({L"/* " + kRule, L"*     接口名称：GetUser", L"*     作者：张三",
                       L"*     日期：" + Today(), L"*     参数：id",
                       L"*" + std::wstring(25, L' ') + L"fields", L"*     返回：User", L"", L"*/"})));
    // A built-in option clears the list.
    Click(GetDlgItem(result, ids::kBack));
    ASSERT_TRUE(app.ShowTemplate(1));
    EXPECT_EQ(Send(list, CB_GETCURSEL), CB_ERR);
    EXPECT_FALSE(IsWindowVisible(panel));
}

struct Opening : NamedCase {
    int code;
    bool sections;
    const wchar_t* language; // after the caption lead
    const wchar_t* chosen;   // as ChosenStyle() tells it
};

class CustomStyleOpening : public ::testing::TestWithParam<Opening> {};

TEST_P(CustomStyleOpening, CaptionListAndChoiceAsStored) {
    const Opening& c = GetParam();
    App app;
    ASSERT_TRUE(app.Start(IniText(c.code, L"张三", 0, 0) + (c.sections ? kSections : L"")));
    EXPECT_EQ(Show(app.ItemText(ids::kFrame1)), Show(kCaptionLead + c.language));
    const HWND settings = app.OpenSettings();
    ASSERT_NE(settings, nullptr);
    const HWND list = GetDlgItem(settings, ids::kOtherStyles), label = GetDlgItem(settings, ids::kOtherLabel);
    EXPECT_EQ(TextOf(label), L"其他语言：");
    EXPECT_EQ(IsWindowEnabled(list) != FALSE, c.sections);
    EXPECT_EQ(IsWindowEnabled(label) != FALSE, c.sections);
    EXPECT_EQ(ListEntries(list), c.sections ? kListed : std::vector<std::wstring>{});
    EXPECT_EQ(Show(ChosenStyle(settings)), Show(c.chosen));
}

INSTANTIATE_TEST_SUITE_P(Files, CustomStyleOpening,
                         ::testing::Values(Opening{{"NoSections"}, 1, false, L"vb", L"option 1"},
                                           Opening{{"Code8WithoutSections"}, 8, false, L"", L"none"},
                                           Opening{{"BuiltInDespiteStyle3"}, 3, true, L"php", L"option 3"},
                                           Opening{{"SectionWithoutName"}, 10, true, L"", L"none"}),
                         CaseName());

} // namespace
} // namespace inkwarden_testing
