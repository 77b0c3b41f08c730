#include "ui/for_ok.h"

#include "platform/platform.h"
#include "shell/window_utils.h"
#include "ui/control_ids.h"

namespace inkwarden {

namespace {

// Controls sit in a frame whose origin is at -120, -120 in the window; these are
// window positions in twips.
constexpr int kFrameX = -120, kFrameY = -120;

Twips InFrame(int left, int top, int width, int height) {
    return {kFrameX + left, kFrameY + top, width, height};
}

const wchar_t kCaption[] = L"   Inkwarden                                         注 释 内 容";
const wchar_t kCredit[] = L"Inkwarden                                    Inkwarden Team";
const wchar_t kCreditTip[] = L"Inkwarden Team  https://www.inkwarden.dev";
const wchar_t kCopyTip[] = L"复制到剪贴板。Ctrl+Enter：复制，关闭本窗口，并粘贴回原来的编辑器";

} // namespace

void for_ok::Form_Load(HWND mainWindow) {
    if (IsOpen() || !Create(mainWindow))
        return;
    SetTopmost(hwnd(), true);
}

bool for_ok::Create(HWND mainWindow) {
    RECT main;
    GetWindowRect(mainWindow, &main);
    if (!CreateBorderless(L"Inkwarden.for_ok", L"Form2", nullptr, WS_MINIMIZEBOX | WS_SYSMENU, 0))
        return false;
    const DWORD label = SS_NOTIFY | SS_NOPREFIX;
    // "X" lies above the caption bar, so it is created first.
    HWND close =
        AddControl(L"STATIC", L"X", label | SS_CENTER, ids::kResultClose, InFrame(7440, 120, 255, 255));
    HWND caption = AddControl(L"STATIC", kCaption, label | SS_LEFTNOWORDWRAP, ids::kResultCaption,
                              InFrame(120, 120, 7575, 375));
    AddControl(L"EDIT", L"",
               WS_TABSTOP | WS_GROUP | WS_BORDER | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_AUTOHSCROLL |
                   ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL,
               ids::kText1, InFrame(240, 600, 7335, 4815), FontKind::Fixed);
    AddControl(L"BUTTON", L"返回", BS_PUSHBUTTON | WS_TABSTOP, ids::kBack, InFrame(5160, 5520, 975, 375));
    HWND copy = AddControl(L"BUTTON", L"复制注释", BS_PUSHBUTTON | WS_TABSTOP, ids::kCopy,
                           InFrame(6120, 5520, 1095, 375));
    HWND credit = AddControl(L"STATIC", kCredit, label | SS_LEFTNOWORDWRAP, ids::kCredit,
                             InFrame(360, 5640, 4215, 375));
    AddControl(L"BUTTON", L"", BS_GROUPBOX, ids::kResultFrame, {kFrameX, kFrameY, 7695, 6135});
    AddTooltip(copy, kCopyTip);
    AddTooltip(credit, kCreditTip);
    MakeCaptionBar(caption, close);

    // The main window's outer size; centred on the screen, so it covers an unmoved main window.
    CentreWithSize(main.right - main.left, main.bottom - main.top);
    return true;
}

void for_ok::SetText(const std::wstring& text) {
    SetWindowTextW(Item(ids::kText1), text.c_str());
}

std::wstring for_ok::Text() const {
    return WindowText(Item(ids::kText1));
}

void for_ok::Show() {
    if (IsIconic(hwnd()))
        ShowWindow(hwnd(), SW_RESTORE);
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    SetFocus(Item(ids::kText1));
}

bool for_ok::CopyToClipboard(const std::wstring& text) {
    if (PutClipboardText(hwnd(), text)) {
        if (owner_.copied)
            owner_.copied();
        return true;
    }
    ShowMessage(hwnd(), L"复制失败：剪贴板正被其他程序占用，注释内容没有复制。请稍后再试。", MB_ICONWARNING);
    return false;
}

void for_ok::CopyAndPasteBack() {
    // A block that is not on the clipboard keeps the window open: nothing is pasted
    // that was not copied.
    if (!CopyToClipboard(owner_.clipboardText ? owner_.clipboardText(Text()) : Text()))
        return;
    Close();
    if (owner_.pasteBack)
        owner_.pasteBack();
}

void for_ok::Unload() {
    // The main window is activated before this one goes, so the system never hands the
    // activation to some other program's window in between: the person's next keys go
    // to the input they left.
    if (owner_.closed)
        owner_.closed();
    Close();
}

bool for_ok::OnCtrlEnter(bool repeat) {
    if (!repeat)
        CopyAndPasteBack();
    return true;
}

LRESULT for_ok::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE: // Alt+F4, or 关闭 in the taskbar button's menu
        Unload();
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case ids::kResultClose:
            if (HIWORD(wParam) == STN_CLICKED)
                Label3_Click();
            return 0;
        case ids::kBack:
        case IDCANCEL: // Escape works as 返回
            Command1_Click();
            return 0;
        case ids::kCopy:
            Command2_Click();
            return 0;
        default:
            return 0;
        }
    default:
        break;
    }
    return Window::OnMessage(msg, wParam, lParam);
}

} // namespace inkwarden
