// The settings window: style, start with Windows, minimise at start, author, hotkey,
// date format.
#pragma once

#include "settings/save.h"
#include "shell/hotkey.h"
#include "ui/window.h"

namespace inkwarden {

class set_ini : public Window {
public:
    // The global hotkey lets the keys through while the hotkey control has the focus.
    set_ini(SettingsTarget& mainWindow, GlobalHotkey& hotkey) : main_(mainWindow), hotkey_(hotkey) {}

    // Modeless display; when the window is already open it is only activated.
    void ShowModeless();
    // Modal display (from the tray): the other windows accept no input until it closes.
    // Refused, returning false at once, while the window is already displayed.
    bool ShowModal(HWND mainWindow, HWND resultWindow);

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    // Event handlers: thin, each runs the steps below.
    bool Form_Load(); // false when the window could not be created
    void Option1_Click(int k) { SelectStyle(k); }
    void Combo1_Click();              // an entry of the list of styles of one's own was chosen
    void Label3_Click() { Unload(); } // nothing is written
    void ok_Click();
    void no_Click();

    // Steps.
    bool Create();
    void FillFromSettings();
    void SelectStyle(int code);                     // -1, or a code that names no style: none selected
    std::optional<std::int16_t> ListedCode() const; // the list's chosen style
    void FocusFirst();
    SettingsValues CollectValues() const;
    bool ShowReport(const SettingsOutcome& outcome); // true when the file was written
    void DisableOthers(HWND mainWindow, HWND resultWindow);
    void EnableOthers();
    void Unload();

    SettingsTarget& main_;
    GlobalHotkey& hotkey_;
    WORD shownHotkey_ = 0;  // the hotkey control's value as filled; unchanged keeps the stored text
    HWND disabled_[2] = {}; // windows disabled while this one is modal
};

} // namespace inkwarden
