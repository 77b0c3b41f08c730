// The settings window: style, start with Windows, minimise at start, author.
#pragma once

#include "settings/module1.h"
#include "ui/window.h"

namespace inkwarden {

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
    void Form_Load();
    void ok_Click();
    void no_Click();
    void Option1_Click(int k);
    int SelectedOption() const;

    SettingsTarget& main_;
    HWND disabled_[2] = {}; // windows disabled while this one is modal
};

} // namespace inkwarden
