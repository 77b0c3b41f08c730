// Registry helpers the Windows test programs share: a value exactly as stored, and
// keys that refuse writes the way HKLM refuses a user without administrator rights.
#pragma once

#include "tests/common/file_bytes.h"

#include <windows.h>
#include <sddl.h>

#include <string>
#include <vector>

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

// ---- the real Run keys ----------------------------------------------------

inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValue[] = L"Inkwarden";

// The value "Inkwarden" of the machine-wide (HKLM) or the per-user (HKCU) Run key.
inline RegValue ReadRunValue(HKEY root = HKEY_LOCAL_MACHINE) {
    return QueryValue(root, kRunKey, kRunValue);
}

// Whether the machine-wide Run key exists.
inline bool RunKeyExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Saves a Run key's values on construction and puts the key back exactly as it was on
// destruction; in between the key may be changed or deleted. Wine starts the
// programs listed there when a prefix boots, so no test may leave a value behind.
class RunKeyGuard : NoCopy {
public:
    explicit RunKeyGuard(HKEY root = HKEY_LOCAL_MACHINE) : root_(root) {
        HKEY key = nullptr;
        existed_ = RegOpenKeyExW(root_, kRunKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS;
        if (!existed_)
            return;
        DWORD count = 0, maxName = 0, maxData = 0;
        RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &maxName,
                         &maxData, nullptr, nullptr);
        for (DWORD i = 0; i < count; ++i) {
            std::wstring name(maxName + 1, L'\0');
            std::string data(maxData, '\0');
            DWORD nameLength = maxName + 1, type = REG_NONE, bytes = maxData;
            if (RegEnumValueW(key, i, &name[0], &nameLength, nullptr, &type,
                              bytes ? reinterpret_cast<BYTE*>(&data[0]) : nullptr, &bytes) != ERROR_SUCCESS)
                continue;
            name.resize(nameLength);
            data.resize(bytes);
            values_.push_back({name, type, data});
        }
        RegCloseKey(key);
    }
    ~RunKeyGuard() {
        if (!existed_) {
            RegDeleteKeyW(root_, kRunKey);
            return;
        }
        HKEY key = nullptr;
        if (RegCreateKeyExW(root_, kRunKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        // Remove what the test left, then put back what was there.
        for (;;) {
            wchar_t name[16384];
            DWORD length = ARRAYSIZE(name);
            if (RegEnumValueW(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
                RegDeleteValueW(key, name) != ERROR_SUCCESS)
                break;
        }
        for (const Value& v : values_)
            RegSetValueExW(key, v.name.c_str(), 0, v.type, reinterpret_cast<const BYTE*>(v.data.data()),
                           static_cast<DWORD>(v.data.size()));
        RegCloseKey(key);
    }
    // Deletes the key so that the application cannot open it.
    bool DeleteKey() { return RegDeleteKeyW(root_, kRunKey) == ERROR_SUCCESS; }
    // Sets the "Inkwarden" value to a known marker, to see whether it is written.
    bool SetMarker(const std::wstring& text) {
        return StoreValue(root_, kRunKey, kRunValue, REG_SZ, RegSzBytes(text)) == ERROR_SUCCESS;
    }

private:
    struct Value {
        std::wstring name;
        DWORD type;
        std::string data;
    };
    HKEY root_;
    bool existed_ = false;
    std::vector<Value> values_;
};

} // namespace inkwarden_testing
