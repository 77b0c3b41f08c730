#include "platform/platform.h"

namespace inkwarden {

namespace {

// Reports a registry result code the way the rest of the platform layer reports
// failures: false, with the last error set.
bool Succeeded(LONG rc) {
    SetLastError(static_cast<DWORD>(rc));
    return rc == ERROR_SUCCESS;
}

} // namespace

bool SetRegistryString(HKEY root, const std::wstring& subKey, const std::wstring& name,
                       const std::wstring& data, bool createKey) {
    HKEY key = nullptr;
    const LONG opened = createKey ? RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                                    nullptr, &key, nullptr)
                                  : RegOpenKeyExW(root, subKey.c_str(), 0, KEY_SET_VALUE, &key);
    if (!Succeeded(opened))
        return false;
    // An empty text is stored with no data bytes, as the value was always blanked.
    const DWORD bytes = data.empty() ? 0 : static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    const LONG rc =
        RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes);
    RegCloseKey(key);
    return Succeeded(rc);
}

std::wstring ReadRegistryString(HKEY root, const std::wstring& subKey, const std::wstring& name) {
    DWORD bytes = 0;
    if (RegGetValueW(root, subKey.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        bytes < sizeof(wchar_t))
        return std::wstring();
    std::wstring data(bytes / sizeof(wchar_t), L'\0');
    if (RegGetValueW(root, subKey.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, &data[0], &bytes) !=
        ERROR_SUCCESS)
        return std::wstring();
    data.resize(bytes / sizeof(wchar_t));
    while (!data.empty() && data.back() == L'\0')
        data.pop_back();
    return data;
}

bool DeleteRegistryValue(HKEY root, const std::wstring& subKey, const std::wstring& name) {
    const LONG rc = RegDeleteKeyValueW(root, subKey.c_str(), name.c_str());
    return Succeeded(rc == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : rc);
}

} // namespace inkwarden
