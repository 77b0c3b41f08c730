// The settings window: style, start with Windows, minimise at start, author.
#pragma once

#include "settings/module1.h"
#include "ui/window.h"

#include <cstdint>
#include <string>

namespace inkwarden {

// How the writes of a save or reset went: the settings file (first failure) and the
// start-with-Windows registration.
struct SaveOutcome {
    bool fileOk = true;
    DWORD fileError = ERROR_SUCCESS;
    bool registered = true;
    DWORD runKeyError = ERROR_SUCCESS;
    bool Write(const wchar_t* key, const std::wstring& value); // true when written
    void Register(std::int16_t flag);
};

class set_ini : public Window {
public:
    explicit set_ini(SettingsTarget& mainWindow) : main_(mainWindow) {}

    // Modeless display; when the window is already open it is only activated.
    void ShowModeless();
    // Modal display (from the tray): the other windows accept no input until it closes.
    // Refused, returning false at once, while the window is already displayed.
    bool ShowModal(HWND mainWindow, HWND resultWindow);

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    bool Load();
    void Unload();
    void EnableOthers(); // ends the modal state
    void Form_Load();
    void ok_Click();
    void no_Click();
    void Option1_Click(int k);
    int SelectedOption() const;
    // Tells the user how a save or reset went; true when the settings file was written.
    bool Report(const SaveOutcome& outcome, const wchar_t* notDone, const wchar_t* done,
                const wchar_t* doneBut);

    SettingsTarget& main_;
    HWND disabled_[2] = {}; // windows disabled while this one is modal
};

} // namespace inkwarden
