// Start with Windows: the Run value "Inkwarden", machine-wide where the user may write
// it, for the current user otherwise.
#pragma once

#include <windows.h>

#include <string>

namespace inkwarden {

extern const wchar_t kRunKeyPath[];   // Software\Microsoft\Windows\CurrentVersion\Run
extern const wchar_t kRunValueName[]; // L"Inkwarden"

// The two Run keys and the program they start. The program uses ThisProgramsRunKeys();
// tests use keys of their own.
struct RunKeys {
    HKEY machineRoot;
    std::wstring machineKey;
    HKEY userRoot;
    std::wstring userKey;
    std::wstring exePath;
};
RunKeys ThisProgramsRunKeys(); // HKLM and HKCU ...\Run, this executable

enum class AutoRunState {
    Untouched,       // not tried (the choice could not be stored in the settings file)
    AllUsers,        // the machine-wide value starts Inkwarden
    CurrentUser,     // the machine-wide key refused; the current user's value starts it
    Off,             // no Run value starts Inkwarden
    NotRegistered,   // enabling failed in both keys; `error` is the per-user key's reason
    StillRegistered, // disabling left a value that starts Inkwarden; `error` says why
};

struct AutoRunOutcome {
    AutoRunState state = AutoRunState::Untouched;
    DWORD error = ERROR_SUCCESS;
};

// Enabling stores the quoted executable path in the machine-wide Run key and removes a
// per-user value; when the machine-wide key cannot be written (no administrator
// rights) and does not hold the path already, the path goes to the current user's
// Run key instead. Disabling blanks the
// machine-wide value where it can and removes the per-user value.
AutoRunOutcome SetAutoRun(bool enable);
AutoRunOutcome SetAutoRunAt(const RunKeys& keys, bool enable);

} // namespace inkwarden
