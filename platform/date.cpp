#include "platform/platform.h"

namespace inkwarden {

std::wstring CurrentShortDate() {
    // DATE_SHORTDATE in the user's locale, so the date reads as the user writes dates.
    return DateText(CurrentDay(), std::wstring());
}

SYSTEMTIME CurrentDay() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
}

std::wstring DateText(const SYSTEMTIME& day, const std::wstring& picture) {
    const DWORD flags = picture.empty() ? DATE_SHORTDATE : 0;
    const wchar_t* format = picture.empty() ? nullptr : picture.c_str();
    const int n = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, flags, &day, format, nullptr, 0, nullptr);
    if (n <= 0)
        return std::wstring();
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, flags, &day, format, &out[0], n, nullptr);
    out.resize(static_cast<std::size_t>(n - 1));
    return out;
}

} // namespace inkwarden
