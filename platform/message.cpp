#include "platform/platform.h"

#include "core/setting_number.h"

namespace inkwarden {

const wchar_t kProductTitle[] = L"Inkwarden";

void ShowMessage(HWND owner, const std::wstring& text, UINT icon) {
    UINT style = MB_OK | icon;
    if (!owner)
        style |= MB_TASKMODAL;
    MessageBoxW(owner, text.c_str(), kProductTitle, style);
}

std::wstring ErrorText(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n ? std::wstring(buffer, n) : std::wstring();
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    if (text.empty())
        text = L"错误代码 " + Widen(DecimalText(error));
    return text;
}

} // namespace inkwarden
