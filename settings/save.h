// Saving and resetting the settings: the writes in their fixed order, the start-up
// registration, and the report of how it went.
#pragma once

#include "settings/autorun.h"
#include "settings/module1.h"

#include <functional>
#include <string>
#include <vector>

namespace inkwarden {

// Where a save goes: the program saves to IniPath and its Run keys (CurrentStore());
// tests to a scratch file and keys of their own.
struct SettingsStore {
    std::wstring iniPath;
    RunKeys runKeys;
    // Registers a saved hotkey at once; none: a save only stores it.
    std::function<bool(const Hotkey&)> registerHotkey = nullptr;
};
SettingsStore CurrentStore();

enum class SettingsAction { Save, Reset };

// What became of the hotkey of a save.
struct HotkeyOutcome {
    enum State {
        Untouched, // not part of the save, or its write failed
        Stored,    // written (and registered, where the store registers)
        Invalid,   // not a usable hotkey: not written, the stored one stays
        Refused,   // written, but the system refused it: there is no hotkey now
    } state = Untouched;
    std::wstring text; // as given, for the report
};

// What a save or reset stored, what failed and why.
struct SettingsOutcome {
    SettingsAction action = SettingsAction::Save;
    std::wstring iniPath;
    bool fileWritten = true;         // every write reached the settings file
    DWORD fileError = ERROR_SUCCESS; // the reason the first failed write gave
    AutoRunOutcome autoRun;          // Untouched when the run key itself was not stored
    HotkeyOutcome hotkey;
};

// Writes code (when chosen), run, then the registration following it, min, writer,
// the hotkey (when given), which `target` registers at once, and the date picture.
SettingsOutcome SaveSettings(const SettingsValues& values, SettingsTarget& target);
SettingsOutcome SaveSettingsTo(const SettingsStore& store, const SettingsValues& values);

// Writes kResetValues: code, writer, min, run, then disables start with Windows; then
// the hotkey and the date picture. Nothing is applied (the next save or start does).
SettingsOutcome ResetSettings();
SettingsOutcome ResetSettingsTo(const SettingsStore& store);

// A message for the user: its text and its message-box icon.
struct Notice {
    std::wstring text;
    UINT icon;
};

// The messages that tell the user how a save or reset went, in the order they are
// shown. Success is "设置成功！" or "重置成功！", followed by a note when start with
// Windows needed the per-user key or failed; a file that could not be written is one
// warning, which also tells about the registration.
std::vector<Notice> Report(const SettingsOutcome& outcome);

} // namespace inkwarden
