// The settings file "scribbet.ini": what is on disk after a write, what a read yields,
// and what LoadSettingsIn applies to the main window.
#include "settings/module1.h"

#include "platform/platform.h"

#include "tests/common/ini_text.h"

#include "test_support.h"

#include <string>
#include <vector>

namespace inkwarden {
namespace {

using namespace inkwarden_testing;

// "张三丰" and "墨守" in code page 936 (GBK), and the four keys as an older program wrote them.
#define ZHANG_SANFENG_GBK "\xD5\xC5\xC8\xFD\xB7\xE1"
#define ANSI_FILE "[main]\r\ncode=4\r\nwriter=" ZHANG_SANFENG_GBK "\r\nmin=1\r\nrun=-1\r\n"
const std::string kZhangSanfengGbk = ZHANG_SANFENG_GBK;
const std::string kMoShouGbk = "\xC4\xAB\xCA\xD8";
const std::wstring kCaptionLead = L"当前语言类型为  ";

// An ASCII text of the given length whose every position is recognisable, so a cut or
// a shift shows.
std::wstring Pattern(std::size_t length) {
    static const wchar_t kChars[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
    std::wstring text;
    for (std::size_t i = 0; i < length; ++i)
        text += kChars[i % 36];
    return text;
}

template <typename Text> Text Repeat(const Text& piece, int times) {
    Text text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

class SettingsFile : public ScratchFolderTest {
protected:
    // Replaces the settings file with these bytes; nullptr: no file.
    void Replace(const char* bytes) {
        DeleteFileW(Ini().c_str());
        if (bytes)
            WriteBytes(Ini(), bytes);
    }
};

TEST_F(SettingsFile, AbsentFileReadsEmptyFirstWriteCreatesUtf16FileAndFourKeysRoundTrip) {
    EXPECT_EQ(ReadIniValue(L"main", L"code", Ini()), L"");
    EXPECT_FALSE(FileExists(Ini())) << "a read must not create the file";

    const std::pair<const wchar_t*, const wchar_t*> keys[] = {
        {L"code", L"7"}, {L"writer", L"张三丰"}, {L"min", L"1"}, {L"run", L"-1"}};
    std::wstring file = L"[main]\r\n";
    for (const auto& [key, value] : keys) {
        EXPECT_EQ(WriteIniValue(kIniSection, key, value, Ini()), 1)
            << Narrow(key) << ", error " << GetLastError();
        file += std::wstring(key) + L"=" + value + L"\r\n";
        EXPECT_EQ(Hex(ReadBytes(Ini())), Hex(Utf16File(file))) << "after writing " << Narrow(key);
    }
    for (const auto& [key, value] : keys)
        EXPECT_EQ(ReadIniValue(kIniSection, key, Ini()), value) << "key " << Narrow(key);

    // Rewriting a key replaces its value in place.
    EXPECT_EQ(WriteIniValue(kIniSection, L"code", L"0", Ini()), 1);
    EXPECT_EQ(ReadIniValue(kIniSection, L"code", Ini()), L"0");
    EXPECT_EQ(ReadIniValue(kIniSection, L"run", Ini()), L"-1");
}

TEST_F(SettingsFile, ReadsAnsiFileAsAnOlderProgramWroteIt) {
    WriteBytes(Ini(), ANSI_FILE);
    ExpectEachMaps(
        [&](const wchar_t* key) { return ReadIniValue(L"main", key, Ini()); },
        {{L"code", L"4"}, {L"writer", L"张三丰"}, {L"min", L"1"}, {L"run", L"-1"}, {L"other", L""}});
    EXPECT_EQ(ReadIniValue(L"other", L"code", Ini()), L"") << "absent section";
}

TEST_F(SettingsFile, AuthorIsStoredInTheFilesEncodingAndReadsBackWhole) {
    // A 256-character buffer holds 255 characters; values around that size and far
    // beyond it must come back whole, in either file encoding.
    const auto ansi = [](const std::string& writer) { return "[main]\r\nwriter=" + writer + "\r\n"; };
    struct Case {
        const char* what;
        std::wstring value;
        std::string file; // afterwards; empty: the UTF-16 file of the value. An ANSI one is there before.
    } const cases[] = {
        {"Chinese in an existing ANSI file: stays ANSI, in GBK", L"张三丰", ansi(kZhangSanfengGbk)},
        {"outside code page 936: a new UTF-16 file with U+00EB and the surrogate pair D83D DE00",
         L"Zo\u00EB \U0001F600",
         Utf16File(L"[main]\r\nwriter=Zo") + std::string("\xEB\x00 \x00\x3D\xD8\x00\xDE\r\x00\n\x00", 12)},
        {"254 ASCII, UTF-16 file", Pattern(254), ""},
        {"255 ASCII, UTF-16 file", Pattern(255), ""},
        {"256 ASCII, UTF-16 file", Pattern(256), ""},
        {"1000 ASCII, UTF-16 file", Pattern(1000), ""},
        {"1000 ASCII, ANSI file", Pattern(1000), ansi(Narrow(Pattern(1000)))},
        {"260 Chinese (520 bytes), ANSI file", Repeat<std::wstring>(L"墨守", 130),
         ansi(Repeat(kMoShouGbk, 130))},
        {"1100 Chinese, UTF-16 file", Repeat<std::wstring>(L"张三丰墨守", 220), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Replace(c.file.rfind("[main]", 0) == 0 ? "[main]\r\nwriter=x\r\n" : nullptr);
        ASSERT_EQ(WriteIniValue(L"main", L"writer", c.value, Ini()), 1);
        const std::wstring back = ReadIniValue(L"main", L"writer", Ini());
        EXPECT_EQ(back.size(), c.value.size());
        EXPECT_TRUE(back == c.value);
        const std::string expected =
            c.file.empty() ? Utf16File(L"[main]\r\nwriter=" + c.value + L"\r\n") : c.file;
        EXPECT_EQ(Hex(ReadBytes(Ini())), Hex(expected));
    }
}

TEST_F(SettingsFile, RefusedWriteFailsWithTheReasonAndChangesNothing) {
    const std::string content = "[main]\r\ncode=5\r\nwriter=" ZHANG_SANFENG_GBK "\r\n";
    const DWORD hiddenOrSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    enum Obstacle { Attributes, Folder, HeldOpen, MissingFolder };
    struct Case {
        const char* what;
        Obstacle obstacle;
        DWORD attributes; // of the file written first
        DWORD error;
    } const cases[] = {
        {"a hidden file is not the settings file", Attributes, FILE_ATTRIBUTE_HIDDEN, ERROR_FILE_EXISTS},
        {"nor is a system file", Attributes, FILE_ATTRIBUTE_SYSTEM, ERROR_FILE_EXISTS},
        {"nor a hidden system file", Attributes, hiddenOrSystem, ERROR_FILE_EXISTS},
        {"nor a folder", Folder, 0, ERROR_FILE_EXISTS},
        {"held open without sharing by another program", HeldOpen, FILE_ATTRIBUTE_NORMAL,
         ERROR_SHARING_VIOLATION},
        {"in a missing folder, which is not created", MissingFolder, 0, ERROR_PATH_NOT_FOUND},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RemoveTree(Ini());
        Replace(nullptr);
        const std::wstring ini = c.obstacle == MissingFolder ? IniPathIn(Path(L"missing")) : Ini();
        if (c.obstacle == Folder)
            ASSERT_TRUE(CreateDirectoryW(ini.c_str(), nullptr));
        else if (c.obstacle != MissingFolder)
            WriteBytes(ini, content, c.attributes);
        HANDLE lock = c.obstacle == HeldOpen ? CreateFileW(ini.c_str(), GENERIC_READ, 0, nullptr,
                                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                                             : INVALID_HANDLE_VALUE;
        ASSERT_EQ(lock != INVALID_HANDLE_VALUE, c.obstacle == HeldOpen);
        SetLastError(ERROR_SUCCESS);
        const std::int16_t written = WriteIniValue(L"main", L"code", L"6", ini);
        const DWORD error = GetLastError();
        if (lock != INVALID_HANDLE_VALUE)
            CloseHandle(lock);
        EXPECT_EQ(written, 0);
        EXPECT_EQ(error, c.error);

        const bool settingsFile = c.obstacle == HeldOpen;
        EXPECT_EQ(ReadIniValue(L"main", L"code", ini), settingsFile ? L"5" : L"");
        EXPECT_EQ(ReadIniValue(L"main", L"writer", ini), settingsFile ? L"张三丰" : L"");
        const DWORD attributes = GetFileAttributesW(ini.c_str());
        if (c.obstacle == Folder) {
            EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
        } else if (c.obstacle == MissingFolder) {
            EXPECT_FALSE(FileExists(Path(L"missing")));
        } else {
            EXPECT_EQ(attributes & hiddenOrSystem, c.attributes & hiddenOrSystem);
            EXPECT_EQ(Hex(ReadBytes(ini)), Hex(content));
        }
    }
}

TEST_F(SettingsFile, OtherSectionsAndCommentsSurviveAWrite) {
    const std::string before =
        "; settings of the remark tool\r\n[other]\r\nkey=some value\r\n;comment in other\r\n"
        "[main]\r\n; style 0..7\r\ncode=1\r\nwriter=old\r\nmin=0\r\nrun=0\r\n"
        "[tail]\r\nwriter=tail\r\n";
    WriteBytes(Ini(), before);
    EXPECT_EQ(WriteIniValue(L"main", L"writer", L"张三丰", Ini()), 1);
    std::string after = before;
    const std::string old = "writer=old";
    after.replace(after.find(old), old.size(), "writer=" + kZhangSanfengGbk);
    EXPECT_EQ(Hex(ReadBytes(Ini())), Hex(after));
    EXPECT_EQ(ReadIniValue(L"tail", L"writer", Ini()), L"tail");
    EXPECT_EQ(ReadIniValue(L"other", L"key", Ini()), L"some value");
}

TEST(SettingsPath, IniPathInHasExactlyOneBackslash) {
    ExpectEachMaps(IniPathIn, {{L"C:\\", L"C:\\scribbet.ini"},
                               {L"C:\\a b", L"C:\\a b\\scribbet.ini"},
                               {L"C:\\a b\\", L"C:\\a b\\scribbet.ini"},
                               {L"Z:\\tmp\\墨 守", L"Z:\\tmp\\墨 守\\scribbet.ini"}});
}

// Records what LoadSettingsIn applies, in order.
class RecordingTarget final : public SettingsTarget {
public:
    void Minimise() override { calls.push_back(L"Minimise"); }
    void SetStyleCaption(const std::wstring& caption) override { calls.push_back(L"caption:" + caption); }
    void ShowOwnTemplates() override { calls.push_back(L"templates"); }
    void SetAuthor(const std::wstring& author) override { calls.push_back(L"author:" + author); }
    void SetDatePicture(const std::wstring& picture) override { calls.push_back(L"date:" + picture); }
    bool SetHotkey(const Hotkey& hotkey) override {
        calls.push_back(L"hotkey:" + Widen(FormatHotkey(hotkey)));
        return true;
    }
    std::vector<std::wstring> calls;
};

std::vector<std::wstring> ExpectedCalls(bool minimised, const std::wstring& caption,
                                        const std::wstring& writer) {
    std::vector<std::wstring> calls;
    if (minimised)
        calls.push_back(L"Minimise");
    calls.push_back(L"caption:" + caption);
    calls.push_back(L"templates");
    calls.push_back(L"author:" + writer);
    calls.push_back(L"date:");
    return calls;
}

void ScrambleGlobals() {
    IniPath = L"?";
    WriterName = L"?";
    MinAtStart = 12345;
    AutoRun = 12345;
    CodeType = 12345;
}

class LoadSettingsFile : public SettingsFile {};

TEST_F(LoadSettingsFile, StoredSettingsApplyInOrderUnreadableNumbersFallBackUnusualOnesLoadAsStored) {
    struct Case {
        const char* what;
        const char* file; // nullptr: no file
        int code, min, run;
        const wchar_t* language; // shown after the caption lead
        const wchar_t* writer;
    } const cases[] = {
        {"as an older program wrote them", ANSI_FILE, 4, 1, -1, L"delphi", L"张三丰"},
        {"no file", nullptr, 1, 0, 0, L"vb", L""},
        {"no keys", "[main]\r\n", 1, 0, 0, L"vb", L""},
        {"other section only", "[other]\r\ncode=3\r\nmin=1\r\nrun=-1\r\n", 1, 0, 0, L"vb", L""},
        {"letters", "[main]\r\ncode=abc\r\nmin=abc\r\nrun=abc\r\nwriter=w\r\n", 1, 0, 0, L"vb", L"w"},
        {"empty", "[main]\r\ncode=\r\nmin=\r\nrun=\r\n", 1, 0, 0, L"vb", L""},
        {"too large", "[main]\r\ncode=99999\r\nmin=99999\r\nrun=99999\r\n", 1, 0, 0, L"vb", L""},
        {"fraction", "[main]\r\ncode=1.5\r\nmin=1.5\r\nrun=1.5\r\n", 1, 0, 0, L"vb", L""},
        {"quoted leading blank", "[main]\r\ncode=\" -2\"\r\nmin=\" -2\"\r\nrun=\" -2\"\r\n", 1, 0, 0, L"vb",
         L""},
        {"blanks around are the platform's", "[main]\r\ncode = 3 \r\nmin = 1\r\nrun= -1\r\n", 3, 1, -1,
         L"php", L""},
        {"code 0", "[main]\r\ncode=0\r\n", 0, 0, 0, L"c++/c", L""},
        {"code 7", "[main]\r\ncode=7\r\n", 7, 0, 0, L"javascript", L""},
        {"code 8 selects no style", "[main]\r\ncode=8\r\n", 8, 0, 0, L"", L""},
        {"code -1 selects no style", "[main]\r\ncode=-1\r\n", -1, 0, 0, L"", L""},
        {"code of a style of one's own", "[main]\r\ncode=8\r\n[style8]\r\nname=python\r\n", 8, 0, 0,
         L"python", L""},
        {"a [style3] section leaves php alone", "[main]\r\ncode=3\r\n[style3]\r\nname=mine\r\n", 3, 0, 0,
         L"php", L""},
        {"a section without a name defines nothing", "[main]\r\ncode=9\r\n[style9]\r\nlead=x\r\n", 9, 0, 0,
         L"", L""},
        {"min 2 is not minimised", "[main]\r\nmin=2\r\n", 1, 2, 0, L"vb", L""},
        {"min -1 is not minimised", "[main]\r\nmin=-1\r\n", 1, -1, 0, L"vb", L""},
        {"min 1 minimises", "[main]\r\nmin=1\r\n", 1, 1, 0, L"vb", L""},
        {"run 1", "[main]\r\nrun=1\r\n", 1, 0, 1, L"vb", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Replace(c.file);
        ScrambleGlobals();
        RecordingTarget target;
        LoadSettingsIn(folder_, target);
        EXPECT_EQ(IniPath, folder_ + L"\\scribbet.ini");
        EXPECT_EQ(CodeType, c.code);
        EXPECT_EQ(MinAtStart, c.min);
        EXPECT_EQ(AutoRun, c.run);
        EXPECT_EQ(WriterName, c.writer);
        EXPECT_EQ(target.calls, ExpectedCalls(c.min == 1, kCaptionLead + c.language, c.writer));
    }
}

TEST_F(LoadSettingsFile, HotkeyIsTheDefaultOnlyWhenItsKeyIsAbsent) {
    struct Case {
        const char* what;
        const char* file; // nullptr: no file
        const wchar_t* hotkey;
    } const cases[] = {
        {"no file", nullptr, L"Ctrl+Alt+K"},
        {"no key", "[main]\r\ncode=1\r\n", L"Ctrl+Alt+K"},
        {"other section only", "[other]\r\nhotkey=Ctrl+F5\r\n", L"Ctrl+Alt+K"},
        {"empty: no hotkey", "[main]\r\nhotkey=\r\n", L""},
        {"none", "[main]\r\nhotkey=none\r\n", L"none"},
        {"as written", "[main]\r\nhotkey=shift+f12\r\n", L"shift+f12"},
        {"junk is kept for the message", "[main]\r\nhotkey=Ctrl+Alt+Del\r\n", L"Ctrl+Alt+Del"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Replace(c.file);
        HotkeyText = L"?";
        RecordingTarget target;
        LoadSettingsIn(folder_, target);
        EXPECT_EQ(HotkeyText, c.hotkey);
        for (const std::wstring& call : target.calls)
            EXPECT_NE(call.rfind(L"hotkey:", 0), 0u) << "loading registers nothing; the main window does";
    }
}

TEST(LoadSettings, UsesTheFileBesideTheExecutable) {
    const std::wstring folder = AppFolder();
    ASSERT_FALSE(folder.empty());
    ASSERT_EQ(GetFileAttributesW((folder + L"\\scribbet.ini").c_str()), INVALID_FILE_ATTRIBUTES)
        << "a settings file beside the test executable would make this test depend on it";
    ScrambleGlobals();
    RecordingTarget target;
    LoadSettings(target);
    EXPECT_EQ(IniPath, folder + L"\\scribbet.ini");
    EXPECT_EQ(CodeType, 1);
    EXPECT_EQ(target.calls, ExpectedCalls(false, kCaptionLead + L"vb", L""));
}

} // namespace
} // namespace inkwarden
