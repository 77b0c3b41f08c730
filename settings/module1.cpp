#include "settings/module1.h"

#include "core/remark.h"
#include "core/setting_number.h"
#include "platform/platform.h"

namespace inkwarden {

std::wstring IniPath;
std::wstring WriterName;
std::int16_t MinAtStart = 0;
std::int16_t AutoRun = 0;
std::int16_t CodeType = 0;
std::wstring HotkeyText;

const wchar_t kIniSection[] = L"main";
const wchar_t kIniFileName[] = L"scribbet.ini";
const wchar_t kResetWriterName[] = L"www.inkwarden.dev";
const wchar_t kRunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kRunValueName[] = L"Inkwarden";
const wchar_t kResetHotkey[] = L"Ctrl+Alt+K";

namespace {

// The values a reset writes; a missing or unreadable number falls back to these.
constexpr std::int16_t kResetCode = 1;
constexpr std::int16_t kResetMin = 0;
constexpr std::int16_t kResetRun = 0;

std::int16_t ReadNumber(const wchar_t* key, std::int16_t fallback) {
    return ParseSettingNumber(Narrow(ReadIniValue(kIniSection, key, IniPath)), fallback);
}

} // namespace

std::wstring IniPathIn(const std::wstring& folder) {
    if (!folder.empty() && folder.back() == L'\\')
        return folder + kIniFileName;
    return folder + L"\\" + kIniFileName;
}

std::wstring ReadIniValue(const std::wstring& section, const std::wstring& key, const std::wstring& path) {
    if (!FileIsPresent(path))
        return std::wstring();
    return ReadProfileValue(section, key, path);
}

std::int16_t WriteIniValue(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                           const std::wstring& path) {
    // A missing file is created rather than the setting dropped. UTF-16 with a byte
    // order mark makes the profile calls keep the file in UTF-16, so an author name
    // outside the ANSI code page survives; an existing ANSI file stays ANSI.
    if (!FileIsPresent(path) && !CreateUnicodeTextFile(path))
        return 0;
    return WriteProfileValue(section, key, value, path) ? 1 : 0;
}

void LoadSettingsIn(const std::wstring& folder, SettingsTarget& target) {
    IniPath = IniPathIn(folder);
    WriterName = ReadIniValue(kIniSection, L"writer", IniPath);
    MinAtStart = ReadNumber(L"min", kResetMin);
    AutoRun = ReadNumber(L"run", kResetRun);
    CodeType = ReadNumber(L"code", kResetCode);
    // An absent key (or file) means the default; an empty value means no hotkey.
    HotkeyText = FileIsPresent(IniPath) ? ReadProfileValue(kIniSection, L"hotkey", IniPath, kResetHotkey)
                                        : std::wstring(kResetHotkey);

    const std::string language = SelectRemarkStyle(CodeType);
    if (MinAtStart == 1)
        target.Minimise();
    target.SetStyleCaption(Widen(StyleCaption(language)));
    for (int index : kAuthorInputs)
        target.SetInputText(index, WriterName);
}

void LoadSettings(SettingsTarget& target) {
    LoadSettingsIn(AppFolder(), target);
}

bool SetAutoRunAt(HKEY root, const std::wstring& subKey, std::int16_t flag, const std::wstring& exePath) {
    // Quoted: an unquoted path with blanks in a Run key lets Windows try "C:\Program.exe" first.
    const std::wstring data = flag == -1 ? L"\"" + exePath + L"\"" : std::wstring();
    return SetRegistryString(root, subKey, kRunValueName, data);
}

bool SetAutoRun(std::int16_t flag) {
    return SetAutoRunAt(HKEY_LOCAL_MACHINE, kRunKeyPath, flag, ExePath());
}

} // namespace inkwarden
