#include "platform/platform.h"

namespace inkwarden {

std::wstring CurrentShortDate() {
    // DATE_SHORTDATE in the user's locale, so the date reads as the user writes dates.
    const int n =
        GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, nullptr, 0, nullptr);
    if (n <= 0)
        return std::wstring();
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, &out[0], n, nullptr);
    out.resize(static_cast<std::size_t>(n - 1));
    return out;
}

} // namespace inkwarden
