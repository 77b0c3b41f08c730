#include "platform/platform.h"

#include <vector>

namespace inkwarden {

std::wstring ExePath() {
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0)
            return std::wstring();
        if (n < buf.size())
            return std::wstring(buf.data(), n);
        buf.resize(buf.size() * 2); // truncated: long paths are allowed
    }
}

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return std::wstring();
    // A drive root keeps its backslash ("C:\"); any other folder has none at the end.
    if (slash == 2 && path.size() > 1 && path[1] == L':')
        return path.substr(0, 3);
    return path.substr(0, slash);
}

std::wstring AppFolder() {
    return FolderOf(ExePath());
}

std::wstring ExeName() {
    const std::wstring path = ExePath();
    const std::size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos)
        name.resize(dot);
    return name;
}

bool FileIsPresent(const std::wstring& path) {
    // Wildcards would let FindFirstFile match some other file.
    if (path.empty() || path.find_first_of(L"*?") != std::wstring::npos)
        return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

bool CreateUnicodeTextFile(const std::wstring& path) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    static const unsigned char kBom[] = {0xFF, 0xFE};
    DWORD written = 0;
    const BOOL ok = WriteFile(file, kBom, sizeof kBom, &written, nullptr) && written == sizeof kBom;
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!ok) {
        DeleteFileW(path.c_str());
        SetLastError(error);
    }
    return ok != FALSE;
}

} // namespace inkwarden
