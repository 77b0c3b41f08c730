#include "settings/autorun.h"

#include "platform/platform.h"

namespace inkwarden {

const wchar_t kRunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kRunValueName[] = L"Inkwarden";

namespace {

AutoRunOutcome Enable(const RunKeys& keys) {
    // Quoted: an unquoted path with blanks in a Run key lets Windows try "C:\Program.exe" first.
    const std::wstring command = L"\"" + keys.exePath + L"\"";
    // An administrator may have registered it for all users already; one registration
    // only, or the second start at log-on would meet the first one.
    if (SetRegistryString(keys.machineRoot, keys.machineKey, kRunValueName, command) ||
        ReadRegistryString(keys.machineRoot, keys.machineKey, kRunValueName) == command) {
        DeleteRegistryValue(keys.userRoot, keys.userKey, kRunValueName);
        return {AutoRunState::AllUsers, ERROR_SUCCESS};
    }
    if (SetRegistryString(keys.userRoot, keys.userKey, kRunValueName, command, true))
        return {AutoRunState::CurrentUser, ERROR_SUCCESS};
    return {AutoRunState::NotRegistered, GetLastError()};
}

AutoRunOutcome Disable(const RunKeys& keys) {
    bool machineOff = SetRegistryString(keys.machineRoot, keys.machineKey, kRunValueName, std::wstring());
    const DWORD machineError = GetLastError();
    // Without the rights to blank it, a machine-wide value that starts nothing (absent,
    // empty, or no Run key at all) is as good as blanked.
    if (!machineOff)
        machineOff = ReadRegistryString(keys.machineRoot, keys.machineKey, kRunValueName).empty();
    if (!DeleteRegistryValue(keys.userRoot, keys.userKey, kRunValueName))
        return {AutoRunState::StillRegistered, GetLastError()};
    if (!machineOff)
        return {AutoRunState::StillRegistered, machineError};
    return {AutoRunState::Off, ERROR_SUCCESS};
}

} // namespace

RunKeys ThisProgramsRunKeys() {
    return {HKEY_LOCAL_MACHINE, kRunKeyPath, HKEY_CURRENT_USER, kRunKeyPath, ExePath()};
}

AutoRunOutcome SetAutoRunAt(const RunKeys& keys, bool enable) {
    return enable ? Enable(keys) : Disable(keys);
}

AutoRunOutcome SetAutoRun(bool enable) {
    return SetAutoRunAt(ThisProgramsRunKeys(), enable);
}

} // namespace inkwarden
