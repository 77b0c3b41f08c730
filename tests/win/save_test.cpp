// Saving and resetting without a window: what lands in the settings file and the Run
// keys, in which order, and the report the settings window shows for it.
#include "settings/save.h"

#include "platform/platform.h"

#include "tests/common/ini_text.h"

#include "test_support.h"

#include <optional>
#include <string>
#include <vector>

namespace inkwarden {
namespace {

using inkwarden_test::DenySetValue;
using inkwarden_test::Hex;
using inkwarden_test::ReadBytes;
using inkwarden_test::RegSzBytes;
using inkwarden_test::RegValue;
using inkwarden_test::ScratchFolderTest;
using inkwarden_test::StoreValue;
using inkwarden_test::TestRunKeys;
using inkwarden_test::WriteBytes;
using inkwarden_testing::IniText;
using inkwarden_testing::Utf16File;

const wchar_t kExe[] = L"C:\\Program Files\\墨 守\\scribbet.exe";
const std::wstring kQuotedExe = L"\"" + std::wstring(kExe) + L"\"";
const wchar_t kPerUser[] = L"已设为当前用户开机启动（为所有用户设置需要管理员权限）";

class SaveSettingsTest : public ScratchFolderTest {
protected:
    void SetUp() override {
        ScratchFolderTest::SetUp();
        keys_.Create();
    }
    void TearDown() override {
        keys_.Remove();
        ScratchFolderTest::TearDown();
    }
    SettingsStore Store() const { return {IniPathIn(folder_), keys_.Keys(kExe)}; }
    std::string FileBytes() const { return ReadBytes(IniPathIn(folder_)); }

    TestRunKeys keys_;
};

// A notice as a line: "info:" or "warning:" and the text, so a mismatch reads plainly.
std::vector<std::string> Lines(const std::vector<Notice>& notices) {
    std::vector<std::string> lines;
    for (const Notice& n : notices)
        lines.push_back((n.icon == MB_ICONWARNING ? "warning:" : "info:") + Narrow(n.text));
    return lines;
}

TEST_F(SaveSettingsTest, WritesTheKeysInOrderAndRegistersAsTicked) {
    struct Case {
        const char* what;
        const wchar_t* fileBefore; // nullptr: no file
        std::optional<std::int16_t> code;
        const wchar_t* writer;
        bool min, run;
        std::wstring fileAfter;
        AutoRunState state;
        std::string machineValue;
    } const cases[] = {
        {"no file: created in UTF-16, keys in the order they are written", nullptr, std::int16_t{3}, L"王五",
         true, true, L"[main]\r\ncode=3\r\nrun=1\r\nmin=1\r\nwriter=王五\r\n", AutoRunState::AllUsers,
         RegSzBytes(kQuotedExe)},
        {"nothing ticked", L"[main]\r\ncode=0\r\nwriter=张三\r\nmin=1\r\nrun=1\r\n", std::int16_t{2}, L"李四",
         false, false, IniText(2, L"李四", 0, 0), AutoRunState::Off, ""},
        {"no style chosen: the stored code stays", L"[main]\r\ncode=8\r\nwriter=张三\r\nmin=0\r\nrun=0\r\n",
         std::nullopt, L"李四 Lee \U0001F600", false, false, IniText(8, L"李四 Lee \U0001F600", 0, 0),
         AutoRunState::Off, ""},
        {"empty author is stored empty", L"[main]\r\n", std::int16_t{7}, L"", false, true,
         L"[main]\r\ncode=7\r\nrun=1\r\nmin=0\r\nwriter=\r\n", AutoRunState::AllUsers,
         RegSzBytes(kQuotedExe)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileW(IniPathIn(folder_).c_str());
        if (c.fileBefore)
            WriteBytes(IniPathIn(folder_), Utf16File(c.fileBefore));
        const SettingsOutcome outcome = SaveSettingsTo(Store(), {c.code, c.writer, c.min, c.run});
        EXPECT_TRUE(outcome.fileWritten);
        EXPECT_EQ(Hex(FileBytes()), Hex(Utf16File(c.fileAfter)));
        EXPECT_EQ(outcome.autoRun.state, c.state);
        const RegValue machine = keys_.Machine();
        EXPECT_TRUE(machine.present());
        EXPECT_EQ(Hex(machine.bytes), Hex(c.machineValue));
        EXPECT_EQ(Lines(Report(outcome)), std::vector<std::string>{"info:设置成功！"});
    }
}

TEST_F(SaveSettingsTest, ResetWritesTheResetValuesInOrderAndDisables) {
    struct Case {
        const char* what;
        const wchar_t* fileBefore;
        std::wstring fileAfter;
    } const cases[] = {
        {"existing file", L"[main]\r\ncode=7\r\nwriter=张三\r\nmin=1\r\nrun=1\r\n",
         IniText(1, L"www.inkwarden.dev", 0, 0)},
        {"no file", nullptr, L"[main]\r\ncode=1\r\nwriter=www.inkwarden.dev\r\nmin=0\r\nrun=0\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileW(IniPathIn(folder_).c_str());
        if (c.fileBefore)
            WriteBytes(IniPathIn(folder_), Utf16File(c.fileBefore));
        ASSERT_EQ(StoreValue(HKEY_CURRENT_USER, TestRunKeys::kMachine, L"Inkwarden", REG_SZ,
                             RegSzBytes(kQuotedExe)),
                  ERROR_SUCCESS);
        ASSERT_EQ(
            StoreValue(HKEY_CURRENT_USER, TestRunKeys::kUser, L"Inkwarden", REG_SZ, RegSzBytes(kQuotedExe)),
            ERROR_SUCCESS);
        const SettingsOutcome outcome = ResetSettingsTo(Store());
        EXPECT_TRUE(outcome.fileWritten);
        EXPECT_EQ(Hex(FileBytes()), Hex(Utf16File(c.fileAfter)));
        EXPECT_EQ(outcome.autoRun.state, AutoRunState::Off);
        EXPECT_EQ(keys_.Machine().bytes.size(), 0u);
        EXPECT_FALSE(keys_.User().present());
        EXPECT_EQ(Lines(Report(outcome)), std::vector<std::string>{"info:重置成功！"});
    }
}

TEST_F(SaveSettingsTest, WithoutRightsToTheMachineKeyAutoRunIsForTheCurrentUserUntilReset) {
    WriteBytes(IniPathIn(folder_), Utf16File(IniText(0, L"张三", 0, 0)));
    ASSERT_EQ(DenySetValue(HKEY_CURRENT_USER, TestRunKeys::kMachine), ERROR_SUCCESS);

    const SettingsOutcome saved = SaveSettingsTo(Store(), {std::int16_t{0}, L"张三", false, true});
    EXPECT_EQ(Hex(FileBytes()), Hex(Utf16File(IniText(0, L"张三", 0, 1))));
    EXPECT_EQ(saved.autoRun.state, AutoRunState::CurrentUser);
    EXPECT_EQ(Hex(keys_.User().bytes), Hex(RegSzBytes(kQuotedExe)));
    EXPECT_FALSE(keys_.Machine().present());
    EXPECT_EQ(Lines(Report(saved)),
              (std::vector<std::string>{"info:设置成功！", "info:" + Narrow(kPerUser)}));

    const SettingsOutcome reset = ResetSettingsTo(Store());
    EXPECT_EQ(reset.autoRun.state, AutoRunState::Off);
    EXPECT_FALSE(keys_.User().present()) << "no per-user value may be left behind";
    EXPECT_EQ(Lines(Report(reset)), std::vector<std::string>{"info:重置成功！"});
}

TEST_F(SaveSettingsTest, FailuresAreReportedWithTheSystemsReason) {
    enum Obstacle { FileHeldOpen = 1, MachineDenied = 2, UserDenied = 4 };
    struct Case {
        const char* what;
        int obstacles;
        SettingsAction action;
        bool autoRun;
        bool registrationTried;
        std::vector<std::wstring> leads; // each notice starts with its lead, in order
        std::vector<std::wstring> reasons;
    } const cases[] = {
        {"file held open, save",
         FileHeldOpen,
         SettingsAction::Save,
         true,
         false,
         {L"设置没有全部保存：未能写入设置文件："},
         {ErrorText(ERROR_SHARING_VIOLATION)}},
        {"file held open, reset",
         FileHeldOpen,
         SettingsAction::Reset,
         false,
         false,
         {L"设置没有全部重置：未能写入设置文件："},
         {ErrorText(ERROR_SHARING_VIOLATION)}},
        {"both Run keys denied, save",
         MachineDenied | UserDenied,
         SettingsAction::Save,
         true,
         true,
         {L"设置成功！", L"设置已保存，但未能设置开机自动运行"},
         {L"", ErrorText(ERROR_ACCESS_DENIED)}},
        {"per-user key denied, reset",
         UserDenied,
         SettingsAction::Reset,
         false,
         true,
         {L"重置成功！", L"设置已重置，但未能取消开机自动运行"},
         {L"", ErrorText(ERROR_ACCESS_DENIED)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        keys_.Create();
        const std::string before = Utf16File(IniText(0, L"张三", 0, 0));
        WriteBytes(IniPathIn(folder_), before);
        const std::string userBefore = RegSzBytes(L"\"C:\\old.exe\"");
        ASSERT_EQ(StoreValue(HKEY_CURRENT_USER, TestRunKeys::kUser, L"Inkwarden", REG_SZ, userBefore),
                  ERROR_SUCCESS);
        if (c.obstacles & MachineDenied) {
            ASSERT_EQ(DenySetValue(HKEY_CURRENT_USER, TestRunKeys::kMachine), ERROR_SUCCESS);
        }
        if (c.obstacles & UserDenied) {
            ASSERT_EQ(DenySetValue(HKEY_CURRENT_USER, TestRunKeys::kUser), ERROR_SUCCESS);
        }
        HANDLE lock = INVALID_HANDLE_VALUE;
        if (c.obstacles & FileHeldOpen)
            lock = CreateFileW(IniPathIn(folder_).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);

        const SettingsOutcome outcome =
            c.action == SettingsAction::Save
                ? SaveSettingsTo(Store(), {std::int16_t{4}, L"李四", true, c.autoRun})
                : ResetSettingsTo(Store());
        if (lock != INVALID_HANDLE_VALUE)
            CloseHandle(lock);

        EXPECT_EQ(outcome.fileWritten, !(c.obstacles & FileHeldOpen));
        if (!outcome.fileWritten) {
            EXPECT_EQ(outcome.fileError, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
            EXPECT_EQ(Hex(FileBytes()), Hex(before));
        }
        EXPECT_EQ(outcome.autoRun.state != AutoRunState::Untouched, c.registrationTried);
        if (!c.registrationTried) {
            EXPECT_EQ(Hex(keys_.User().bytes), Hex(userBefore)) << "the registration follows the file";
        }
        const std::vector<Notice> notices = Report(outcome);
        ASSERT_EQ(notices.size(), c.leads.size()) << testing::PrintToString(Lines(notices));
        for (std::size_t i = 0; i < notices.size(); ++i) {
            SCOPED_TRACE(Narrow(notices[i].text));
            EXPECT_EQ(notices[i].text.rfind(c.leads[i], 0), 0u);
            EXPECT_NE(notices[i].text.find(c.reasons[i]), std::wstring::npos);
            EXPECT_EQ(notices[i].icon,
                      static_cast<UINT>(c.reasons[i].empty() ? MB_ICONINFORMATION : MB_ICONWARNING));
        }
        if (!outcome.fileWritten) {
            EXPECT_NE(notices[0].text.find(IniPathIn(folder_)), std::wstring::npos);
        }
    }
}

} // namespace
} // namespace inkwarden
