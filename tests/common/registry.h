// Registry helpers the Windows test programs share: a value exactly as stored, and
// keys that refuse writes the way HKLM refuses a user without administrator rights.
#pragma once

#include "tests/common/file_bytes.h"

#include <windows.h>
#include <sddl.h>

#include <string>

namespace inkwarden_testing {

struct RegValue {
    LONG status = ERROR_FILE_NOT_FOUND; // of opening the key and querying the value
    DWORD type = REG_NONE;
    std::string bytes;
    bool present() const { return status == ERROR_SUCCESS; }
};

inline RegValue QueryValue(HKEY root, const std::wstring& subKey, const std::wstring& name) {
    RegValue value;
    HKEY key = nullptr;
    value.status = RegOpenKeyExW(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &key);
    if (value.status != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    value.status = RegQueryValueExW(key, name.c_str(), nullptr, &value.type, nullptr, &size);
    if (value.status == ERROR_SUCCESS && size > 0) {
        value.bytes.resize(size);
        value.status = RegQueryValueExW(key, name.c_str(), nullptr, &value.type,
                                        reinterpret_cast<BYTE*>(&value.bytes[0]), &size);
        value.bytes.resize(size);
    }
    RegCloseKey(key);
    return value;
}

inline LONG StoreValue(HKEY root, const std::wstring& subKey, const std::wstring& name, DWORD type,
                       const std::string& bytes) {
    HKEY key = nullptr;
    LONG rc = RegOpenKeyExW(root, subKey.c_str(), 0, KEY_SET_VALUE, &key);
    if (rc != ERROR_SUCCESS)
        return rc;
    rc = RegSetValueExW(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                        static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
    return rc;
}

// A REG_SZ as it should be stored: UTF-16LE text and a two-byte terminator.
inline std::string RegSzBytes(const std::wstring& text) {
    return Utf16Bytes(text) + std::string(2, '\0');
}

// Sets an access list on the key: everyone may do anything with it except set values.
inline LONG DenySetValue(HKEY root, const std::wstring& subKey) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(D;;0x0002;;;WD)(A;;KA;;;WD)",
                                                              SDDL_REVISION_1, &descriptor, nullptr))
        return static_cast<LONG>(GetLastError());
    HKEY key = nullptr;
    LONG rc = RegOpenKeyExW(root, subKey.c_str(), 0, WRITE_DAC, &key);
    if (rc == ERROR_SUCCESS) {
        rc = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
        RegCloseKey(key);
    }
    LocalFree(descriptor);
    return rc;
}

} // namespace inkwarden_testing
