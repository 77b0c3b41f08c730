// The settings file "scribbet.ini", the settings globals and LoadSettings.
#pragma once

#include <windows.h>

#include "core/hotkey.h"

#include <cstdint>
#include <optional>
#include <string>

namespace inkwarden {

// Process-wide settings; only LoadSettings writes them.
extern std::wstring IniPath;
extern std::wstring WriterName;
extern std::int16_t MinAtStart;
extern std::int16_t AutoRun;
extern std::int16_t CodeType;
extern std::wstring HotkeyText;  // the stored global hotkey, as written
extern std::wstring DatePicture; // the stored date picture; empty: the user's short date

extern const wchar_t kIniSection[];  // L"main"
extern const wchar_t kIniFileName[]; // L"scribbet.ini"

// The keys of section main. A setting's key is named here and nowhere else.
namespace keys {
inline constexpr wchar_t kCode[] = L"code";
inline constexpr wchar_t kWriter[] = L"writer";
inline constexpr wchar_t kMin[] = L"min";
inline constexpr wchar_t kRun[] = L"run";
inline constexpr wchar_t kHotkey[] = L"hotkey";
inline constexpr wchar_t kDate[] = L"date";
} // namespace keys

// The settings as a save stores them. Inside the program flags are bool; the file
// holds them as 1 and 0.
struct SettingsValues {
    std::optional<std::int16_t> code; // none: no style chosen, the stored code stays
    std::wstring writer;
    bool minAtStart = false;
    bool autoRun = false;
    std::optional<std::wstring> hotkey = std::nullopt; // the text to store; none: the stored one stays
    std::wstring date = std::wstring();                // the date picture; empty: the user's short date
};

// What a reset writes, and what a missing or unreadable number loads as.
extern const SettingsValues kResetValues;

// A flag as the file stores it: "1" or "0".
const wchar_t* FlagText(bool flag);

// What LoadSettings applies the settings to. The main window implements it; tests
// record the calls.
class SettingsTarget {
public:
    virtual void Minimise() = 0;
    virtual void SetStyleCaption(const std::wstring& caption) = 0;
    // The templates of one's own were read anew: OwnTemplates() holds them.
    virtual void ShowOwnTemplates() = 0;
    // Into every field that its template marks for the author, in every template.
    virtual void SetAuthor(const std::wstring& author) = 0;
    // The date picture the date fields are filled by; empty: the user's short date.
    virtual void SetDatePicture(const std::wstring& picture) = 0;
    // Registers the global hotkey at once in place of the current one; false when the
    // system refused it (another program holds it), leaving no hotkey.
    virtual bool SetHotkey(const Hotkey& hotkey) = 0;

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

// Which sections of one's own a load reads: all styles and templates, or only the stored
// style, which is all a start needs before its window shows (LoadOwnSections reads the
// rest).
enum class StyleSections { All, StoredOnly };

// Recomputes IniPath beside the executable, reads writer, min, run, code, hotkey and
// date (in this order) into the globals, selects the remark style and applies everything
// to target.
void LoadSettings(SettingsTarget& target, StyleSections styles = StyleSections::All);
// The same for a settings file in another folder (tests, and LoadSettings itself).
void LoadSettingsIn(const std::wstring& folder, SettingsTarget& target,
                    StyleSections styles = StyleSections::All);
// Reads every style and template of one's own from IniPath, keeping the style in force.
void LoadOwnSections();

} // namespace inkwarden
