// Platform services: the Wine set-up itself, text conversion, paths, file presence,
// the short date and the clipboard.
#include "platform/platform.h"

#include "tests/common/desktop.h"

#include "test_support.h"

#include <cstring>
#include <string>
#include <thread>

namespace inkwarden {
namespace {

using namespace inkwarden_testing;

// Everything about ANSI files and CF_TEXT below assumes code page 936. Under Wine that
// comes from LANG=zh_CN.UTF-8 in the test environment; when this fails, fix the set-up.
TEST(WineSetup, AnsiCodePageIs936_ElseTestEnvironmentLacksLangZhCn) {
    ASSERT_EQ(GetACP(), 936u) << "the Windows tests must run with the Chinese (PRC) ANSI code page";
}

TEST(Text, WidenAndNarrowConvertExactlyAndInvalidUtf8BecomesReplacementCharacters) {
    struct Case {
        std::string utf8;
        std::wstring utf16;
        bool valid = true; // else only Widen is checked: the replacement does not narrow back
    } const cases[] = {
        {"", L""},
        {"abc", L"abc"},
        {"\xE5\xBC\xA0\xE4\xB8\x89\xE4\xB8\xB0", L"张三丰"},
        {"Zo\xC3\xAB \xF0\x9F\x98\x80", L"Zo\u00EB \U0001F600"},
        {std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
        {"\xE5\xA2\xA8\r\n\xE5\xAE\x88", L"墨\r\n守"},
        {"\xFF", L"\uFFFD", false},
        {"a\xC3", L"a\uFFFD", false},
        {"\xD5\xC5\x62", L"\uFFFD\uFFFDb", false}, // GBK bytes (and a "b") are not UTF-8
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Hex(c.utf8));
        EXPECT_TRUE(Widen(c.utf8) == c.utf16) << Narrow(Widen(c.utf8));
        if (c.valid) {
            EXPECT_EQ(Hex(Narrow(c.utf16)), Hex(c.utf8));
            EXPECT_EQ(Hex(Narrow(Widen(c.utf8))), Hex(c.utf8));
        }
    }
}

TEST(Paths, FolderOfKeepsBackslashOnlyForDriveRoot) {
    ExpectEachMaps(FolderOf, {{L"C:\\x.exe", L"C:\\"},
                              {L"C:\\a\\b.exe", L"C:\\a"},
                              {L"C:\\Program Files\\墨 守\\scribbet.exe", L"C:\\Program Files\\墨 守"},
                              {L"\\\\server\\share\\scribbet.exe", L"\\\\server\\share"},
                              {L"scribbet.exe", L""}});
}

TEST(Paths, ExecutablePathFolderAndName) {
    wchar_t exe[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameW(nullptr, exe, ARRAYSIZE(exe));
    ASSERT_GT(n, 0u);
    const std::wstring path(exe, n);
    EXPECT_EQ(ExePath(), path);
    EXPECT_EQ(AppFolder(), path.substr(0, path.find_last_of(L'\\')));
    EXPECT_EQ(ExeName(), L"win_tests");
}

class FilePresence : public ScratchFolderTest {};

TEST_F(FilePresence, OnlyNormalFilesAtExactlyThePathArePresent) {
    const struct {
        const wchar_t* name;
        DWORD attributes; // FILE_ATTRIBUTE_DIRECTORY: a folder of that name
        bool present;
    } files[] = {
        {L"normal.ini", FILE_ATTRIBUTE_NORMAL, true},
        {L"readonly.ini", FILE_ATTRIBUTE_READONLY, true},
        {L"archive.ini", FILE_ATTRIBUTE_ARCHIVE, true},
        {L"hidden.ini", FILE_ATTRIBUTE_HIDDEN, false},
        {L"system.ini", FILE_ATTRIBUTE_SYSTEM, false},
        {L"hidden-readonly.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY, false},
        {L"folder.ini", FILE_ATTRIBUTE_DIRECTORY, false},
    };
    for (const auto& f : files) {
        if (f.attributes == FILE_ATTRIBUTE_DIRECTORY)
            ASSERT_TRUE(CreateDirectoryW(Path(f.name).c_str(), nullptr));
        else
            WriteBytes(Path(f.name), "[main]\r\n", f.attributes);
    }
    for (const auto& f : files)
        EXPECT_EQ(FileIsPresent(Path(f.name)), f.present) << Narrow(f.name);
    for (const std::wstring& path :
         {Path(L"absent.ini"), Path(L"*.ini"), Path(L"normal.in?"), std::wstring()})
        EXPECT_FALSE(FileIsPresent(path)) << Narrow(path);
}

TEST_F(FilePresence, CreateUnicodeTextFileWritesOnlyTheByteOrderMark) {
    ASSERT_TRUE(CreateUnicodeTextFile(Path(L"new.ini"))) << "error " << GetLastError();
    EXPECT_EQ(Hex(ReadBytes(Path(L"new.ini"))), "FF FE ");

    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(CreateUnicodeTextFile(Path(L"new.ini"))) << "must not replace an existing file";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
}

TEST(Date, CurrentShortDateIsTodayInUserShortFormatWithoutTime) {
    const std::wstring before = Today();
    const std::wstring date = CurrentShortDate();
    const std::wstring after = Today();
    ASSERT_FALSE(before.empty());
    EXPECT_TRUE(date == before || date == after) << Narrow(date) << " vs " << Narrow(before);
    EXPECT_EQ(date.find_first_of(L":时"), std::wstring::npos) << Narrow(date);
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_NE(date.find(std::to_wstring(now.wDay)), std::wstring::npos) << Narrow(date);
    EXPECT_NE(date.find(std::to_wstring(now.wYear % 100)), std::wstring::npos) << Narrow(date);
}

TEST(Clipboard, TextIsUnicodeWithChineseLocaleForAnsiReaders) {
    const Popup window(L"clipboard");
    ASSERT_NE(window.hwnd, nullptr);
    struct Case {
        std::wstring text;
        const char* ansi; // what a CF_TEXT reader gets in code page 936; nullptr: not checked
    } const cases[] = {
        {L"/* 开发人员：张三丰 */\r\n",
         "/* \xBF\xAA\xB7\xA2\xC8\xCB\xD4\xB1\xA3\xBA\xD5\xC5\xC8\xFD\xB7\xE1 */\r\n"},
        {L"abc", "abc"},
        {L"", ""},
        {L"Zo\u00EB \U0001F600 张三丰", nullptr}, // outside code page 936: survives as Unicode
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.text));
        ASSERT_TRUE(PutClipboardText(window.hwnd, c.text)) << "error " << GetLastError();
        const ClipboardContent content = ReadClipboard(window.hwnd);
        ASSERT_TRUE(content.opened);
        EXPECT_TRUE(content.hasUnicode);
        EXPECT_TRUE(content.unicode == c.text) << Narrow(content.unicode);
        EXPECT_TRUE(content.hasAnsi);
        if (c.ansi) {
            EXPECT_EQ(Hex(content.ansi), Hex(c.ansi));
        }
        EXPECT_TRUE(content.hasLocale);
        EXPECT_EQ(content.locale, static_cast<LCID>(0x0804));
    }
}

// Another thread holds the clipboard open (with its own window) for a while.
class ClipboardHolder {
public:
    explicit ClipboardHolder(DWORD holdMs) : opened_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        thread_ = std::thread([this, holdMs] {
            const Popup window(L"clipboard");
            ok_ = OpenClipboard(window.hwnd) && EmptyClipboard();
            if (ok_) {
                static const wchar_t kHeld[] = L"held";
                HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, sizeof kHeld);
                std::memcpy(GlobalLock(mem), kHeld, sizeof kHeld);
                GlobalUnlock(mem);
                ok_ = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
            }
            SetEvent(opened_);
            Sleep(holdMs);
            CloseClipboard();
        });
        // Keep this thread's windows answering while waiting: taking the clipboard over
        // sends a message to its previous owner, which may be a window of this thread.
        while (MsgWaitForMultipleObjects(1, &opened_, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
        }
    }
    ~ClipboardHolder() {
        if (thread_.joinable())
            thread_.join();
        CloseHandle(opened_);
    }
    void Join() { thread_.join(); }
    bool ok() const { return ok_; }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;

private:
    HANDLE opened_;
    bool ok_ = false;
    std::thread thread_;
};

TEST(Clipboard, WaitsBrieflyForAnotherHolderThenGivesUp) {
    const Popup window(L"clipboard");
    struct Case {
        DWORD holdMs;
        bool put;
        const wchar_t* onClipboard;
    } const cases[] = {
        {200, true, L"mine"},
        {3000, false, L"held"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("held for " + std::to_string(c.holdMs) + " ms");
        ClipboardHolder holder(c.holdMs);
        ASSERT_TRUE(holder.ok());
        SetLastError(ERROR_SUCCESS);
        const bool put = PutClipboardText(window.hwnd, L"mine");
        const DWORD error = GetLastError();
        holder.Join();
        EXPECT_EQ(put, c.put);
        if (!c.put) {
            EXPECT_EQ(error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
        }
        EXPECT_TRUE(ReadClipboard(window.hwnd).unicode == c.onClipboard);
    }
}

} // namespace
} // namespace inkwarden
