// The way from the editor and back: the global hotkey brings the window up, a confirm
// shows the block, and Ctrl+Enter in the result window pastes it where the person was.
#include "ui/main/For_main.h"

#include "platform/platform.h"
#include "shell/window_utils.h"

#include <optional>

namespace inkwarden {

bool For_main::SetHotkey(const Hotkey& hotkey) {
    return hotkey_.Register(hwnd(), hotkey);
}

void For_main::RegisterHotkey() {
    const std::optional<Hotkey> hotkey = ParseHotkey(Narrow(HotkeyText));
    if (!hotkey)
        Tell(L"热键设置无效：" + HotkeyText, true);
    else if (!SetHotkey(*hotkey))
        Tell(L"热键 " + Widen(FormatHotkey(*hotkey)) + L" 已被其他程序占用", true);
}

void For_main::Form_Hotkey() {
    FinishStart();
    HWND active = GetForegroundWindow();
    if (active == hwnd() && !IsIconic(hwnd()))
        BackToEditor(); // a toggle
    else
        ComeFromEditor(active);
}

bool For_main::OnCtrlEnter(bool repeat) {
    if (!repeat)
        ok_Click(VisiblePanel());
    return true;
}

void For_main::ok_Click(int k) {
    // A click on 确定 has taken the focus from the input the person was in; Ctrl+Enter
    // has not. Either way that input is where they come back to.
    returnInput_ = Input(k, 0);
    const TemplateDef* templ = FindTemplate(k);
    for (int line = 0; lastInput_ && templ && line < static_cast<int>(templ->fields.size()); ++line)
        if (Input(k, line) == lastInput_)
            returnInput_ = lastInput_;
    ShowResult(BuildBlock(k));
}

void For_main::BackFromResult() {
    if (!returnInput_ || !IsWindowVisible(returnInput_))
        returnInput_ = Input(VisiblePanel(), 0);
    SetRememberedFocus(returnInput_);
    if (IsIconic(hwnd()))
        ShowWindow(hwnd(), SW_RESTORE);
    BringToFront(hwnd());
    SetFocus(returnInput_);
}

std::wstring For_main::BuildBlock(int k) {
    TemplateFields fields;
    const TemplateDef* templ = FindTemplate(k);
    for (std::size_t line = 0; templ && line < templ->fields.size(); ++line)
        fields[line] = Narrow(FieldText(k, static_cast<int>(line)));
    Confirmed(k);
    return Widen(BuildRemarkBlock(k, fields));
}

void For_main::ShowResult(const std::wstring& block) {
    if (!result_.IsOpen())
        result_.Form_Load(hwnd());
    result_.SetText(block);
    result_.Show();
}

HWND For_main::FirstEmptyInput() const {
    const int k = VisiblePanel();
    const TemplateDef* templ = FindTemplate(k);
    const int n = templ ? static_cast<int>(templ->fields.size()) : 0;
    for (int line = 0; line < n; ++line)
        if (GetWindowTextLengthW(Input(k, line)) == 0)
            return Input(k, line);
    return Input(k, 0);
}

void For_main::ComeFromEditor(HWND editor) {
    editor_.Remember(editor);
    ShowWindow(hwnd(), IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
    if (!IsWindowEnabled(hwnd())) {
        // The settings window is open modally: it is what takes keys now.
        BringToFront(settings_.hwnd());
        return;
    }
    const bool filled = FillFromClipboard(false);
    // What was copied for an earlier round trip is not what the editor holds selected now.
    if (!filled)
        pasteTemplate_ = -1;
    BringToFront(hwnd());
    HWND input = filled && pastePlan_.focusField >= 0 ? Input(pastePlan_.templ, pastePlan_.focusField)
                                                      : FirstEmptyInput();
    SetRememberedFocus(input);
    SetFocus(input);
}

void For_main::BackToEditor() {
    ShowWindow(hwnd(), SW_MINIMIZE);
    ActivateEditor(editor_);
}

void For_main::PasteBack() {
    // Without the editor the person came from, the block stays on the clipboard only.
    if (!editor_.Get())
        return;
    // What was around the block has gone back with it.
    pasteTemplate_ = -1;
    ShowWindow(hwnd(), SW_MINIMIZE);
    switch (PasteInto(editor_)) {
    case PasteOutcome::Pasted:
    case PasteOutcome::NoEditor:
        break;
    case PasteOutcome::Elevated:
        tray_.ShowBalloon(L"注释已复制到剪贴板。编辑器以更高权限（管理员）运行，无法自动粘贴，请在编辑器中按 "
                          L"Ctrl+V 粘贴。",
                          false);
        break;
    case PasteOutcome::NotActivated:
        tray_.ShowBalloon(L"注释已复制到剪贴板。无法切换到原来的编辑器，请在编辑器中按 Ctrl+V 粘贴。", false);
        break;
    }
}

} // namespace inkwarden
