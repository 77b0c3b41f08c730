// The settings file "scribbet.ini", the settings globals, and start-up registration.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace inkwarden {

// Process-wide settings; only LoadSettings writes them.
extern std::wstring IniPath;
extern std::wstring WriterName;
extern std::int16_t MinAtStart;
extern std::int16_t AutoRun;
extern std::int16_t CodeType;
extern std::wstring HotkeyText; // the stored global hotkey, as written

extern const wchar_t kIniSection[];      // L"main"
extern const wchar_t kIniFileName[];     // L"scribbet.ini"
extern const wchar_t kResetWriterName[]; // the author a reset writes
extern const wchar_t kRunKeyPath[];      // Software\Microsoft\Windows\CurrentVersion\Run
extern const wchar_t kRunValueName[];    // L"Inkwarden"
extern const wchar_t kResetHotkey[];     // L"Ctrl+Alt+K", also when the key is absent

// What LoadSettings applies the settings to. The main window implements it; tests
// record the calls.
class SettingsTarget {
public:
    virtual void Minimise() = 0;
    virtual void SetStyleCaption(const std::wstring& caption) = 0;
    virtual void SetInputText(int index, const std::wstring& text) = 0; // txt0(index)

protected:
    ~SettingsTarget() = default;
};

// "scribbet.ini" in the given folder, with exactly one backslash between them.
std::wstring IniPathIn(const std::wstring& folder);

// The whole value of the key, or the empty text when the file is absent (or hidden,
// system, a folder) or has no such key.
std::wstring ReadIniValue(const std::wstring& section, const std::wstring& key, const std::wstring& path);

// Writes the key. An absent file is created first, as UTF-16 so any author name
// survives. Returns 1 when the value was written, 0 when it was not (the last error
// tells why: a read-only file, a folder that cannot be written, a hidden or system
// file or a folder of that name in the way).
std::int16_t WriteIniValue(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                           const std::wstring& path);

// Recomputes IniPath beside the executable, reads writer, min, run and code (in this
// order) into the globals, selects the remark style and applies everything to target.
void LoadSettings(SettingsTarget& target);
// The same for a settings file in another folder (tests, and LoadSettings itself).
void LoadSettingsIn(const std::wstring& folder, SettingsTarget& target);

// Start with Windows: -1 stores the quoted path of this executable in the machine-wide
// Run key; any other flag stores an empty value. True when the registry was changed;
// false, with the last error set, when it was not (no administrator rights, say).
bool SetAutoRun(std::int16_t flag);
// The same against any key and executable path (tests).
bool SetAutoRunAt(HKEY root, const std::wstring& subKey, std::int16_t flag, const std::wstring& exePath);

} // namespace inkwarden
