// The main window: title band, template selector, the four template panels.
#pragma once

#include "core/hotkey.h"
#include "core/remark.h"
#include "settings/module1.h"
#include "shell/hotkey.h"
#include "shell/paste_back.h"
#include "shell/sysico.h"
#include "ui/for_ok.h"
#include "ui/set_ini.h"
#include "ui/window.h"

#include <array>
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
    // What start-up leaves until the window is painted: the tray icon (and the hotkey's
    // trouble in its balloon) and the styles of one's own beyond the stored one. Runs
    // once; whatever needs them earlier calls it first.
    void FinishStart();

    // The continuation indent of the current style, on UTF-16 text.
    std::wstring gettxt(const std::wstring& text) const;

    // SettingsTarget
    void Minimise() override;
    void SetStyleCaption(const std::wstring& caption) override;
    void SetInputText(int index, const std::wstring& text) override;
    bool SetHotkey(const Hotkey& hotkey) override;

    std::wstring InputText(int index) const;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;
    bool OnCtrlEnter(bool repeat) override;

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
    void Form_Hotkey(); // the global hotkey, pressed in any program

    // Steps.
    void LoadIcons();
    bool Create();
    void LayOutPanels();
    void CreatePanel(int k); // once, the first time template k is shown
    void ShowPanel(int k, bool show);
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
    // The hotkey of the settings; a value that does not parse or a combination another
    // program holds is told once in a balloon, and Inkwarden runs on without one.
    void RegisterHotkey();
    int VisiblePanel() const;
    HWND FirstEmptyInput() const; // of the visible panel; its first input when none is empty
    void ComeFromEditor(HWND editor);
    void BackToEditor();
    void PasteBack(); // after the result window copied the block and closed

    HICON iconLarge_ = nullptr;
    HICON iconSmall_ = nullptr;
    bool startMinimised_ = false;
    bool shown_ = false;
    bool started_ = false; // FinishStart has run
    static constexpr UINT_PTR kFinishStartTimer = 1;
    std::wstring hotkeyTrouble_; // told once the tray icon is there
    // The field texts, txt0 by index; a panel's inputs hold them once the panel exists.
    std::array<std::wstring, kInputCount> texts_;
    std::array<bool, kTemplateCount> panelCreated_ = {};
    int shownPanel_ = 0;
    std::array<HWND, kTemplateCount> func_ = {}; // the template options
    TrayIcon tray_;
    GlobalHotkey hotkey_; // before the settings window, which suspends it
    EditorWindow editor_; // the window the hotkey was pressed in
    for_ok result_;
    set_ini settings_;
};

} // namespace inkwarden
