// What the desktop holds for every program: today's date as the user writes it, and
// the clipboard, read the way another program would read it.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

namespace inkwarden_testing {

// Today in the user's short date format, without time of day.
inline std::wstring Today() {
    wchar_t date[128];
    const int n = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date,
                                  ARRAYSIZE(date), nullptr);
    return n > 0 ? std::wstring(date, static_cast<std::size_t>(n - 1)) : std::wstring();
}

// Today by a picture the settings window offers, written out here rather than by the
// system; none or an empty one: the short date.
inline std::wstring TodayIn(const wchar_t* picture) {
    const std::wstring p = picture ? picture : L"";
    SYSTEMTIME t;
    GetLocalTime(&t);
    auto two = [](WORD n) { return (n < 10 ? L"0" : L"") + std::to_wstring(n); };
    if (p == L"yyyy-MM-dd" || p == L"yyyy/MM/dd")
        return std::to_wstring(t.wYear) + p[4] + two(t.wMonth) + p[4] + two(t.wDay);
    if (p == L"yyyy年M月d日")
        return std::to_wstring(t.wYear) + L"年" + std::to_wstring(t.wMonth) + L"月" +
               std::to_wstring(t.wDay) + L"日";
    return p.empty() ? Today() : L"(no date written out for " + p + L")";
}

struct ClipboardContent {
    bool opened = false; // the clipboard could be opened at all
    bool hasUnicode = false;
    std::wstring unicode; // CF_UNICODETEXT, up to its terminator
    bool hasLocale = false;
    LCID locale = 0; // CF_LOCALE
    bool hasAnsi = false;
    std::string ansi; // CF_TEXT as the system converts it, up to its terminator
};

// Opens the clipboard, waiting up to ten seconds while another program holds it.
inline bool OpenClipboardPatiently(HWND owner) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
        if (OpenClipboard(owner))
            return true;
        Sleep(10);
    }
    return false;
}

inline bool EmptyTheClipboard(HWND owner = nullptr) {
    if (!OpenClipboardPatiently(owner))
        return false;
    const bool ok = EmptyClipboard() != FALSE;
    CloseClipboard();
    return ok;
}

// Puts a text on the clipboard as another program does.
inline bool PutTheClipboard(const std::wstring& text) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (!mem || !OpenClipboardPatiently(nullptr))
        return false;
    memcpy(GlobalLock(mem), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(mem);
    const bool ok = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, mem);
    CloseClipboard();
    return ok;
}

// The characters of a clipboard format up to its terminator, never past its memory.
template <typename Char> bool ReadClipboardText(UINT format, std::basic_string<Char>* text) {
    HANDLE data = GetClipboardData(format);
    const Char* p = data ? static_cast<const Char*>(GlobalLock(data)) : nullptr;
    if (!p)
        return false;
    const std::size_t max = GlobalSize(data) / sizeof(Char);
    std::size_t n = 0;
    while (n < max && p[n])
        ++n;
    text->assign(p, n);
    GlobalUnlock(data);
    return true;
}

inline ClipboardContent ReadClipboard(HWND owner = nullptr) {
    ClipboardContent content;
    content.opened = OpenClipboardPatiently(owner);
    if (!content.opened)
        return content;
    content.hasUnicode = ReadClipboardText(CF_UNICODETEXT, &content.unicode);
    content.hasAnsi = ReadClipboardText(CF_TEXT, &content.ansi);
    if (HANDLE data = GetClipboardData(CF_LOCALE)) {
        if (const LCID* p = static_cast<const LCID*>(GlobalLock(data))) {
            if (GlobalSize(data) >= sizeof(LCID)) {
                content.locale = *p;
                content.hasLocale = true;
            }
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return content;
}

} // namespace inkwarden_testing
