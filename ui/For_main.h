// The main window: title band, template selector, the four template panels.
#pragma once

#include "settings/module1.h"
#include "shell/sysico.h"
#include "ui/for_ok.h"
#include "ui/set_ini.h"
#include "ui/window.h"

#include <string>

namespace inkwarden {

class For_main : public Window, public SettingsTarget {
public:
    For_main();
    ~For_main() override;

    // The start-up sequence; false when the window could not be created.
    bool Form_Load();
    // Shows the window centred, normal or minimised as the settings left it.
    void Show();

    // The continuation indent of the current style, on UTF-16 text.
    std::wstring gettxt(const std::wstring& text) const;

    // SettingsTarget
    void Minimise() override;
    void SetStyleCaption(const std::wstring& caption) override;
    void SetInputText(int index, const std::wstring& text) override;

    std::wstring InputText(int index) const;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    void CreateControls();
    void LayOutPanels();
    void ShowOnlyPanel(int k); // the texts of hidden panels stay as they are
    void DrawTitleBand(const DRAWITEMSTRUCT& item);

    void func_Click(int k);
    void ok_Click(int k);
    void Label3_Click();
    void Label4_Click();
    void Label5_Click();
    void Form_MouseMove(WPARAM wParam, LPARAM lParam);
    void Form_DblClick(POINT pt);
    void Form_Unload();

    HICON iconLarge_ = nullptr;
    HICON iconSmall_ = nullptr;
    bool startMinimised_ = false;
    bool shown_ = false;
    TrayIcon tray_;
    for_ok result_;
    set_ini settings_;
};

} // namespace inkwarden
