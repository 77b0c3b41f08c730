// The Win32 services the rooms above call. This is the only place that knows how a
// profile, registry, clipboard or text-conversion call is made.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace inkwarden {

extern const wchar_t kProductTitle[]; // L"Inkwarden": message-box title, tray tip, window text

// UTF-8 (the core's text) <-> UTF-16 (Win32's text). Invalid UTF-8 becomes U+FFFD.
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);
// Bytes in an ANSI code page <-> UTF-16. Strict: false for bytes that are not text in that
// code page; else they become the code page's default character. Into a code page: false
// when a character has no place in it (no look-alike is put in its stead).
bool WidenFromCodePage(unsigned codePage, std::string_view bytes, std::wstring& out, bool strict);
bool NarrowToCodePage(unsigned codePage, const std::wstring& text, std::string& out);
// Console output written as UTF-8 shows as such (the command line's, in a console window);
// returns the code page it had, which the program gives back before it ends, since the
// console outlives it.
unsigned UseUtf8Console();
void RestoreConsole(unsigned codePage);
// Without the blanks (spaces and tabs) at its ends.
std::wstring TrimBlanks(const std::wstring& s);

// The whole text of a window or control.
std::wstring WindowText(HWND hwnd);

// Full path of the running executable (GetModuleFileNameW, no length limit).
std::wstring ExePath();
// Folder of the running executable: no trailing backslash, except a drive root ("C:\").
std::wstring AppFolder();
// File name of the running executable without folder and extension.
std::wstring ExeName();
// Folder part of a full path, by the same rule as AppFolder.
std::wstring FolderOf(const std::wstring& path);

// True when a normal file exists at exactly this path: not a folder, not hidden, not system.
bool FileIsPresent(const std::wstring& path);
// Creates an empty UTF-16LE text file (just the byte order mark); fails if anything
// exists at the path. Sets the last error on failure.
bool CreateUnicodeTextFile(const std::wstring& path);

// Today's date in the user's short date format, without time of day.
std::wstring CurrentShortDate();
// Today, by the local clock.
SYSTEMTIME CurrentDay();
// A day as text: by a date picture as the system's date formatting takes it (yyyy-MM-dd,
// literal text in single quotes), or in the user's short date format for an empty
// picture. Empty when the system refuses the picture.
std::wstring DateText(const SYSTEMTIME& day, const std::wstring& picture);

// Layout: twips are 1/1440 inch; pixels = twips * dpi / 1440.
UINT WindowDpi(HWND hwnd);
int TwipsToPixels(int twips, UINT dpi);

// Information message box titled Inkwarden; modal to the owner, or to the whole
// task when there is none. Returns when the user dismisses it.
void ShowMessage(HWND owner, const std::wstring& text, UINT icon = MB_ICONINFORMATION);

// The system's own description of a Win32 error code, in the user's language.
std::wstring ErrorText(DWORD error);

// Whether a process of that id runs (true too when the system will not say).
bool ProcessIsRunning(DWORD processId);

// Ends the process at once, without running any window's unload handling.
[[noreturn]] void EndProcess(UINT exitCode = 0);

// Replaces the clipboard content by the text (CF_UNICODETEXT, with CF_LOCALE for
// Chinese (PRC) so ANSI readers get code page 936). Retries for a short while when
// another program holds the clipboard. False, with the last error set, on failure.
bool PutClipboardText(HWND owner, const std::wstring& text);
// Changes whenever the clipboard gets new content (GetClipboardSequenceNumber).
DWORD ClipboardChangeCount();
// The clipboard's text, unless there is none, it is longer than maxChars (then it is not
// read at all) or another program holds the clipboard.
bool ReadClipboardText(HWND owner, std::size_t maxChars, std::wstring& text);

// The whole value of a key of a profile (INI) file, however long; `absent` when the
// section or key is absent.
std::wstring ReadProfileValue(const std::wstring& section, const std::wstring& key, const std::wstring& path,
                              const std::wstring& absent = std::wstring());
// The names of all sections of a profile file, in file order.
std::vector<std::wstring> ReadProfileSectionNames(const std::wstring& path);
// A whole section of a profile file, read with one call: much cheaper than a call per
// key when many keys are wanted, since every profile call opens the file again.
struct ProfileSection {
    struct Entry {
        std::wstring key, value;
    };
    std::vector<Entry> entries; // in file order; comments and lines without '=' left out
    // The value ReadProfileValue would return for the key: blanks around it dropped,
    // one pair of matching quotes removed; empty when the key is absent.
    std::wstring Value(const std::wstring& key) const;
    bool Has(const std::wstring& key) const;
    const Entry* Find(const std::wstring& key) const; // the first entry of the key
};
ProfileSection ReadProfileSection(const std::wstring& section, const std::wstring& path);
// Sets a key of a profile file, keeping the file's encoding. False, with the last
// error set, when the platform could not write it.
bool WriteProfileValue(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                       const std::wstring& path);

// Sets a REG_SZ value under a key that exists (or, with createKey, is created). False,
// with the last error set, when the key cannot be opened for writing or the value
// cannot be set.
bool SetRegistryString(HKEY root, const std::wstring& subKey, const std::wstring& name,
                       const std::wstring& data, bool createKey = false);
// The text of a REG_SZ value; empty when the key or value is absent, empty or unreadable.
std::wstring ReadRegistryString(HKEY root, const std::wstring& subKey, const std::wstring& name);
// Removes a value. True when it is gone afterwards (also when it, or its key, never
// existed); false, with the last error set, when it could not be removed.
bool DeleteRegistryValue(HKEY root, const std::wstring& subKey, const std::wstring& name);

// The mandatory integrity level of a process (SECURITY_MANDATORY_*_RID); 0 when it
// cannot be read (no such process, no access, or a system without levels).
DWORD ProcessIntegrityLevel(DWORD processId);

} // namespace inkwarden
