// Inkwarden stays resident for days: when its window comes up on a later day, the dates
// it put into the date inputs become that day's, and one the person wrote stays.
#include "platform/platform.h"
#include "ui/main/For_main.h"
#include "ui/control_ids.h"

#include <gtest/gtest.h>

namespace inkwarden {
namespace {

TEST(DayChange, DatesInkwardenPutFollowTheDayAndOneThePersonWroteStays) {
    SYSTEMTIME day = {2026, 12, 1, 7, 9, 0, 0, 0};
    For_main window;
    window.SetClock([&day] { return day; });
    ASSERT_TRUE(window.Form_Load());
    window.Show();
    const std::wstring first = DateText(day, L"");
    // Function, procedure (its panel not made yet) and file header dates.
    const std::pair<int, int> dates[] = {{0, 1}, {1, 1}, {3, 2}};
    for (auto [templ, line] : dates)
        EXPECT_EQ(window.FieldText(templ, line), first) << templ << "/" << line;
    ASSERT_TRUE(SetWindowTextW(GetDlgItem(window.hwnd(), ids::kTxt0 + 1), L"2026-1-1"));

    day.wDay = 8;
    day.wDayOfWeek = 2;
    const std::wstring next = DateText(day, L"");
    ASSERT_NE(next, first);
    ShowWindow(window.hwnd(), SW_MINIMIZE);
    ShowWindow(window.hwnd(), SW_RESTORE);
    SendMessageW(window.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(window.FieldText(0, 1), L"2026-1-1") << "written by the person";
    EXPECT_EQ(window.FieldText(1, 1), next);
    EXPECT_EQ(window.FieldText(3, 2), next);

    // The date picture: the same dates follow it, the written one still stays.
    window.SetDatePicture(L"yyyy'年'M'月'd'日'");
    EXPECT_EQ(window.FieldText(1, 1), L"2026年12月8日");
    EXPECT_EQ(window.FieldText(0, 1), L"2026-1-1");
}

} // namespace
} // namespace inkwarden
