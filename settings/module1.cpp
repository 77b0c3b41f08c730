#include "settings/module1.h"

#include "core/remark.h"
#include "core/setting_number.h"
#include "platform/platform.h"
#include "settings/custom_styles.h"

#include <utility>

namespace inkwarden {

std::wstring IniPath;
std::wstring WriterName;
std::int16_t MinAtStart = 0;
std::int16_t AutoRun = 0;
std::int16_t CodeType = 0;
std::wstring HotkeyText;
std::wstring DatePicture;

const wchar_t kIniSection[] = L"main";
const wchar_t kIniFileName[] = L"scribbet.ini";

const SettingsValues kResetValues = {std::int16_t{1}, L"www.inkwarden.dev",      false,
                                     false,           Widen(kDefaultHotkeyText), std::wstring()};

namespace {

// Reads the styles and templates of one's own (or only that style) into the core's tables.
void TakeOwnSections(CodeType_t onlyStyle) {
    OwnSections own = ReadOwnSections(IniPath, onlyStyle);
    SetCustomStyles(std::move(own.styles));
    SetOwnTemplates(std::move(own.templates));
}

std::int16_t FlagNumber(bool flag) {
    return flag ? 1 : 0;
}

} // namespace

const wchar_t* FlagText(bool flag) {
    return flag ? L"1" : L"0";
}

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

void LoadSettingsIn(const std::wstring& folder, SettingsTarget& target, StyleSections styles) {
    IniPath = IniPathIn(folder);
    // The whole section in one read: every profile call opens and parses the file anew.
    // Its values are those ReadIniValue gives; an absent file has none.
    const bool present = FileIsPresent(IniPath);
    const ProfileSection main = present ? ReadProfileSection(kIniSection, IniPath) : ProfileSection();
    auto number = [&main](const wchar_t* key, std::int16_t fallback) {
        return ParseSettingNumber(Narrow(main.Value(key)), fallback);
    };
    WriterName = main.Value(keys::kWriter);
    MinAtStart = number(keys::kMin, FlagNumber(kResetValues.minAtStart));
    AutoRun = number(keys::kRun, FlagNumber(kResetValues.autoRun));
    CodeType = number(keys::kCode, *kResetValues.code);
    // An absent key (or file) means the default; an empty value means no hotkey.
    HotkeyText = main.Has(keys::kHotkey) ? main.Value(keys::kHotkey) : *kResetValues.hotkey;
    DatePicture = main.Value(keys::kDate);

    // Styles and templates of one's own are read on every load, so a save picks up edits
    // to them too; a start reads only the stored style before its window shows.
    TakeOwnSections(styles == StyleSections::All ? CodeType_t{-1} : CodeType);
    const std::string language = SelectRemarkStyle(CodeType);
    if (MinAtStart == 1)
        target.Minimise();
    target.SetStyleCaption(Widen(StyleCaption(language)));
    target.ShowOwnTemplates();
    target.SetAuthor(WriterName);
    target.SetDatePicture(DatePicture);
}

void LoadSettings(SettingsTarget& target, StyleSections styles) {
    LoadSettingsIn(AppFolder(), target, styles);
}

void LoadOwnSections() {
    TakeOwnSections(-1);
}

} // namespace inkwarden
