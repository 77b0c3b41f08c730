// Start-up registration: the exact REG_SZ values SetAutoRunAt and SetAutoRun leave in
// the machine-wide and the per-user Run key, and the fallback to the per-user key
// when the machine-wide one refuses.
#include "settings/autorun.h"

#include "platform/platform.h"

#include "test_support.h"

#include <string>

namespace inkwarden {
namespace {

using inkwarden_test::DenySetValue;
using inkwarden_test::Hex;
using inkwarden_test::QueryValue;
using inkwarden_test::RegSzBytes;
using inkwarden_test::RegValue;
using inkwarden_test::StoreValue;
using inkwarden_test::TestRunKeys;

const wchar_t kValueName[] = L"Inkwarden";
const wchar_t kExe[] = L"C:\\Program Files\\墨 守\\scribbet.exe";
const std::string kOld = RegSzBytes(L"\"C:\\old.exe\"");

void ExpectRegSz(const RegValue& value, const std::string& bytes) {
    ASSERT_TRUE(value.present()) << "status " << value.status;
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(Hex(value.bytes), Hex(bytes));
}

class AutoRunKeys : public ::testing::Test {
protected:
    void SetUp() override { keys_.Create(); }
    void TearDown() override { keys_.Remove(); }

    TestRunKeys keys_;
};

TEST_F(AutoRunKeys, EnableStoresQuotedPathMachineWideAndRemovesThePerUserValue) {
    const wchar_t* const paths[] = {kExe, L"C:\\scribbet.exe", L"Z:\\tmp\\a b\\c d\\scribbet.exe"};
    for (const wchar_t* path : paths) {
        SCOPED_TRACE(Narrow(path));
        RegDeleteKeyValueW(HKEY_CURRENT_USER, TestRunKeys::kMachine, kValueName);
        ASSERT_EQ(StoreValue(HKEY_CURRENT_USER, TestRunKeys::kUser, kValueName, REG_SZ, kOld), ERROR_SUCCESS);
        const AutoRunOutcome outcome = SetAutoRunAt(keys_.Keys(path), true);
        EXPECT_EQ(outcome.state, AutoRunState::AllUsers);
        ExpectRegSz(keys_.Machine(), RegSzBytes(L"\"" + std::wstring(path) + L"\""));
        EXPECT_EQ(keys_.User().status, ERROR_FILE_NOT_FOUND) << "one registration only";
    }
}

TEST_F(AutoRunKeys, DisableBlanksTheMachineValueAndRemovesThePerUserValue) {
    struct Case {
        bool machineBefore, userBefore;
    } const cases[] = {{false, false}, {true, false}, {false, true}, {true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.machineBefore ? "machine value" : "no machine value") +
                     (c.userBefore ? ", user value" : ", no user value"));
        RegDeleteKeyValueW(HKEY_CURRENT_USER, TestRunKeys::kMachine, kValueName);
        RegDeleteKeyValueW(HKEY_CURRENT_USER, TestRunKeys::kUser, kValueName);
        if (c.machineBefore) {
            ASSERT_EQ(StoreValue(HKEY_CURRENT_USER, TestRunKeys::kMachine, kValueName, REG_SZ, kOld),
                      ERROR_SUCCESS);
        }
        if (c.userBefore) {
            ASSERT_EQ(StoreValue(HKEY_CURRENT_USER, TestRunKeys::kUser, kValueName, REG_SZ, kOld),
                      ERROR_SUCCESS);
        }
        const AutoRunOutcome outcome = SetAutoRunAt(keys_.Keys(kExe), false);
        EXPECT_EQ(outcome.state, AutoRunState::Off);
        // Blanked, not deleted: an empty REG_SZ without data bytes.
        ExpectRegSz(keys_.Machine(), "");
        EXPECT_EQ(keys_.User().status, ERROR_FILE_NOT_FOUND);
    }
}

TEST_F(AutoRunKeys, AMachineKeyThatRefusesLeadsToThePerUserKey) {
    enum class Machine { Denied, Missing };
    struct Case {
        const char* what;
        Machine machine;
        bool userKeyExists;
        bool enable;
        const std::string* machineBefore; // nullptr: no value
        AutoRunState state;
        DWORD error;
        bool machineKept; // else: absent afterwards
        bool userHoldsPath;
    } const cases[] = {
        {"denied, enable", Machine::Denied, true, true, nullptr, AutoRunState::CurrentUser, ERROR_SUCCESS,
         false, true},
        {"denied, enable, no per-user Run key yet", Machine::Denied, false, true, nullptr,
         AutoRunState::CurrentUser, ERROR_SUCCESS, false, true},
        {"missing, enable", Machine::Missing, true, true, nullptr, AutoRunState::CurrentUser, ERROR_SUCCESS,
         false, true},
        {"denied, disable, machine value blank", Machine::Denied, true, false, nullptr, AutoRunState::Off,
         ERROR_SUCCESS, false, false},
        {"denied, disable, machine value set by an administrator", Machine::Denied, true, false, &kOld,
         AutoRunState::StillRegistered, ERROR_ACCESS_DENIED, true, false},
        {"missing, disable", Machine::Missing, true, false, nullptr, AutoRunState::Off, ERROR_SUCCESS, false,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        keys_.Create();
        if (c.machineBefore) {
            ASSERT_EQ(
                StoreValue(HKEY_CURRENT_USER, TestRunKeys::kMachine, kValueName, REG_SZ, *c.machineBefore),
                ERROR_SUCCESS);
        }
        if (c.machine == Machine::Denied) {
            ASSERT_EQ(DenySetValue(HKEY_CURRENT_USER, TestRunKeys::kMachine), ERROR_SUCCESS);
        } else {
            ASSERT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, TestRunKeys::kMachine), ERROR_SUCCESS);
        }
        if (!c.userKeyExists) {
            ASSERT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, TestRunKeys::kUser), ERROR_SUCCESS);
        } else {
            ASSERT_EQ(StoreValue(HKEY_CURRENT_USER, TestRunKeys::kUser, kValueName, REG_SZ, kOld),
                      ERROR_SUCCESS);
        }

        const AutoRunOutcome outcome = SetAutoRunAt(keys_.Keys(kExe), c.enable);
        EXPECT_EQ(outcome.state, c.state);
        EXPECT_EQ(outcome.error, c.error);
        if (c.machineKept)
            ExpectRegSz(keys_.Machine(), *c.machineBefore);
        else {
            EXPECT_NE(keys_.Machine().status, ERROR_SUCCESS);
        }
        if (c.userHoldsPath)
            ExpectRegSz(keys_.User(), RegSzBytes(L"\"" + std::wstring(kExe) + L"\""));
        else {
            EXPECT_EQ(keys_.User().status, ERROR_FILE_NOT_FOUND) << "no per-user value after disabling";
        }
    }
}

TEST_F(AutoRunKeys, BothKeysRefusingIsReportedWithTheReason) {
    ASSERT_EQ(StoreValue(HKEY_CURRENT_USER, TestRunKeys::kUser, kValueName, REG_SZ, kOld), ERROR_SUCCESS);
    ASSERT_EQ(DenySetValue(HKEY_CURRENT_USER, TestRunKeys::kMachine), ERROR_SUCCESS);
    ASSERT_EQ(DenySetValue(HKEY_CURRENT_USER, TestRunKeys::kUser), ERROR_SUCCESS);
    struct Case {
        bool enable;
        AutoRunState state;
    } const cases[] = {{true, AutoRunState::NotRegistered}, {false, AutoRunState::StillRegistered}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.enable ? "enable" : "disable");
        const AutoRunOutcome outcome = SetAutoRunAt(keys_.Keys(kExe), c.enable);
        EXPECT_EQ(outcome.state, c.state);
        EXPECT_EQ(outcome.error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
        EXPECT_EQ(keys_.Machine().status, ERROR_FILE_NOT_FOUND);
        ExpectRegSz(keys_.User(), kOld);
    }
}

// Puts a real Run value back as it was, whatever the test left there: Wine starts the
// programs listed in these keys when a prefix boots.
class RunValueGuard {
public:
    explicit RunValueGuard(HKEY root) : root_(root), before_(QueryValue(root, kRunKeyPath, kValueName)) {}
    ~RunValueGuard() {
        if (before_.present())
            StoreValue(root_, kRunKeyPath, kValueName, before_.type, before_.bytes);
        else
            RegDeleteKeyValueW(root_, kRunKeyPath, kValueName);
    }
    RunValueGuard(const RunValueGuard&) = delete;
    RunValueGuard& operator=(const RunValueGuard&) = delete;

private:
    HKEY root_;
    RegValue before_;
};

TEST(SetAutoRun, RealRunKeysGetTheQuotedPathOfThisExecutableThenBlank) {
    const std::wstring quoted = L"\"" + ExePath() + L"\"";
    RunValueGuard machine(HKEY_LOCAL_MACHINE), user(HKEY_CURRENT_USER);
    ASSERT_EQ(StoreValue(HKEY_CURRENT_USER, kRunKeyPath, kValueName, REG_SZ, kOld), ERROR_SUCCESS);

    EXPECT_EQ(SetAutoRun(true).state, AutoRunState::AllUsers) << "the test needs administrator rights";
    ExpectRegSz(QueryValue(HKEY_LOCAL_MACHINE, kRunKeyPath, kValueName), RegSzBytes(quoted));
    EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kRunKeyPath, kValueName).status, ERROR_FILE_NOT_FOUND);

    EXPECT_EQ(SetAutoRun(false).state, AutoRunState::Off);
    ExpectRegSz(QueryValue(HKEY_LOCAL_MACHINE, kRunKeyPath, kValueName), "");
}

} // namespace
} // namespace inkwarden
