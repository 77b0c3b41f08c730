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
    // Event handlers: thin, each runs the steps below.
    void func_Click(int k) { ShowOnlyPanel(k); }
    void ok_Click(int k) { ShowResult(BuildBlock(k)); }
    void Label3_Click() { Exit(); }
    void Label4_Click() { Minimise(); }
    void Label5_Click() { OpenSettings(); }
    void Form_MouseMove(WPARAM wParam, LPARAM lParam);
    void Form_DblClick(POINT pt);
    void Form_Unload();

    // Steps.
    void LoadImages();
    bool Create();
    void LayOutPanels();
    void FillFromSettings();
    void FillDates();
    void ShowOnlyPanel(int k); // the texts of hidden panels stay as they are
    std::wstring BuildBlock(int k) const;
    void ShowResult(const std::wstring& block);
    void Exit();
    void Restore();
    void OpenSettings();
    void OpenSettingsModal();
    bool OnFreeFrameSurface(POINT pt) const;
    void DrawTitleBand(const DRAWITEMSTRUCT& item);

    HICON iconLarge_ = nullptr;
    HICON iconSmall_ = nullptr;
    bool startMinimised_ = false;
    bool shown_ = false;
    TrayIcon tray_;
    for_ok result_;
    set_ini settings_;
};

} // namespace inkwarden
