// What only the command line asks of Windows: ANSI code pages for its files, its console,
// whether the process that left a temporary file still runs. The window needs none of it.
#include "platform/platform.h"

namespace inkwarden {

bool WidenFromCodePage(unsigned codePage, std::string_view bytes, std::wstring& out, bool strict) {
    out.clear();
    if (bytes.empty())
        return true;
    const DWORD flags = strict ? MB_ERR_INVALID_CHARS : 0;
    const int size = static_cast<int>(bytes.size());
    const int n = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
    if (n <= 0)
        return false;
    out.resize(static_cast<std::size_t>(n));
    return MultiByteToWideChar(codePage, flags, bytes.data(), size, &out[0], n) == n;
}

bool NarrowToCodePage(unsigned codePage, const std::wstring& text, std::string& out) {
    out.clear();
    if (text.empty())
        return true;
    BOOL usedDefault = FALSE;
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr, 0, nullptr,
                                      &usedDefault);
    if (n <= 0 || usedDefault)
        return false;
    out.resize(static_cast<std::size_t>(n));
    return WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), size, &out[0], n, nullptr,
                               &usedDefault) == n &&
           !usedDefault;
}

unsigned UseUtf8Console() {
    const unsigned before = GetConsoleOutputCP();
    SetConsoleOutputCP(CP_UTF8);
    return before;
}

void RestoreConsole(unsigned codePage) {
    if (codePage != 0)
        SetConsoleOutputCP(codePage);
}

bool ProcessIsRunning(DWORD processId) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (!process)
        return GetLastError() != ERROR_INVALID_PARAMETER;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

} // namespace inkwarden
