#include "platform/platform.h"

#include <vector>

namespace inkwarden {

std::wstring ReadProfileValue(const std::wstring& section, const std::wstring& key, const std::wstring& path,
                              const std::wstring& absent) {
    // GetPrivateProfileStringW cuts a value to the buffer and reports size - 1; grow
    // until the whole value fits, so a long author name is never truncated.
    std::vector<wchar_t> buf(256);
    for (;;) {
        const DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), absent.c_str(), buf.data(),
                                                 static_cast<DWORD>(buf.size()), path.c_str());
        if (n + 1 < buf.size())
            return std::wstring(buf.data(), n);
        if (buf.size() >= (1u << 24)) // a 16-million-character value is not a setting
            return std::wstring(buf.data(), n);
        buf.resize(buf.size() * 4);
    }
}

bool WriteProfileValue(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                       const std::wstring& path) {
    SetLastError(ERROR_SUCCESS);
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != FALSE;
}

} // namespace inkwarden
