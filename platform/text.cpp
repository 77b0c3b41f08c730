// Text at the Win32 boundary: UTF-8 <-> UTF-16 (the one place text crosses between the
// core and Win32), and the blank trimming the settings texts need.
#include "platform/platform.h"

namespace inkwarden {

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty())
        return std::wstring();
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &out[0], n);
    return out;
}

std::string Narrow(const std::wstring& utf16) {
    if (utf16.empty())
        return std::string();
    const int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), &out[0], n, nullptr,
                        nullptr);
    return out;
}

std::wstring TrimBlanks(const std::wstring& s) {
    const std::size_t first = s.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return std::wstring();
    return s.substr(first, s.find_last_not_of(L" \t") - first + 1);
}

} // namespace inkwarden
