// Helpers shared by the Windows tests: a scratch folder per test, raw file bytes, windows and
// Run keys of their own.
#pragma once

#include <windows.h>

#include "platform/platform.h"
#include "settings/autorun.h"
#include "settings/module1.h"
#include "tests/common/file_bytes.h"
#include "tests/common/registry.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

namespace inkwarden_testing {

// Creates (or replaces) the file with exactly these bytes and these attributes.
inline void WriteBytes(const std::wstring& path, const std::string& bytes,
                       DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(WriteFileBytes(path, bytes)) << "cannot write test file, error " << GetLastError();
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), attributes));
}

// A window of this thread for the tests to own, activate or stack, destroyed with the object.
class Popup : NoCopy {
public:
    explicit Popup(const wchar_t* title, DWORD style = WS_POPUP, RECT r = {0, 0, 10, 10})
        : hwnd(CreateWindowExW(0, L"STATIC", title, style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)) {}
    ~Popup() { DestroyWindow(hwnd); }
    operator HWND() const { return hwnd; }
    const HWND hwnd;
};

// A fresh, empty folder for each test, removed afterwards.
class ScratchFolderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(FileExists(folder_)) << "no scratch folder"; }
    std::wstring Path(const std::wstring& name) const { return scratch_.File(name); }
    std::wstring Ini() const { return inkwarden::IniPathIn(folder_); }

    TempFolder scratch_;
    const std::wstring folder_ = scratch_.path();
};

// The table test of a function from one path (or text) to another: every case maps
// its first text to its second.
template <typename Function>
void ExpectEachMaps(Function function,
                    std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> cases) {
    for (const auto& c : cases)
        EXPECT_EQ(function(c.first), c.second) << inkwarden::Narrow(c.first);
}

// A path with blanks and Chinese to register, the REG_SZ a registration of it stores,
// and a value some earlier registration left.
inline const wchar_t kTestExe[] = L"C:\\Program Files\\墨 守\\scribbet.exe";
inline const std::string kTestExeValue = RegSzBytes(L"\"" + std::wstring(kTestExe) + L"\"");
inline const std::string kOldValue = RegSzBytes(L"\"C:\\old.exe\"");

// Two fresh keys under HKCU that stand for the machine-wide and the per-user Run key,
// removed with everything in them afterwards.
class TestRunKeys : NoCopy {
public:
    TestRunKeys() { Create(); }
    ~TestRunKeys() { Remove(); }
    static constexpr const wchar_t* kRoot = L"Software\\InkwardenTest";
    static constexpr const wchar_t* kMachine = L"Software\\InkwardenTest\\MachineRun";
    static constexpr const wchar_t* kUser = L"Software\\InkwardenTest\\UserRun";

    void Create() {
        RegDeleteTreeW(HKEY_CURRENT_USER, kRoot);
        for (const wchar_t* subKey : {kMachine, kUser}) {
            HKEY key = nullptr;
            ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, subKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                      nullptr),
                      ERROR_SUCCESS);
            RegCloseKey(key);
        }
    }
    void Remove() { EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, kRoot), ERROR_SUCCESS); }

    inkwarden::RunKeys Keys(const std::wstring& exePath) const {
        return {HKEY_CURRENT_USER, kMachine, HKEY_CURRENT_USER, kUser, exePath};
    }
    // Stores a REG_SZ value "Inkwarden" of these bytes under kMachine or kUser.
    static LONG Store(const wchar_t* subKey, const std::string& bytes) {
        return StoreValue(HKEY_CURRENT_USER, subKey, L"Inkwarden", REG_SZ, bytes);
    }
    RegValue Machine() const { return QueryValue(HKEY_CURRENT_USER, kMachine, L"Inkwarden"); }
    RegValue User() const { return QueryValue(HKEY_CURRENT_USER, kUser, L"Inkwarden"); }
};

} // namespace inkwarden_testing
