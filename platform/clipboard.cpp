#include "platform/platform.h"

#include <cstring>
#include <cwchar>

namespace inkwarden {

namespace {

// Another program (a clipboard manager, a remote-desktop client) may hold the
// clipboard for a moment; retry for about a second before giving up.
bool OpenClipboardPatiently(HWND owner) {
    for (int attempt = 0; attempt < 40; ++attempt) {
        if (OpenClipboard(owner))
            return true;
        Sleep(25);
    }
    return false;
}

HGLOBAL CopyToGlobal(const void* data, std::size_t bytes) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!mem)
        return nullptr;
    void* p = GlobalLock(mem);
    if (!p) {
        GlobalFree(mem);
        return nullptr;
    }
    std::memcpy(p, data, bytes);
    GlobalUnlock(mem);
    return mem;
}

} // namespace

bool PutClipboardText(HWND owner, const std::wstring& text) {
    HGLOBAL textMem = CopyToGlobal(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    if (!textMem)
        return false;
    // Tells programs that ask for CF_TEXT which code page to convert to.
    const LCID locale = MAKELCID(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), SORT_DEFAULT);
    HGLOBAL localeMem = CopyToGlobal(&locale, sizeof locale);
    if (!localeMem) {
        GlobalFree(textMem);
        return false;
    }
    if (!OpenClipboardPatiently(owner)) {
        const DWORD error = GetLastError();
        GlobalFree(textMem);
        GlobalFree(localeMem);
        SetLastError(error ? error : ERROR_ACCESS_DENIED);
        return false;
    }
    bool ok = EmptyClipboard() != FALSE;
    if (ok && SetClipboardData(CF_UNICODETEXT, textMem))
        textMem = nullptr; // owned by the clipboard now
    else
        ok = false;
    if (ok && SetClipboardData(CF_LOCALE, localeMem))
        localeMem = nullptr;
    const DWORD error = GetLastError();
    CloseClipboard();
    if (textMem)
        GlobalFree(textMem);
    if (localeMem)
        GlobalFree(localeMem);
    if (!ok)
        SetLastError(error);
    return ok;
}

DWORD ClipboardChangeCount() {
    return GetClipboardSequenceNumber();
}

bool ReadClipboardText(HWND owner, std::size_t maxChars, std::wstring& text) {
    text.clear();
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner))
        return false;
    bool ok = false;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        // The size says how long the text is without reading it: a long one is left alone.
        const std::size_t chars = GlobalSize(data) / sizeof(wchar_t);
        if (chars <= maxChars + 1) {
            if (const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(data))) {
                text.assign(p, wcsnlen(p, chars));
                GlobalUnlock(data);
                ok = true;
            }
        }
    }
    CloseClipboard();
    return ok;
}

} // namespace inkwarden
