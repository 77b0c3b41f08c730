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

using namespace inkwarden_testing;

// A style of one's own: saves and resets leave its section alone.
#define STYLE9_SECTION L"[style9]\r\nname=powershell\r\nlead=\"<# \"\r\nclose=#>\r\n"
const std::wstring kZhangSan = IniText(0, L"张三", 0, 0); // code 0, nothing ticked
const wchar_t kPerUser[] = L"已设为当前用户开机启动（为所有用户设置需要管理员权限）";

class SaveSettingsTest : public ScratchFolderTest {
protected:
    SettingsStore Store() const { return {Ini(), keys_.Keys(kTestExe)}; }
    std::string FileBytes() const { return ReadBytes(Ini()); }

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
    const SettingsAction save = SettingsAction::Save, reset = SettingsAction::Reset;
    const std::wstring resetFile = IniText(1, L"www.inkwarden.dev", 0, 0) + L"hotkey=Ctrl+Alt+K\r\ndate=\r\n";
    struct Case {
        const char* what;
        SettingsAction action;
        const wchar_t* fileBefore; // nullptr: no file
        SettingsValues values;     // of a save
        std::wstring fileAfter;
        AutoRunState state; // AllUsers: the machine-wide value holds the quoted path
    } const cases[] = {
        {"save, no file: created in UTF-16, keys in the order they are written", save, nullptr,
         SettingsValues{std::int16_t{3}, L"王五", true, true, std::nullopt, L"yyyy年M月d日"},
         L"[main]\r\ncode=3\r\nrun=1\r\nmin=1\r\nwriter=王五\r\ndate=yyyy年M月d日\r\n",
         AutoRunState::AllUsers},
        {"save, nothing ticked", save, L"[main]\r\ncode=0\r\nwriter=张三\r\nmin=1\r\nrun=1\r\n",
         SettingsValues{std::int16_t{2}, L"李四", false, false}, IniText(2, L"李四", 0, 0) + L"date=\r\n",
         AutoRunState::Off},
        {"save, no style chosen: the stored code stays, an empty picture replaces the stored one", save,
         L"[main]\r\ncode=8\r\nwriter=张三\r\nmin=0\r\nrun=0\r\ndate=yyyy/MM/dd\r\n",
         SettingsValues{std::nullopt, L"李四 Lee \U0001F600", false, false},
         IniText(8, L"李四 Lee \U0001F600", 0, 0) + L"date=\r\n", AutoRunState::Off},
        {"save, a style of one's own", save,
         L"[main]\r\ncode=1\r\nwriter=张三\r\nmin=0\r\nrun=0\r\n" STYLE9_SECTION,
         SettingsValues{std::int16_t{9}, L"张三", false, false},
         IniText(9, L"张三", 0, 0) + L"date=\r\n" STYLE9_SECTION, AutoRunState::Off},
        {"save, empty author", save, L"[main]\r\n", SettingsValues{std::int16_t{7}, L"", false, true},
         L"[main]\r\ncode=7\r\nrun=1\r\nmin=0\r\nwriter=\r\ndate=\r\n", AutoRunState::AllUsers},
        {"reset", reset,
         L"[main]\r\ncode=7\r\nwriter=张三\r\nmin=1\r\nrun=1\r\nhotkey=Win+F2\r\ndate=yyyy/MM/dd\r\n",
         SettingsValues{}, resetFile, AutoRunState::Off},
        {"reset, no file", reset, nullptr, SettingsValues{},
         L"[main]\r\ncode=1\r\nwriter=www.inkwarden.dev\r\nmin=0\r\nrun=0\r\nhotkey=Ctrl+Alt+K\r\ndate=\r\n",
         AutoRunState::Off},
        {"reset, styles of one's own stay", reset,
         L"[main]\r\ncode=9\r\nwriter=张三\r\nmin=0\r\nrun=0\r\n" STYLE9_SECTION, SettingsValues{},
         resetFile + STYLE9_SECTION, AutoRunState::Off},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileW(Ini().c_str());
        if (c.fileBefore)
            WriteBytes(Ini(), Utf16File(c.fileBefore));
        for (const wchar_t* key : {TestRunKeys::kMachine, TestRunKeys::kUser})
            ASSERT_EQ(TestRunKeys::Store(key, kTestExeValue), ERROR_SUCCESS);
        const SettingsOutcome outcome =
            c.action == save ? SaveSettingsTo(Store(), c.values) : ResetSettingsTo(Store());
        EXPECT_TRUE(outcome.fileWritten);
        EXPECT_EQ(Hex(FileBytes()), Hex(Utf16File(c.fileAfter)));
        EXPECT_EQ(outcome.autoRun.state, c.state);
        EXPECT_EQ(Hex(keys_.Machine().bytes), Hex(c.state == AutoRunState::AllUsers ? kTestExeValue : ""));
        EXPECT_FALSE(keys_.User().present()) << "one registration at most, machine-wide";
        EXPECT_EQ(Lines(Report(outcome)),
                  std::vector<std::string>{c.action == save ? "info:设置成功！" : "info:重置成功！"});
    }
}

TEST_F(SaveSettingsTest, HotkeyIsStoredAndRegisteredAtOnceOrReportedAndNeverLost) {
    const std::vector<Hotkey> nothing, noHotkey{Hotkey{}}, defaultKey{DefaultHotkey()},
        ctrlShiftF9{{kHotkeyCtrl | kHotkeyShift, kHotkeyF1 + 8}};
    struct Case {
        const char* what;
        const wchar_t* given;
        bool systemAccepts;
        const wchar_t* stored; // in the file afterwards
        HotkeyOutcome::State state;
        std::vector<Hotkey> registered;
        const wchar_t* warning; // how the second notice begins; nullptr: none
    } const cases[] = {
        {"registered", L"Ctrl+Shift+F9", true, L"Ctrl+Shift+F9", HotkeyOutcome::Stored, ctrlShiftF9, nullptr},
        {"no hotkey", L"none", true, L"none", HotkeyOutcome::Stored, noHotkey, nullptr},
        {"held by another program: stored all the same", L"Ctrl+Alt+K", false, L"Ctrl+Alt+K",
         HotkeyOutcome::Refused, defaultKey, L"设置已保存，但热键 Ctrl+Alt+K 已被其他程序占用"},
        {"not usable: the stored one stays", L"Shift + K", true, L"Win+F2", HotkeyOutcome::Invalid, nothing,
         L"设置已保存，但热键设置无效：Shift + K"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(Ini(), Utf16File(kZhangSan + L"hotkey=Win+F2\r\n"));
        std::vector<Hotkey> registered;
        SettingsStore store = Store();
        store.registerHotkey = [&](const Hotkey& hotkey) {
            registered.push_back(hotkey);
            return c.systemAccepts;
        };
        SettingsValues values{std::int16_t{0}, L"张三", false, false};
        values.hotkey = c.given;
        const SettingsOutcome outcome = SaveSettingsTo(store, values);
        EXPECT_EQ(Hex(FileBytes()), Hex(Utf16File(kZhangSan + L"hotkey=" + c.stored + L"\r\ndate=\r\n")));
        EXPECT_EQ(outcome.hotkey.state, c.state);
        EXPECT_EQ(registered, c.registered);
        const std::vector<std::string> lines = Lines(Report(outcome));
        ASSERT_EQ(lines.size(), c.warning ? 2u : 1u) << testing::PrintToString(lines);
        EXPECT_EQ(lines[0], "info:设置成功！");
        if (c.warning) {
            EXPECT_EQ(lines[1].rfind("warning:" + Narrow(c.warning), 0), 0u) << lines[1];
        }
    }
}

TEST_F(SaveSettingsTest, WithoutRightsToTheMachineKeyAutoRunIsForTheCurrentUserUntilReset) {
    WriteBytes(Ini(), Utf16File(kZhangSan));
    ASSERT_EQ(DenySetValue(HKEY_CURRENT_USER, TestRunKeys::kMachine), ERROR_SUCCESS);

    const SettingsOutcome saved = SaveSettingsTo(Store(), {std::int16_t{0}, L"张三", false, true});
    EXPECT_EQ(Hex(FileBytes()), Hex(Utf16File(IniText(0, L"张三", 0, 1) + L"date=\r\n")));
    EXPECT_EQ(saved.autoRun.state, AutoRunState::CurrentUser);
    EXPECT_EQ(Hex(keys_.User().bytes), Hex(kTestExeValue));
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
        const wchar_t* info; // how the first of two notices begins; nullptr: one notice
        const wchar_t* warning;
    } const cases[] = {
        {"file held open, save", FileHeldOpen, SettingsAction::Save, nullptr,
         L"设置没有全部保存：未能写入设置文件："},
        {"file held open, reset", FileHeldOpen, SettingsAction::Reset, nullptr,
         L"设置没有全部重置：未能写入设置文件："},
        {"both Run keys denied, save", MachineDenied | UserDenied, SettingsAction::Save, L"设置成功！",
         L"设置已保存，但未能设置开机自动运行"},
        {"per-user key denied, reset", UserDenied, SettingsAction::Reset, L"重置成功！",
         L"设置已重置，但未能取消开机自动运行"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        keys_.Create();
        const std::string before = Utf16File(kZhangSan);
        WriteBytes(Ini(), before);
        ASSERT_EQ(TestRunKeys::Store(TestRunKeys::kUser, kOldValue), ERROR_SUCCESS);
        for (auto [obstacle, key] :
             {std::pair{MachineDenied, TestRunKeys::kMachine}, {UserDenied, TestRunKeys::kUser}}) {
            if (c.obstacles & obstacle) {
                ASSERT_EQ(DenySetValue(HKEY_CURRENT_USER, key), ERROR_SUCCESS);
            }
        }
        const bool fileHeld = c.obstacles & FileHeldOpen;
        HANDLE lock = fileHeld ? CreateFileW(Ini().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL, nullptr)
                               : INVALID_HANDLE_VALUE;
        const SettingsOutcome outcome = c.action == SettingsAction::Save
                                            ? SaveSettingsTo(Store(), {std::int16_t{4}, L"李四", true, true})
                                            : ResetSettingsTo(Store());
        if (lock != INVALID_HANDLE_VALUE)
            CloseHandle(lock);

        EXPECT_EQ(outcome.fileWritten, !fileHeld);
        if (fileHeld) {
            EXPECT_EQ(Hex(FileBytes()), Hex(before));
            // The registration follows the stored choice, which could not be stored.
            EXPECT_EQ(outcome.autoRun.state, AutoRunState::Untouched);
            EXPECT_EQ(Hex(keys_.User().bytes), Hex(kOldValue));
        }
        std::vector<const wchar_t*> leads{c.warning}; // each message starts with its lead
        if (c.info)
            leads.insert(leads.begin(), c.info);
        const std::vector<Notice> notices = Report(outcome);
        ASSERT_EQ(notices.size(), leads.size()) << testing::PrintToString(Lines(notices));
        for (std::size_t i = 0; i < notices.size(); ++i) {
            SCOPED_TRACE(Narrow(notices[i].text));
            EXPECT_EQ(notices[i].text.rfind(leads[i], 0), 0u);
            EXPECT_EQ(notices[i].icon,
                      static_cast<UINT>(i + 1 < notices.size() ? MB_ICONINFORMATION : MB_ICONWARNING));
        }
        const std::wstring& warning = notices.back().text;
        EXPECT_NE(warning.find(ErrorText(fileHeld ? ERROR_SHARING_VIOLATION : ERROR_ACCESS_DENIED)),
                  std::wstring::npos);
        if (fileHeld) {
            EXPECT_NE(warning.find(Ini()), std::wstring::npos);
        }
    }
}

} // namespace
} // namespace inkwarden
