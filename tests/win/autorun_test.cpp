// Start-up registration: the exact REG_SZ value SetAutoRunAt and SetAutoRun leave in a
// Run key, and what they report when the key cannot be written.
#include "settings/module1.h"

#include "platform/platform.h"

#include "test_support.h"

#include <sddl.h>

#include <string>

namespace inkwarden {
namespace {

using inkwarden_test::Hex;
using inkwarden_test::Utf16Bytes;

const wchar_t kTestRoot[] = L"Software\\InkwardenTest";
const wchar_t kTestRun[] = L"Software\\InkwardenTest\\Run";
const wchar_t kMachineRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kValueName[] = L"Inkwarden";

struct RegValue {
    LONG status = ERROR_SUCCESS; // of RegQueryValueExW
    DWORD type = REG_NONE;
    std::string bytes;
};

RegValue Query(HKEY root, const std::wstring& subKey, const std::wstring& name) {
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

LONG Store(HKEY root, const std::wstring& subKey, const std::wstring& name, DWORD type,
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
std::string RegSzBytes(const std::wstring& text) {
    return Utf16Bytes(text) + std::string(2, '\0');
}

class AutoRunKey : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestRoot);
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kTestRun, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    void TearDown() override { EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, kTestRoot), ERROR_SUCCESS); }
};

TEST_F(AutoRunKey, EnableStoresQuotedPathAsRegSz) {
    const wchar_t* const paths[] = {
        L"C:\\Program Files\\墨 守\\scribbet.exe",
        L"C:\\scribbet.exe",
        L"Z:\\tmp\\a b\\c d\\scribbet.exe",
    };
    for (const wchar_t* path : paths) {
        SCOPED_TRACE(Narrow(path));
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kTestRun, kValueName);
        ASSERT_EQ(Query(HKEY_CURRENT_USER, kTestRun, kValueName).status, ERROR_FILE_NOT_FOUND);
        EXPECT_TRUE(SetAutoRunAt(HKEY_CURRENT_USER, kTestRun, -1, path)) << "error " << GetLastError();
        const RegValue value = Query(HKEY_CURRENT_USER, kTestRun, kValueName);
        ASSERT_EQ(value.status, ERROR_SUCCESS);
        EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(Hex(value.bytes), Hex(RegSzBytes(L"\"" + std::wstring(path) + L"\"")));
    }
}

TEST_F(AutoRunKey, AnyOtherFlagStoresEmptyRegSzWithoutDataBytes) {
    struct Case {
        std::int16_t flag;
        bool existedBefore;
    } const cases[] = {
        {1, false}, {1, true}, {0, false}, {0, true}, {2, true}, {-2, true}, {32767, false}, {-32768, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("flag " + std::to_string(c.flag) + (c.existedBefore ? ", value existed" : ", no value"));
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kTestRun, kValueName);
        if (c.existedBefore) {
            ASSERT_EQ(Store(HKEY_CURRENT_USER, kTestRun, kValueName, REG_SZ, RegSzBytes(L"\"C:\\old.exe\"")),
                      ERROR_SUCCESS);
        }
        ASSERT_EQ(Query(HKEY_CURRENT_USER, kTestRun, kValueName).status,
                  c.existedBefore ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);
        EXPECT_TRUE(
            SetAutoRunAt(HKEY_CURRENT_USER, kTestRun, c.flag, L"C:\\Program Files\\墨 守\\scribbet.exe"))
            << "error " << GetLastError();
        const RegValue value = Query(HKEY_CURRENT_USER, kTestRun, kValueName);
        ASSERT_EQ(value.status, ERROR_SUCCESS) << "the value must exist, blank";
        EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(value.bytes.size(), 0u) << Hex(value.bytes);
    }
}

TEST_F(AutoRunKey, MissingKeyFailsWithFileNotFoundAndCreatesNothing) {
    const std::wstring absent = std::wstring(kTestRoot) + L"\\Absent";
    for (std::int16_t flag : {std::int16_t(-1), std::int16_t(0)}) {
        SCOPED_TRACE(flag);
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(SetAutoRunAt(HKEY_CURRENT_USER, absent, flag, L"C:\\scribbet.exe"));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
        EXPECT_EQ(Query(HKEY_CURRENT_USER, absent, kValueName).status, ERROR_FILE_NOT_FOUND);
    }
}

TEST_F(AutoRunKey, KeyDenyingSetValueFailsWithAccessDeniedAndKeepsValue) {
    const std::string old = RegSzBytes(L"\"C:\\old.exe\"");
    ASSERT_EQ(Store(HKEY_CURRENT_USER, kTestRun, kValueName, REG_SZ, old), ERROR_SUCCESS);

    // Everyone may do anything with the key except set values.
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(D;;0x0002;;;WD)(A;;KA;;;WD)",
                                                                     SDDL_REVISION_1, &descriptor, nullptr));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kTestRun, 0, WRITE_DAC, &key), ERROR_SUCCESS);
    const LONG secured = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
    RegCloseKey(key);
    LocalFree(descriptor);
    ASSERT_EQ(secured, ERROR_SUCCESS);

    for (std::int16_t flag : {std::int16_t(-1), std::int16_t(0)}) {
        SCOPED_TRACE(flag);
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(SetAutoRunAt(HKEY_CURRENT_USER, kTestRun, flag, L"C:\\new.exe"));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
        const RegValue value = Query(HKEY_CURRENT_USER, kTestRun, kValueName);
        ASSERT_EQ(value.status, ERROR_SUCCESS);
        EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(Hex(value.bytes), Hex(old));
    }
}

// Puts the machine-wide Run value back as it was, whatever the test left there: Wine
// starts the programs listed in that key when a prefix boots.
class MachineRunValueGuard {
public:
    MachineRunValueGuard() : before_(Query(HKEY_LOCAL_MACHINE, kMachineRun, kValueName)) {}
    ~MachineRunValueGuard() {
        if (before_.status == ERROR_SUCCESS)
            Store(HKEY_LOCAL_MACHINE, kMachineRun, kValueName, before_.type, before_.bytes);
        else
            RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kMachineRun, kValueName);
    }
    MachineRunValueGuard(const MachineRunValueGuard&) = delete;
    MachineRunValueGuard& operator=(const MachineRunValueGuard&) = delete;

private:
    RegValue before_;
};

TEST(SetAutoRun, MachineRunKeyGetsQuotedPathOfThisExecutableThenBlank) {
    wchar_t exe[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameW(nullptr, exe, ARRAYSIZE(exe));
    ASSERT_GT(n, 0u);
    ASSERT_LT(n, static_cast<DWORD>(ARRAYSIZE(exe)));
    const std::wstring quoted = L"\"" + std::wstring(exe, n) + L"\"";

    MachineRunValueGuard guard;
    ASSERT_TRUE(SetAutoRun(-1)) << "error " << GetLastError() << " (the test needs administrator rights)";
    RegValue value = Query(HKEY_LOCAL_MACHINE, kMachineRun, kValueName);
    ASSERT_EQ(value.status, ERROR_SUCCESS);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(Hex(value.bytes), Hex(RegSzBytes(quoted)));

    ASSERT_TRUE(SetAutoRun(0)) << "error " << GetLastError();
    value = Query(HKEY_LOCAL_MACHINE, kMachineRun, kValueName);
    ASSERT_EQ(value.status, ERROR_SUCCESS);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(value.bytes.size(), 0u) << Hex(value.bytes);
}

} // namespace
} // namespace inkwarden
