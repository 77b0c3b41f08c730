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

// How wide a text draws in a control's font, in pixels.
LONG Width(HWND control, const wchar_t* text) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx;
}

// The inputs draw an ideograph about as wide as their font is high, not as a narrow box;
// the preview draws every character of a block's frame at one width, so its columns
// line up as in the editor. At 96 DPI and after a change to 144.
TEST(Fonts, InputsDrawChineseAndThePreviewLinesUp) {
    For_main window;
    ASSERT_TRUE(window.Form_Load());
    window.Show();
    const HWND ok = GetDlgItem(window.hwnd(), ids::kOk0);
    SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(ids::kOk0, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
    const HWND label = GetDlgItem(window.hwnd(), ids::kSettingsLabel);
    SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(ids::kSettingsLabel, STN_CLICKED),
                 reinterpret_cast<LPARAM>(label));
    const HWND result = FindWindowW(L"Inkwarden.for_ok", nullptr);
    const HWND settings = FindWindowW(L"Inkwarden.set_ini", nullptr);
    ASSERT_TRUE(result && settings);
    const HWND inputs[] = {GetDlgItem(window.hwnd(), ids::kTxt0), GetDlgItem(settings, ids::kUser)};
    const HWND preview = GetDlgItem(result, ids::kText1);

    for (UINT dpi : {96u, 144u}) {
        SCOPED_TRACE(dpi);
        if (dpi != 96) {
            for (HWND w : {window.hwnd(), result, settings}) {
                RECT r;
                GetWindowRect(w, &r);
                SendMessageW(w, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&r));
            }
        }
        for (HWND input : inputs)
            EXPECT_GE(Width(input, L"张三"), 2 * -FontHeight(input) * 4 / 5) << "ideographs, not boxes";
        EXPECT_EQ(FontHeight(preview), -MulDiv(9, static_cast<int>(dpi), 72));
        const LONG one = Width(preview, L"=");
        for (const wchar_t* c : {L"/", L"*", L" ", L"'", L"W", L"i", L"#"})
            EXPECT_EQ(Width(preview, c), one) << "'" << static_cast<char>(*c) << "'";
    }
}

} // namespace
} // namespace inkwarden
