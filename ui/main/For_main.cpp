// The main window: its start, its controls outside the panels, and its messages, each
// handed to a named step. The steps live beside it: the panels and their field texts
// (panels.cpp), a fill from what was copied (fill.cpp), and the round trip from the
// editor and back (round_trip.cpp).
#include "ui/main/For_main.h"

#include "assets/resource.h"
#include "core/remark.h"
#include "platform/platform.h"
#include "shell/window_utils.h"
#include "ui/control_ids.h"
#include "ui/main/layout.h"
#include "ui/title_band.h"

#include <algorithm>

namespace inkwarden {

namespace {

// The title picture spans these window twips; the labels above it show its pixels.
constexpr Twips kImage1 = {kFraTopX - 840, kFraTopY + 120, 8820, 525};

// Where a control is, in its window's client pixels.
RECT RectIn(HWND window, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool InRect(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

} // namespace

For_main::For_main() : clock_(&CurrentDay), settings_(*this, hotkey_) {
    result_.SetOwner({[this](const std::wstring& block) { return ClipboardTextFor(block); },
                      [this] { PasteBack(); }, [this] { NoteOwnCopy(); }, [this] { BackFromResult(); }});
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
    // 3. Settings: style, minimise at start, style caption, templates, author texts.
    FillFromSettings();
    // 4. Today's date.
    FillDates();
    // 5. The hotkey now, so a press in the first instant after start is not lost; the
    // tray icon, which tells its trouble, comes after the first paint (FinishStart).
    RegisterHotkey();
    // What was on the clipboard before the start is not what the person copied for it.
    clipboardSeen_ = ClipboardChangeCount();
    return true;
}

void For_main::FinishStart() {
    if (started_)
        return;
    started_ = true;
    KillTimer(hwnd(), kFinishStartTimer);
    tray_.Add(hwnd(), iconSmall_);
    for (const auto& [text, warning] : untold_)
        tray_.ShowBalloon(text, warning);
    untold_.clear();
    // The stored style was read at start; the settings window lists every style, the main
    // window every template of one's own.
    LoadOwnSections();
    CreateOwnList();
    ShowOwnTemplates();
}

void For_main::Tell(const std::wstring& text, bool warning) {
    if (started_)
        tray_.ShowBalloon(text, warning);
    else
        untold_.push_back({text, warning});
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
                          WS_EX_APPWINDOW, {kWidth, kHeight}))
        return false;
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(iconSmall_));
    const DWORD label = WS_CHILD | SS_NOTIFY | SS_NOPREFIX;
    // Title band. Created first so it lies on top: the labels above the picture, the
    // picture above the frame whose edges the window clips.
    AddControl(L"STATIC", kProductTitle, label | SS_OWNERDRAW, ids::kTitle,
               {kFraTopX + 3360, kFraTopY + 240, 1215, 375});
    HWND minimise = band_.minimise = AddControl(L"STATIC", L"最小化", label | SS_OWNERDRAW, ids::kMinimise,
                                                {kFraTopX + 7200, kFraTopY + 120, 375, 375});
    HWND exit = band_.exit = AddControl(L"STATIC", L" 退出", label | SS_OWNERDRAW, ids::kExit,
                                        {kFraTopX + 7560, kFraTopY + 120, 375, 375});
    HWND image = band_.image = AddControl(L"STATIC", L"", label | SS_OWNERDRAW, ids::kImage1, kImage1);
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
    // The list of templates of one's own comes after the first paint (CreateOwnList).
    HWND settingsLabel = AddControl(L"STATIC", L"系统设置", label | WS_GROUP, ids::kSettingsLabel,
                                    {kFrame1X + 6240, kFrame1Y + 360, 975, 375});
    MakeSpot(settingsLabel);
    AddControl(L"BUTTON", L"", BS_GROUPBOX, ids::kFrame1, {kFrame1X, kFrame1Y, 7335, 855});
    return true;
}

void For_main::FillFromSettings() {
    // The styles of one's own but the stored one wait for FinishStart.
    LoadSettings(*this, StyleSections::StoredOnly);
}

void For_main::LayOutPanels() {
    // Every panel sits in the same place; only the chosen template's is visible. A panel
    // is made when it is first shown: at start only the function panel, the other three
    // would double the controls the start makes.
    ShowOnlyPanel(0);
}

void For_main::func_Click(int k) {
    // An option that is not checked reports a click when it merely gets the focus (by Tab
    // while a template of one's own is chosen): that chooses nothing.
    if (SendMessageW(func_[k], BM_GETCHECK, 0, 0) != BST_CHECKED)
        return;
    ChooseTemplate(k);
}

void For_main::Combo1_Click() {
    const LRESULT at = SendMessageW(ownList_, CB_GETCURSEL, 0, 0);
    if (at != CB_ERR)
        ChooseTemplate(static_cast<int>(SendMessageW(ownList_, CB_GETITEMDATA, static_cast<WPARAM>(at), 0)));
}

void For_main::Show() {
    CentreWithSize(TwipsToPixels(kWidth, dpi()), TwipsToPixels(kHeight, dpi()));
    // Also when started minimised: the first restore puts the focus there.
    SetRememberedFocus(func_[0]);
    ShowWindow(hwnd(), startMinimised_ ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
    shown_ = true;
    if (!startMinimised_)
        SetFocus(func_[0]);
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
    // Loading the settings selects the stored style and names it here.
    styleInForce_ = CodeType;
    SetWindowTextW(Item(ids::kFrame1), caption.c_str());
}

void For_main::SetAuthor(const std::wstring& author) {
    PrefillAll(Prefill::Author, author);
}

void For_main::SetDatePicture(const std::wstring& picture) {
    datePicture_ = picture;
    RefreshDates();
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

void For_main::Form_Activate() {
    // Resident for days: the dates Inkwarden filled in follow the day.
    RefreshDates();
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
    if (InRect(RectIn(hwnd(), Item(ids::kFrame1)), pt))
        return true;
    const std::vector<HWND> shown = PanelControls(VisiblePanel());
    return !shown.empty() && shown[0] && InRect(RectIn(hwnd(), shown[0]), pt);
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
    TitleBandPlace place = {RectIn(hwnd(), band_.image), RectIn(hwnd(), band_.minimise),
                            RectIn(hwnd(), band_.exit)};
    RECT client;
    GetClientRect(hwnd(), &client);
    IntersectRect(&place.exit, &place.exit, &client); // the spot reaches past the window's edge
    const RECT control = RectIn(hwnd(), item.hwndItem);
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
        if (code == EN_SETFOCUS)
            lastInput_ = reinterpret_cast<HWND>(lParam);
        if (id >= ids::kFunc0 && id < ids::kFunc0 + kTemplateCount && code == BN_CLICKED)
            func_Click(id - ids::kFunc0);
        else if (id >= ids::kOk0 && id < ids::kOk0 + kTemplateCount && code == BN_CLICKED)
            ok_Click(id - ids::kOk0);
        else if (ids::OwnOkTemplate(id) >= 0 && code == BN_CLICKED)
            ok_Click(ids::OwnOkTemplate(id));
        else if (id == ids::kOwnTemplates && code == CBN_SELCHANGE)
            Combo1_Click();
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
        if (item->CtlType != ODT_STATIC)
            return Window::OnMessage(msg, wParam, lParam);
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
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            Form_Activate();
        return Window::OnMessage(msg, wParam, lParam);
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
