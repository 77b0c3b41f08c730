// Helpers shared by the Windows tests: a scratch folder per test, raw file bytes and
// Run keys of their own.
#pragma once

#include <windows.h>

#include "settings/autorun.h"
#include "tests/common/file_bytes.h"
#include "tests/common/registry.h"

#include <gtest/gtest.h>

#include <string>

namespace inkwarden_test {

using inkwarden_testing::DenySetValue;
using inkwarden_testing::Hex;
using inkwarden_testing::QueryValue;
using inkwarden_testing::ReadBytes;
using inkwarden_testing::RegSzBytes;
using inkwarden_testing::RegValue;
using inkwarden_testing::RemoveTree;
using inkwarden_testing::StoreValue;
using inkwarden_testing::Utf16Bytes;
using inkwarden_testing::WriteFileBytes;

// Creates (or replaces) the file with exactly these bytes and these attributes.
inline void WriteBytes(const std::wstring& path, const std::string& bytes,
                       DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(WriteFileBytes(path, bytes)) << "cannot write test file, error " << GetLastError();
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), attributes));
}

// A fresh, empty folder under the temporary folder for each test, removed afterwards.
class ScratchFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH + 1];
        const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
        ASSERT_GT(n, 0u);
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::wstring name = L"inkwarden-" + std::to_wstring(GetCurrentProcessId()) + L"-";
        for (const char* p = info->name(); *p; ++p)
            name += (*p == '/' ? L'_' : static_cast<wchar_t>(*p));
        folder_ = std::wstring(temp, n) + name;
        RemoveTree(folder_);
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr)) << "error " << GetLastError();
    }
    void TearDown() override { RemoveTree(folder_); }

    std::wstring Path(const std::wstring& name) const { return folder_ + L"\\" + name; }

    std::wstring folder_;
};

// Two fresh keys under HKCU that stand for the machine-wide and the per-user Run key,
// removed with everything in them afterwards.
class TestRunKeys {
public:
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
    RegValue Machine() const { return QueryValue(HKEY_CURRENT_USER, kMachine, L"Inkwarden"); }
    RegValue User() const { return QueryValue(HKEY_CURRENT_USER, kUser, L"Inkwarden"); }
};

} // namespace inkwarden_test
