// Where the windows put their controls at 96 DPI (15 twips per pixel): each rectangle
// is the control's twips divided by 15, inside a borderless window of the stated size.
#include "tests/e2e/harness.h"
#include "ui/control_ids.h"

#include <gtest/gtest.h>

namespace inkwarden_testing {
namespace {

namespace ids = inkwarden::ids;

struct Placed {
    const char* what;
    int id;
    RECT pixels; // left, top, right, bottom in the window's client area
};

void ExpectPlaced(HWND window, const Placed& p) {
    const HWND control = GetDlgItem(window, p.id);
    ASSERT_NE(control, nullptr) << p.what;
    const RECT r = RectIn(window, control);
    EXPECT_EQ(r.left, p.pixels.left) << p.what;
    EXPECT_EQ(r.top, p.pixels.top) << p.what;
    EXPECT_EQ(r.right, p.pixels.right) << p.what;
    EXPECT_EQ(r.bottom, p.pixels.bottom) << p.what;
}

void ExpectSize(HWND window, int width, int height) {
    RECT outer, client;
    ASSERT_TRUE(GetWindowRect(window, &outer));
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(outer.right - outer.left, width);
    EXPECT_EQ(outer.bottom - outer.top, height);
    // Borderless: the outer size is the client size.
    EXPECT_EQ(client.right, width);
    EXPECT_EQ(client.bottom, height);
}

TEST(Layout, MainWindowAt96Dpi) {
    App app;
    ASSERT_TRUE(app.Start(IniText(0, L"dev", 0, 0)));
    ExpectSize(app.main(), 505, 393);
    ASSERT_TRUE(app.ShowTemplate(3)); // its panel is made now, beside the function panel
    const Placed controls[] = {
        {"title band frame", ids::kFraTop, {-16, -8, 521, 49}},
        {"title picture", ids::kImage1, {-72, 0, 516, 35}},
        {"title text", ids::kTitle, {208, 8, 289, 33}},
        {"minimise spot", ids::kMinimise, {464, 0, 489, 25}},
        {"exit spot", ids::kExit, {488, 0, 513, 25}},
        {"selector frame", ids::kFrame1, {8, 56, 497, 113}},
        {"func(0), ending where func(1) starts", ids::kFunc0, {24, 72, 96, 97}},
        {"func(1), ending where func(2) starts", ids::kFunc0 + 1, {96, 72, 168, 97}},
        {"func(3)", ids::kFunc0 + 3, {248, 72, 337, 97}},
        {"settings label", ids::kSettingsLabel, {424, 80, 489, 105}},
        {"panel 0", ids::kFraList0, {8, 120, 497, 385}},
        {"panel 3", ids::kFraList0 + 3, {8, 120, 497, 385}},
        {"ok(0)", ids::kOk0, {408, 352, 473, 377}},
        {"txt0(0)", ids::kTxt0, {80, 144, 225, 169}},
        {"txt0(1)", ids::kTxt0 + 1, {328, 144, 481, 169}},
        {"txt0(3), several lines", ids::kTxt0 + 3, {80, 216, 481, 281}},
        {"txt0(4), several lines", ids::kTxt0 + 4, {80, 288, 481, 345}},
        {"txt0(19)", ids::kTxt0 + 19, {88, 248, 473, 345}},
        {"caption of txt0(2)", ids::kLabel2_0 + 4, {16, 184, 89, 209}},
    };
    for (const Placed& p : controls)
        ExpectPlaced(app.main(), p);
}

TEST(Layout, ResultWindowAt96DpiCoversTheMainWindow) {
    App app;
    ASSERT_TRUE(app.Start(IniText(0, L"dev", 0, 0)));
    const HWND result = app.Confirm(0);
    ASSERT_NE(result, nullptr);
    RECT mainRect, resultRect;
    ASSERT_TRUE(GetWindowRect(app.main(), &mainRect));
    ASSERT_TRUE(GetWindowRect(result, &resultRect));
    EXPECT_TRUE(EqualRect(&mainRect, &resultRect));
    ExpectSize(result, 505, 393);
    const Placed controls[] = {
        {"caption bar", ids::kResultCaption, {0, 0, 505, 25}},
        {"X", ids::kResultClose, {488, 0, 505, 17}},
        {"Text1", ids::kText1, {8, 32, 497, 353}},
        {"back", ids::kBack, {336, 360, 401, 385}},
        {"copy", ids::kCopy, {400, 360, 473, 385}},
        {"credit line", ids::kCredit, {16, 368, 297, 393}},
    };
    for (const Placed& p : controls)
        ExpectPlaced(result, p);
}

TEST(Layout, SettingsWindowAt96Dpi) {
    App app;
    ASSERT_TRUE(app.Start(IniText(0, L"dev", 0, 0)));
    const HWND settings = app.OpenSettings();
    ASSERT_NE(settings, nullptr);
    // 24 pixels taller for the list row, 8 for the hotkey row, 32 for the date format row
    ExpectSize(settings, 312, 295);
    const Placed controls[] = {
        {"caption bar", ids::kSetCaption, {0, 0, 313, 25}},
        {"X", ids::kSetClose, {296, 0, 313, 17}},
        {"style frame", ids::kStyleFrame, {8, 32, 305, 129}},
        {"C++/C", ids::kOption0, {16, 48, 73, 73}},
        {"Delphi", ids::kOption0 + 4, {232, 48, 289, 73}},
        {"VFP", ids::kOption0 + 5, {16, 72, 73, 97}},
        {"other languages", ids::kOtherLabel, {16, 100, 80, 117}},
        {"system frame", ids::kSystemFrame, {8, 136, 305, 257}},
        {"start with Windows", ids::kCheck0, {24, 160, 129, 185}},
        {"minimise at start", ids::kCheck0 + 1, {24, 184, 129, 209}},
        {"author", ids::kUser, {192, 168, 297, 189}},
        {"hotkey caption", ids::kHotkeyLabel, {128, 196, 201, 213}},
        {"hotkey", ids::kHotkey, {192, 196, 297, 217}},
        {"date format caption", ids::kDateFormatLabel, {128, 228, 201, 245}},
        {"reset", ids::kReset, {192, 264, 249, 289}},
        {"confirm", ids::kSave, {248, 264, 305, 289}},
    };
    for (const Placed& p : controls)
        ExpectPlaced(settings, p);
    // A list's own height follows its font; it ends inside its frame.
    const struct {
        int id;
        RECT within; // left, top and right as placed; the lowest bottom
    } lists[] = {{ids::kOtherStyles, {80, 96, 289, 129 - 4}}, {ids::kDateFormat, {192, 224, 297, 257 - 4}}};
    for (const auto& l : lists) {
        const RECT r = RectIn(settings, GetDlgItem(settings, l.id));
        EXPECT_EQ(r.left, l.within.left) << l.id;
        EXPECT_EQ(r.top, l.within.top) << l.id;
        EXPECT_EQ(r.right, l.within.right) << l.id;
        EXPECT_LE(r.bottom, l.within.bottom) << l.id;
    }
}

} // namespace
} // namespace inkwarden_testing
