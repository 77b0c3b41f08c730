#include "ui/For_main.h"

#include "assets/resource.h"
#include "core/remark.h"
#include "platform/platform.h"
#include "shell/window_utils.h"
#include "ui/control_ids.h"
#include "ui/title_band.h"

#include <algorithm>
#include <optional>

namespace inkwarden {

namespace {

constexpr int kWidth = 7575; // twips; borderless, so outer size = client size
constexpr int kHeight = 5895;

// Containers' origins in the window, in twips.
constexpr int kFraTopX = -240, kFraTopY = -120;
constexpr int kFrame1X = 120, kFrame1Y = 840;
constexpr int kPanelX = 120, kPanelY = 1800, kPanelW = 7335, kPanelH = 3975;

const wchar_t* const kTemplateNames[kTemplateCount] = {L"函数说明", L"过程说明", L"版权说明", L"文件头标识"};

// What only the window knows of a field: where its input and caption sit. The core's
// template table has the rest (label, multi-line, prefill).
struct FieldLayout {
    Twips rect; // of the input, in the panel
    int label;  // Label2 index of its caption
    const wchar_t* caption;
    int captionLeft, captionTop; // in the panel
};

// Row i is txt0(i): per panel, in focus order of the inputs (line 1 to 5).
const FieldLayout kFields[kInputCount] = {
    {{1080, 360, 2175, 375}, 2, L"开发人员：", 120, 360},
    {{4800, 360, 2295, 375}, 3, L"时间：", 4200, 360},
    {{1080, 840, 6015, 375}, 4, L"函数名称：", 120, 960},
    {{1080, 1440, 6015, 975}, 1, L"参数说明：", 120, 1440},
    {{1080, 2520, 6015, 855}, 0, L"功能说明：", 120, 2520},
    {{1080, 360, 2175, 375}, 7, L"开发人员：", 120, 360},
    {{4800, 360, 2295, 375}, 6, L"时间：", 4200, 360},
    {{1080, 840, 6015, 375}, 5, L"过程名称：", 120, 960},
    {{1080, 1440, 6015, 975}, 8, L"参数说明：", 120, 1440},
    {{1080, 2520, 6015, 855}, 9, L"功能说明：", 120, 2520},
    {{1080, 240, 6015, 855}, 12, L"版权说明：", 120, 360},
    {{1080, 1320, 2055, 375}, 10, L"工程：", 120, 1320},
    {{4080, 1320, 3015, 375}, 11, L"文件：", 3360, 1320},
    {{1080, 1920, 6015, 375}, 13, L"目的：", 120, 1920},
    {{1080, 2520, 6015, 855}, 14, L"更新说明：", 120, 2520},
    {{1200, 360, 2175, 375}, 19, L"开发人员：", 120, 360},
    {{4800, 360, 2055, 375}, 16, L"版本：", 4200, 360},
    {{1200, 1080, 2175, 375}, 15, L"创建时间：", 120, 1080},
    {{4800, 1080, 2055, 375}, 18, L"修改时间：", 3840, 1080},
    {{1200, 1920, 5775, 1455}, 17, L"功能说明：", 120, 1920},
};

// The title picture spans these window twips; the labels above it show its pixels.
constexpr Twips kImage1 = {kFraTopX - 840, kFraTopY + 120, 8820, 525};

Twips InPanel(const Twips& r) {
    return {kPanelX + r.left, kPanelY + r.top, r.width, r.height};
}

bool InRect(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

} // namespace

For_main::For_main() : settings_(*this, hotkey_) {
    result_.SetPasteBack([this] { PasteBack(); });
}

For_main::~For_main() = default;

bool For_main::Form_Load() {
    // 1. A second start tells the user and ends here, before any window exists.
    EnsureSingleInstance();

    LoadIcons();
    if (!Create())
        return false;
    // 2. Panels: only the one shown at start exists yet.
    LayOutPanels();
    // 3. Settings: style, minimise at start, style caption, author texts.
    FillFromSettings();
    // 4. Today's date.
    FillDates();
    // 5. The hotkey now, so a press in the first instant after start is not lost; the
    // tray icon, which tells its trouble, comes after the first paint (FinishStart).
    RegisterHotkey();
    return true;
}

void For_main::FinishStart() {
    if (started_)
        return;
    started_ = true;
    KillTimer(hwnd(), kFinishStartTimer);
    tray_.Add(hwnd(), iconSmall_);
    if (!hotkeyTrouble_.empty())
        tray_.ShowBalloon(hotkeyTrouble_, true);
    hotkeyTrouble_.clear();
    // The stored style was read at start; the settings window lists them all.
    LoadOtherStyles();
}

void For_main::LoadIcons() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const UINT systemDpi = WindowDpi(nullptr);
    iconLarge_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_INKWARDEN), IMAGE_ICON,
                                               GetSystemMetricsForDpi(SM_CXICON, systemDpi),
                                               GetSystemMetricsForDpi(SM_CYICON, systemDpi), LR_SHARED));
    iconSmall_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_INKWARDEN), IMAGE_ICON,
                                               GetSystemMetricsForDpi(SM_CXSMICON, systemDpi),
                                               GetSystemMetricsForDpi(SM_CYSMICON, systemDpi), LR_SHARED));
}

bool For_main::Create() {
    if (!CreateBorderless(L"Inkwarden.For_main", kProductTitle, iconLarge_, WS_MINIMIZEBOX | WS_SYSMENU,
                          WS_EX_APPWINDOW))
        return false;
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(iconSmall_));
    const DWORD label = WS_CHILD | SS_NOTIFY | SS_NOPREFIX;
    // Title band. Created first so it lies on top: the labels above the picture, the
    // picture above the frame whose edges the window clips.
    AddControl(L"STATIC", kProductTitle, label | SS_OWNERDRAW, ids::kTitle,
               {kFraTopX + 3360, kFraTopY + 240, 1215, 375});
    HWND minimise = AddControl(L"STATIC", L"最小化", label | SS_OWNERDRAW, ids::kMinimise,
                               {kFraTopX + 7200, kFraTopY + 120, 375, 375});
    HWND exit = AddControl(L"STATIC", L" 退出", label | SS_OWNERDRAW, ids::kExit,
                           {kFraTopX + 7560, kFraTopY + 120, 375, 375});
    HWND image = AddControl(L"STATIC", L"", label | SS_OWNERDRAW, ids::kImage1, kImage1);
    AddControl(L"BUTTON", L"", BS_GROUPBOX, ids::kFraTop, {kFraTopX, kFraTopY, 8055, 855});
    AddTooltip(minimise, L"最小化");
    AddTooltip(exit, L" 退出");
    MakeSpot(minimise);
    MakeSpot(exit);
    MakeCaption(image);

    // Template selector.
    const int funcLeft[kTemplateCount] = {240, 1320, 2400, 3600};
    const int funcWidth[kTemplateCount] = {1095, 1095, 1095, 1335};
    for (int k = 0; k < kTemplateCount; ++k) {
        // Two buttons are wider than the gap to their neighbour: end them where the
        // neighbour starts, or each would cover the next one's circle.
        const int width =
            k + 1 < kTemplateCount ? std::min(funcWidth[k], funcLeft[k + 1] - funcLeft[k]) : funcWidth[k];
        func_[k] = AddControl(L"BUTTON", kTemplateNames[k],
                              BS_AUTORADIOBUTTON | (k == 0 ? WS_GROUP | WS_TABSTOP : 0), ids::kFunc0 + k,
                              {kFrame1X + funcLeft[k], kFrame1Y + 240, width, 375});
    }
    // The others are made unchecked; CheckRadioButton would look each of them up.
    SendMessageW(func_[0], BM_SETCHECK, BST_CHECKED, 0);
    HWND settingsLabel = AddControl(L"STATIC", L"系统设置", label | WS_GROUP, ids::kSettingsLabel,
                                    {kFrame1X + 6240, kFrame1Y + 360, 975, 375});
    MakeSpot(settingsLabel);
    AddControl(L"BUTTON", L"", BS_GROUPBOX, ids::kFrame1, {kFrame1X, kFrame1Y, 7335, 855});

    return true;
}

void For_main::CreatePanel(int k) {
    if (panelCreated_[k])
        return;
    panelCreated_[k] = true;
    // Each panel in its focus order: in the function panel the confirm button comes
    // first, in the others last. Made after every control there is, so it also comes
    // last in the window's focus order, as it did when all panels were made at start.
    const Twips okRect = InPanel({6000, 3480, 975, 375});
    if (k == 0)
        AddControl(L"BUTTON", L"确定", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, ids::kOk0 + k, okRect);
    for (int line = 0; line < kFieldsPerTemplate; ++line) {
        const int index = k * kFieldsPerTemplate + line;
        const FieldLayout& f = kFields[index];
        const bool multiline = TemplateFieldAt(k, line).multiline;
        DWORD style = WS_TABSTOP | WS_BORDER | ES_LEFT;
        style |= multiline ? ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL : ES_AUTOHSCROLL;
        if (k != 0 && line == 0)
            style |= WS_GROUP;
        // The input shows the field's text from its first moment.
        AddControl(L"EDIT", texts_[index].c_str(), style, ids::kTxt0 + index, InPanel(f.rect),
                   FontKind::Input);
        AddControl(L"STATIC", f.caption, WS_CHILD | SS_NOTIFY | SS_NOPREFIX, ids::kLabel2_0 + f.label,
                   InPanel({f.captionLeft, f.captionTop, 1095, 375}));
    }
    if (k != 0)
        AddControl(L"BUTTON", L"确定", BS_PUSHBUTTON | WS_TABSTOP, ids::kOk0 + k, okRect);
    AddControl(L"BUTTON", kTemplateNames[k], BS_GROUPBOX, ids::kFraList0 + k,
               {kPanelX, kPanelY, kPanelW, kPanelH});
}

void For_main::FillFromSettings() {
    // The styles of one's own but the stored one wait for FinishStart.
    LoadSettings(*this, StyleSections::StoredOnly);
}

void For_main::FillDates() {
    const std::wstring today = CurrentShortDate();
    for (int index : PrefilledInputs(Prefill::Date))
        SetInputText(index, today);
}

void For_main::LayOutPanels() {
    // Every panel sits in the same place; only the chosen template's is visible. A panel
    // is made when it is first shown: at start only the function panel, the other three
    // would double the controls the start makes.
    ShowOnlyPanel(0);
}

void For_main::ShowOnlyPanel(int k) {
    // The panel going away is hidden first, so a panel made now never shows over it.
    for (int i = 0; i < kTemplateCount; ++i)
        if (i != k && panelCreated_[i])
            ShowPanel(i, false);
    shownPanel_ = k;
    if (!panelCreated_[k])
        CreatePanel(k); // made visible
    else
        ShowPanel(k, true);
}

void For_main::ShowPanel(int k, bool show) {
    const int how = show ? SW_SHOW : SW_HIDE;
    ShowWindow(Item(ids::kFraList0 + k), how);
    ShowWindow(Item(ids::kOk0 + k), how);
    for (int input = k * kFieldsPerTemplate; input < (k + 1) * kFieldsPerTemplate; ++input) {
        ShowWindow(Item(ids::kTxt0 + input), how);
        ShowWindow(Item(ids::kLabel2_0 + kFields[input].label), how);
    }
}

void For_main::Show() {
    CentreWithSize(TwipsToPixels(kWidth, dpi()), TwipsToPixels(kHeight, dpi()));
    // Also when started minimised: the first restore puts the focus there.
    SetRememberedFocus(Item(ids::kFunc0));
    ShowWindow(hwnd(), startMinimised_ ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
    shown_ = true;
    if (!startMinimised_)
        SetFocus(Item(ids::kFunc0));
    // The rest of the start waits until the window is painted: timer messages come only
    // after every paint, and the window is ready for the person by then.
    SetTimer(hwnd(), kFinishStartTimer, USER_TIMER_MINIMUM, nullptr);
}

std::wstring For_main::gettxt(const std::wstring& text) const {
    return Widen(inkwarden::gettxt(Narrow(text)));
}

void For_main::Minimise() {
    if (shown_)
        ShowWindow(hwnd(), SW_MINIMIZE);
    else
        startMinimised_ = true;
}

void For_main::SetStyleCaption(const std::wstring& caption) {
    SetWindowTextW(Item(ids::kFrame1), caption.c_str());
}

void For_main::SetInputText(int index, const std::wstring& text) {
    texts_[index] = text;
    if (panelCreated_[index / kFieldsPerTemplate])
        SetWindowTextW(Item(ids::kTxt0 + index), text.c_str());
}

std::wstring For_main::InputText(int index) const {
    // Once a panel exists, its inputs hold what the person typed.
    if (panelCreated_[index / kFieldsPerTemplate])
        return WindowText(Item(ids::kTxt0 + index));
    return texts_[index];
}

bool For_main::SetHotkey(const Hotkey& hotkey) {
    return hotkey_.Register(hwnd(), hotkey);
}

void For_main::RegisterHotkey() {
    const std::optional<Hotkey> hotkey = ParseHotkey(Narrow(HotkeyText));
    if (!hotkey)
        hotkeyTrouble_ = L"热键设置无效：" + HotkeyText;
    else if (!SetHotkey(*hotkey))
        hotkeyTrouble_ = L"热键 " + Widen(FormatHotkey(*hotkey)) + L" 已被其他程序占用";
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

int For_main::VisiblePanel() const {
    return shownPanel_;
}

HWND For_main::FirstEmptyInput() const {
    const int first = VisiblePanel() * kFieldsPerTemplate;
    for (int index = first; index < first + kFieldsPerTemplate; ++index)
        if (GetWindowTextLengthW(Item(ids::kTxt0 + index)) == 0)
            return Item(ids::kTxt0 + index);
    return Item(ids::kTxt0 + first);
}

void For_main::ComeFromEditor(HWND editor) {
    editor_.Remember(editor);
    ShowWindow(hwnd(), IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
    if (!IsWindowEnabled(hwnd())) {
        // The settings window is open modally: it is what takes keys now.
        BringToFront(settings_.hwnd());
        return;
    }
    BringToFront(hwnd());
    HWND input = FirstEmptyInput();
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

void For_main::Form_MouseMove(WPARAM wParam, LPARAM lParam) {
    switch (DecodeTrayNotification(wParam, lParam)) {
    case TrayAction::LeftPress:
        Restore();
        break;
    case TrayAction::RightPress:
        OpenSettingsModal();
        break;
    case TrayAction::None:
        break;
    }
}

void For_main::Form_DblClick(POINT pt) {
    if (OnFreeFrameSurface(pt))
        OpenSettings();
}

std::wstring For_main::BuildBlock(int k) const {
    TemplateFields fields;
    for (int line = 0; line < kFieldsPerTemplate; ++line)
        fields[line] = Narrow(InputText(k * kFieldsPerTemplate + line));
    return Widen(BuildRemarkBlock(k, fields));
}

void For_main::ShowResult(const std::wstring& block) {
    if (!result_.IsOpen())
        result_.Form_Load(hwnd());
    result_.SetText(block);
    result_.Show();
}

void For_main::Exit() {
    tray_.Remove();
    EndProcess(0);
}

void For_main::Restore() {
    ShowWindow(hwnd(), SW_RESTORE);
    BringToFront(hwnd());
}

void For_main::OpenSettings() {
    FinishStart(); // it lists every style of one's own
    settings_.ShowModeless();
}

void For_main::OpenSettingsModal() {
    settings_.ShowModal(hwnd(), result_.hwnd());
    // Only a settings window that was already open (the modal display was refused)
    // is brought to the front; a closed one stays closed.
    if (settings_.IsOpen())
        BringToFront(settings_.hwnd());
}

bool For_main::OnFreeFrameSurface(POINT pt) const {
    // Reaches the window only over a frame's free surface: inputs, captions and buttons
    // take their own clicks.
    auto rectOf = [this](int id) {
        RECT r;
        GetWindowRect(Item(id), &r);
        MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    bool onFrame = InRect(rectOf(ids::kFrame1), pt);
    for (int k = 0; k < kTemplateCount && !onFrame; ++k)
        onFrame = IsWindowVisible(Item(ids::kFraList0 + k)) && InRect(rectOf(ids::kFraList0 + k), pt);
    return onFrame;
}

void For_main::Form_Unload() {
    tray_.Remove();
}

void For_main::OnDestroy() {
    Form_Unload();
}

void For_main::DrawTitleBand(const DRAWITEMSTRUCT& item) {
    // Each part of the band (the picture, and the labels above it) draws the whole band
    // shifted to its own place and clipped to itself, which is what makes the labels
    // look transparent.
    auto inWindow = [this](int id) {
        RECT r;
        GetWindowRect(Item(id), &r);
        MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    TitleBandPlace place = {inWindow(ids::kImage1), inWindow(ids::kMinimise), inWindow(ids::kExit)};
    RECT client;
    GetClientRect(hwnd(), &client);
    IntersectRect(&place.exit, &place.exit, &client); // the spot reaches past the window's edge
    const RECT control = inWindow(static_cast<int>(item.CtlID));
    POINT oldOrigin;
    SetViewportOrgEx(item.hDC, -control.left, -control.top, &oldOrigin);
    PaintTitleBand(item.hDC, dpi(), place);
    SetViewportOrgEx(item.hDC, oldOrigin.x, oldOrigin.y, nullptr);
    if (item.CtlID == static_cast<UINT>(ids::kTitle)) {
        HGDIOBJ oldFont =
            SelectObject(item.hDC, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, GetSysColor(COLOR_HIGHLIGHTTEXT));
        RECT text = item.rcItem;
        DrawTextW(item.hDC, kProductTitle, -1, &text, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(item.hDC, oldFont);
    }
}

LRESULT For_main::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == TrayIcon::TaskbarCreatedMessage() && msg != 0) {
        tray_.Readd(); // Explorer restarted: the icon must come back
        return 0;
    }
    switch (msg) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (id >= ids::kFunc0 && id < ids::kFunc0 + kTemplateCount && code == BN_CLICKED)
            func_Click(id - ids::kFunc0);
        else if (id >= ids::kOk0 && id < ids::kOk0 + kTemplateCount && code == BN_CLICKED)
            ok_Click(id - ids::kOk0);
        else if (id == ids::kExit && code == STN_CLICKED)
            Label3_Click();
        else if (id == ids::kMinimise && code == STN_CLICKED)
            Label4_Click();
        else if (id == ids::kSettingsLabel && code == STN_CLICKED)
            Label5_Click();
        return 0;
    }
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        DrawTitleBand(*item);
        return TRUE;
    }
    case WM_MOUSEMOVE:
        Form_MouseMove(wParam, lParam);
        return 0;
    case WM_HOTKEY:
        if (wParam == kGlobalHotkeyId)
            Form_Hotkey();
        return 0;
    case WM_TIMER:
        if (wParam == kFinishStartTimer)
            FinishStart();
        return 0;
    case WM_LBUTTONDBLCLK:
        Form_DblClick({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    case WM_ENDSESSION:
        if (wParam)
            Form_Unload(); // the session ends without destroying the window
        return 0;
    default:
        return Window::OnMessage(msg, wParam, lParam);
    }
}

} // namespace inkwarden
