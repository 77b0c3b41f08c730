// Start-up registration: the exact REG_SZ values SetAutoRunAt and SetAutoRun leave in
// the machine-wide and the per-user Run key, and the fallback to the per-user key
// when the machine-wide one refuses.
#include "settings/autorun.h"

#include "platform/platform.h"

#include "test_support.h"

#include <string>

namespace inkwarden {
namespace {

using namespace inkwarden_testing;

const wchar_t kValueName[] = L"Inkwarden";

void ExpectRegSz(const RegValue& value, const std::string& bytes) {
    ASSERT_TRUE(value.present()) << "status " << value.status;
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(Hex(value.bytes), Hex(bytes));
}

class AutoRunKeys : public ::testing::Test {
protected:
    TestRunKeys keys_;
};

TEST_F(AutoRunKeys, EnableStoresQuotedPathMachineWideAndRemovesThePerUserValue) {
    const wchar_t* const paths[] = {kTestExe, L"C:\\scribbet.exe", L"Z:\\tmp\\a b\\c d\\scribbet.exe"};
    for (const wchar_t* path : paths) {
        SCOPED_TRACE(Narrow(path));
        RegDeleteKeyValueW(HKEY_CURRENT_USER, TestRunKeys::kMachine, kValueName);
        ASSERT_EQ(TestRunKeys::Store(TestRunKeys::kUser, kOldValue), ERROR_SUCCESS);
        const AutoRunOutcome outcome = SetAutoRunAt(keys_.Keys(path), true);
        EXPECT_EQ(outcome.state, AutoRunState::AllUsers);
        ExpectRegSz(keys_.Machine(), RegSzBytes(L"\"" + std::wstring(path) + L"\""));
        EXPECT_EQ(keys_.User().status, ERROR_FILE_NOT_FOUND) << "one registration only";
    }
}

TEST_F(AutoRunKeys, DisableBlanksAndAMachineKeyThatRefusesLeadsToThePerUserKey) {
    enum Key { Open, Empty, Denied, Missing }; // Empty: open, without a value of ours
    enum After { Absent, Blank, Old, Path };   // Blank: an empty REG_SZ without data bytes
    struct Case {
        const char* what;
        Key machine, user;
        bool enable;
        After machineBefore;
        AutoRunState state;
        DWORD error;
        After machineAfter, userAfter;
    } const cases[] = {
        {"disable", Open, Empty, false, Absent, AutoRunState::Off, 0, Blank, Absent},
        {"disable, machine value", Open, Empty, false, Old, AutoRunState::Off, 0, Blank, Absent},
        {"disable, per-user value", Open, Open, false, Absent, AutoRunState::Off, 0, Blank, Absent},
        {"disable, both values", Open, Open, false, Old, AutoRunState::Off, 0, Blank, Absent},
        {"denied, enable", Denied, Open, true, Absent, AutoRunState::CurrentUser, 0, Absent, Path},
        {"denied, enable, no per-user key yet", Denied, Missing, true, Absent, AutoRunState::CurrentUser, 0,
         Absent, Path},
        {"missing, enable", Missing, Open, true, Absent, AutoRunState::CurrentUser, 0, Absent, Path},
        {"denied, enable, already registered for all users", Denied, Open, true, Path, AutoRunState::AllUsers,
         0, Path, Absent},
        {"both denied, enable", Denied, Denied, true, Absent, AutoRunState::NotRegistered,
         ERROR_ACCESS_DENIED, Absent, Old},
        {"denied, disable, no machine value", Denied, Open, false, Absent, AutoRunState::Off, 0, Absent,
         Absent},
        {"denied, disable, machine value an administrator set", Denied, Open, false, Old,
         AutoRunState::StillRegistered, ERROR_ACCESS_DENIED, Old, Absent},
        {"missing, disable", Missing, Open, false, Absent, AutoRunState::Off, 0, Absent, Absent},
        {"both denied, disable", Denied, Denied, false, Absent, AutoRunState::StillRegistered,
         ERROR_ACCESS_DENIED, Absent, Old},
    };
    const auto expect = [](const RegValue& value, After after) {
        if (after == Absent) {
            EXPECT_FALSE(value.present()) << Hex(value.bytes);
        } else {
            ExpectRegSz(value, after == Blank ? "" : after == Old ? kOldValue : kTestExeValue);
        }
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        keys_.Create();
        if (c.machineBefore != Absent) {
            ASSERT_EQ(
                TestRunKeys::Store(TestRunKeys::kMachine, c.machineBefore == Old ? kOldValue : kTestExeValue),
                ERROR_SUCCESS);
        }
        ASSERT_EQ(TestRunKeys::Store(TestRunKeys::kUser, kOldValue), ERROR_SUCCESS);
        for (auto [key, subKey] :
             {std::pair{c.machine, TestRunKeys::kMachine}, {c.user, TestRunKeys::kUser}}) {
            if (key != Open) {
                ASSERT_EQ(key == Denied    ? DenySetValue(HKEY_CURRENT_USER, subKey)
                          : key == Missing ? RegDeleteTreeW(HKEY_CURRENT_USER, subKey)
                                           : RegDeleteKeyValueW(HKEY_CURRENT_USER, subKey, kValueName),
                          ERROR_SUCCESS);
            }
        }

        const AutoRunOutcome outcome = SetAutoRunAt(keys_.Keys(kTestExe), c.enable);
        EXPECT_EQ(outcome.state, c.state);
        EXPECT_EQ(outcome.error, c.error);
        expect(keys_.Machine(), c.machineAfter);
        expect(keys_.User(), c.userAfter);
    }
}

TEST(SetAutoRun, RealRunKeysGetTheQuotedPathOfThisExecutableThenBlank) {
    const std::wstring quoted = L"\"" + ExePath() + L"\"";
    RunKeyGuard machine(HKEY_LOCAL_MACHINE), user(HKEY_CURRENT_USER);
    ASSERT_EQ(StoreValue(HKEY_CURRENT_USER, kRunKeyPath, kValueName, REG_SZ, kOldValue), ERROR_SUCCESS);

    EXPECT_EQ(SetAutoRun(true).state, AutoRunState::AllUsers) << "the test needs administrator rights";
    ExpectRegSz(QueryValue(HKEY_LOCAL_MACHINE, kRunKeyPath, kValueName), RegSzBytes(quoted));
    EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, kRunKeyPath, kValueName).status, ERROR_FILE_NOT_FOUND);

    EXPECT_EQ(SetAutoRun(false).state, AutoRunState::Off);
    ExpectRegSz(QueryValue(HKEY_LOCAL_MACHINE, kRunKeyPath, kValueName), "");
}

} // namespace
} // namespace inkwarden
