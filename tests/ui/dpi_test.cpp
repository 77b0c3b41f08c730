// The windows follow a DPI change (a move to a monitor with another scale): the
// platform's suggested rectangle is taken, every control is laid out again from its
// twips at the new DPI, and the fonts are made anew for it. Wine sends no per-monitor
// DPI changes, so the test delivers WM_DPICHANGED to a real main window in-process.
#include "ui/main/For_main.h"
#include "ui/control_ids.h"

#include <gtest/gtest.h>

namespace inkwarden {
namespace {

RECT RectInParent(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LONG FontHeight(HWND control) {
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

struct Expected {
    const char* what;
    int id;
    RECT at96, at144;
};

TEST(DpiChange, MainWindowIsLaidOutAgainWithNewFonts) {
    For_main window;
    ASSERT_TRUE(window.Form_Load());
    window.Show();
    ASSERT_EQ(window.dpi(), 96u) << "the test prefix runs at 96 DPI";
    // The file header panel is made when it is first chosen.
    SendMessageW(GetDlgItem(window.hwnd(), ids::kFunc0 + 3), BM_CLICK, 0, 0);

    const Expected controls[] = {
        {"ok(0)", ids::kOk0, {408, 352, 473, 377}, {612, 528, 710, 566}},
        {"txt0(19)", ids::kTxt0 + 19, {88, 248, 473, 345}, {132, 372, 710, 518}},
        {"settings label", ids::kSettingsLabel, {424, 80, 489, 105}, {636, 120, 734, 158}},
        {"title picture", ids::kImage1, {-72, 0, 516, 35}, {-108, 0, 774, 53}},
    };
    for (const Expected& c : controls) {
        const RECT r = RectInParent(GetDlgItem(window.hwnd(), c.id));
        EXPECT_TRUE(EqualRect(&r, &c.at96))
            << c.what << " " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
    const HWND input = GetDlgItem(window.hwnd(), ids::kTxt0);
    EXPECT_EQ(FontHeight(input), -13); // MS Sans Serif 9.75 pt at 96 DPI

    RECT suggested = {100, 50, 100 + 758, 50 + 590};
    SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));

    EXPECT_EQ(window.dpi(), 144u);
    RECT outer;
    GetWindowRect(window.hwnd(), &outer);
    EXPECT_TRUE(EqualRect(&outer, &suggested));
    for (const Expected& c : controls) {
        const RECT r = RectInParent(GetDlgItem(window.hwnd(), c.id));
        EXPECT_TRUE(EqualRect(&r, &c.at144))
            << c.what << " " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
    EXPECT_EQ(FontHeight(input), -20); // 9.75 pt at 144 DPI
    EXPECT_NE(FontHeight(GetDlgItem(window.hwnd(), ids::kOk0)), 0);
}

} // namespace
} // namespace inkwarden
