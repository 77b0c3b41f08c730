#include "platform/platform.h"

namespace inkwarden {

bool SetRegistryString(HKEY root, const std::wstring& subKey, const std::wstring& name,
                       const std::wstring& data) {
    HKEY key = nullptr;
    LONG rc = RegOpenKeyExW(root, subKey.c_str(), 0, KEY_SET_VALUE, &key);
    if (rc != ERROR_SUCCESS) {
        SetLastError(static_cast<DWORD>(rc));
        return false;
    }
    // An empty text is stored with no data bytes, as the value was always blanked.
    const DWORD bytes = data.empty() ? 0 : static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    rc = RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes);
    RegCloseKey(key);
    SetLastError(static_cast<DWORD>(rc));
    return rc == ERROR_SUCCESS;
}

} // namespace inkwarden
