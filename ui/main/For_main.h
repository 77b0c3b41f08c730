// The main window: title band, template selector, the template panels.
#pragma once

#include "core/fill.h"
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
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace inkwarden {

class For_main : public Window, public SettingsTarget {
public:
    For_main();
    ~For_main() override;

    // The start-up sequence; false when the window could not be created.
    bool Form_Load();
    // Shows the window centred, normal or minimised as the settings left it.
    void Show();
    // What start-up leaves until the window is painted: the tray icon (and the trouble
    // its balloons tell) and the styles of one's own beyond the stored one. Runs once;
    // whatever needs them earlier calls it first.
    void FinishStart();

    // The continuation indent of the current style, on UTF-16 text.
    std::wstring gettxt(const std::wstring& text) const;

    // SettingsTarget
    void Minimise() override;
    void SetStyleCaption(const std::wstring& caption) override;
    void ShowOwnTemplates() override;
    void SetAuthor(const std::wstring& author) override;
    void SetDatePicture(const std::wstring& picture) override;
    bool SetHotkey(const Hotkey& hotkey) override;

    // A field's text, whether or not its template's panel has been made.
    std::wstring FieldText(int templ, int line) const;
    // The day the date fields follow; tests give one of their own.
    void SetClock(std::function<SYSTEMTIME()> clock) { clock_ = std::move(clock); }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;
    bool OnCtrlEnter(bool repeat) override;
    bool OnCtrlShiftV(bool repeat) override;

private:
    // Event handlers: thin, each runs the steps below.
    void func_Click(int k);
    void Combo1_Click(); // a template of one's own chosen in the list
    void ok_Click(int k);
    void Label3_Click() { Exit(); }
    void Label4_Click() { Minimise(); }
    void Label5_Click() { OpenSettings(); }
    void Form_MouseMove(WPARAM wParam, LPARAM lParam);
    void Form_DblClick(POINT pt);
    void Form_Unload();
    void Form_Hotkey();   // the global hotkey, pressed in any program
    void Form_Activate(); // the window comes up, by any way

    // A template's field texts and panel. Once the panel exists its inputs hold the texts.
    struct Panel {
        std::vector<std::wstring> texts;
        std::vector<std::wstring> confirmed; // at the last 确定, or as Inkwarden last put them
        std::vector<std::wstring> putDates;  // the date Inkwarden put in each field; empty: none
        bool created = false;
    };

    // Steps.
    void LoadIcons();
    bool Create();
    void LayOutPanels();
    void FillFromSettings();
    void FillDates();
    // Puts the text into every field of every template that the template marks so.
    void PrefillAll(Prefill kind, const std::wstring& text);
    Panel& PanelOf(int k); // the panel's texts, prefilled when first asked for
    void CreatePanel(int k);
    void CreateOwnList();
    void CreateOwnPanel(const TemplateDef& templ);
    void DestroyPanel(int k);
    void ShowPanel(int k, bool show);
    void ChooseTemplate(int k); // the option or the list entry, and the panel
    void ShowOnlyPanel(int k);  // the texts of hidden panels stay as they are
    std::vector<HWND> PanelControls(int k) const;
    HWND Input(int k, int line) const;
    void SetFieldText(int k, int line, const std::wstring& text);
    bool Typed(int k) const; // since the last 确定 in it, or since Inkwarden last filled it
    void Confirmed(int k);
    std::wstring BuildBlock(int k);
    void ShowResult(const std::wstring& block);
    std::wstring TodayText();
    void RefreshDates(); // date fields Inkwarden filled follow the day and the picture
    // Reads the clipboard into the templates: on the hotkey only when it is new and the
    // template holds nothing typed, on Ctrl+Shift+V always. True when it filled.
    bool FillFromClipboard(bool asked);
    void ApplyPlan(const FillPlan& plan, const std::wstring& copied);
    std::wstring ClipboardTextFor(const std::wstring& block) const;
    void NoteOwnCopy();
    void Exit();
    void Restore();
    void OpenSettings();
    void OpenSettingsModal();
    bool OnFreeFrameSurface(POINT pt) const;
    void DrawTitleBand(const DRAWITEMSTRUCT& item);
    // The hotkey of the settings; a value that does not parse or a combination another
    // program holds is told once in a balloon, and Inkwarden runs on without one.
    void RegisterHotkey();
    void Tell(const std::wstring& text, bool warning); // in a balloon, once the icon is there
    int VisiblePanel() const;
    HWND FirstEmptyInput() const; // of the visible panel; its first input when none is empty
    void ComeFromEditor(HWND editor);
    void BackToEditor();
    void PasteBack(); // after the result window copied the block and closed
    // After the result window closed any other way: the input the person confirmed from.
    void BackFromResult();

    HICON iconLarge_ = nullptr;
    HICON iconSmall_ = nullptr;
    bool startMinimised_ = false;
    bool shown_ = false;
    bool started_ = false; // FinishStart has run
    static constexpr UINT_PTR kFinishStartTimer = 1;
    std::vector<std::pair<std::wstring, bool>> untold_; // balloons waiting for the icon
    std::map<int, Panel> panels_;                       // by template code
    int shownPanel_ = 0;
    int lastConfirmed_ = -1;
    HWND lastInput_ = nullptr;                   // the input that last had the focus
    HWND returnInput_ = nullptr;                 // where the focus goes back when the result window closes
    std::array<HWND, kTemplateCount> func_ = {}; // the template options
    HWND ownList_ = nullptr;
    struct {
        HWND image, minimise, exit;
    } band_ = {}; // where the title band's parts are, asked at every paint of them
    std::wstring datePicture_;
    std::wstring pictureTold_; // the refused picture last told, so it is told once
    std::wstring lastDate_;    // the date text the fields were last filled with
    bool datesFilled_ = false;
    std::function<SYSTEMTIME()> clock_;
    DWORD clipboardSeen_ = 0;
    CodeType_t styleInForce_ = 0; // the stored style, or the one a fill chose for the session
    // After a fill: the template it filled, and how that template's block goes back.
    int pasteTemplate_ = -1;
    FillPlan pastePlan_;
    std::wstring copied_;
    TrayIcon tray_;
    GlobalHotkey hotkey_; // before the settings window, which suspends it
    EditorWindow editor_; // the window the hotkey was pressed in
    for_ok result_;
    set_ini settings_;
};

} // namespace inkwarden
