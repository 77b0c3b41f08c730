#include "ui/window.h"

#include "platform/platform.h"
#include "shell/window_utils.h"

#include <commctrl.h>

#include <algorithm>

namespace inkwarden {

namespace {

// Runs `measure` on the window's DC with the font selected, then puts the DC back.
template <typename Measure> void WithFont(HWND hwnd, HFONT font, Measure measure) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, font);
    measure(dc);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
}

// Windows of the process still open; the message loop ends with the last one.
int g_openWindows = 0;

LRESULT CALLBACK CaptionProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg == WM_LBUTTONDOWN) {
        CaptionDrag(GetAncestor(hwnd, GA_ROOT));
        return 0;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

bool IsMultiline(HWND input) {
    return (GetWindowLongW(input, GWL_STYLE) & ES_MULTILINE) != 0;
}

bool CtrlHeld() {
    return (GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

// Inputs: Ctrl+A selects everything. A multi-line input wants every key, so the
// window's dialog keys would never reach the window; it gives up Tab and Escape, so
// Tab moves on and Escape is the window's cancel, as in a dialog. Ctrl+Tab types a tab.
LRESULT CALLBACK InputProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (msg) {
    case WM_GETDLGCODE: {
        LRESULT code = DefSubclassProc(hwnd, msg, wParam, lParam);
        const MSG* key = reinterpret_cast<const MSG*>(lParam);
        if (key && key->message == WM_KEYDOWN && IsMultiline(hwnd) &&
            (key->wParam == VK_ESCAPE || (key->wParam == VK_TAB && !CtrlHeld())))
            code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
        return code;
    }
    case WM_KEYDOWN:
        if (wParam == 'A' && CtrlHeld()) {
            SendMessageW(hwnd, EM_SETSEL, 0, -1);
            return 0;
        }
        if (wParam == VK_TAB && CtrlHeld() && IsMultiline(hwnd)) {
            if (!(GetWindowLongW(hwnd, GWL_STYLE) & ES_READONLY))
                SendMessageW(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\t"));
            return 0;
        }
        // In dialog mode a multi-line input would post WM_CLOSE to its window on
        // Escape; the window's cancel handles Escape instead.
        if (wParam == VK_ESCAPE && IsMultiline(hwnd))
            return 0;
        break;
    case WM_CHAR:
        // The tab was typed on the key press (Ctrl+Tab); Escape is the window's.
        if ((wParam == L'\t' || wParam == VK_ESCAPE) && IsMultiline(hwnd))
            return 0;
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// Spots (labels that act as buttons): the click counts on the release of the left
// button inside the spot, like a button; pressing and sliding off does nothing.
LRESULT CALLBACK SpotProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR pressed) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetCapture(hwnd);
        SetWindowSubclass(hwnd, SpotProc, 1, TRUE);
        return 0;
    case WM_LBUTTONUP: {
        if (!pressed)
            return 0;
        SetWindowSubclass(hwnd, SpotProc, 1, FALSE);
        ReleaseCapture();
        RECT r;
        GetClientRect(hwnd, &r);
        const POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (PtInRect(&r, p))
            SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), STN_CLICKED),
                         reinterpret_cast<LPARAM>(hwnd));
        return 0;
    }
    case WM_CAPTURECHANGED:
        SetWindowSubclass(hwnd, SpotProc, 1, FALSE);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

HFONT CreateUiFont(UINT dpi) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
        metrics.lfMessageFont = LOGFONTW{};
        metrics.lfMessageFont.lfHeight = -MulDiv(9, static_cast<int>(dpi), 72);
        lstrcpyW(metrics.lfMessageFont.lfFaceName, L"Microsoft YaHei UI");
    }
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

HFONT CreateInputFont(UINT dpi) {
    // MS Sans Serif 9.75 pt, normal weight. With the default character set the face is
    // kept and the system draws what it lacks (Chinese, any script) with a font that has
    // it: font linking on Windows, fallback under Wine. The ANSI set would keep the face
    // but forbid that, and any one set (GB2312) would trade the face for that set's font.
    return CreateFontW(-MulDiv(975, static_cast<int>(dpi), 7200), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
}

bool IsFixedPitch(HFONT font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    // The flag is named the wrong way round: set, it means a variable pitch.
    return (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0;
}

HFONT CreateFixedFont(UINT dpi) {
    // 9 pt, at which the longest opening line (61 characters) fits the box without a
    // scroll, and NSimSun draws from bitmaps of its own. A face that is not installed is
    // answered by a substitute of any pitch, so what came back is checked, and then only
    // the pitch is asked for.
    const int height = -MulDiv(9, static_cast<int>(dpi), 72);
    HFONT font =
        CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"新宋体");
    if (font && IsFixedPitch(font))
        return font;
    DeleteObject(font);
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, nullptr);
}

} // namespace

Window::~Window() {
    if (hwnd_)
        DestroyWindow(hwnd_);
}

void Window::Close() {
    if (hwnd_)
        DestroyWindow(hwnd_);
}

bool Window::CreateBorderless(const wchar_t* className, const wchar_t* text, HICON icon, DWORD style,
                              DWORD exStyle, SIZE twips) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(instance, className, &wc)) {
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &Window::Thunk;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = className;
        wc.hIcon = icon;
        wc.hIconSm = icon;
        RegisterClassExW(&wc);
    }
    // Borderless: a popup with no caption. The system menu and minimise box let the
    // taskbar button minimise and restore it.
    // Made where it will show when its size is known: a window moved once it exists
    // costs a round of position messages before its first paint.
    RECT at = {CW_USEDEFAULT, CW_USEDEFAULT, 100, 100};
    if (twips.cx > 0) {
        const UINT dpi = WindowDpi(nullptr);
        at = CentredOn(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), TwipsToPixels(twips.cx, dpi),
                       TwipsToPixels(twips.cy, dpi));
    }
    HWND hwnd = CreateWindowExW(exStyle, className, text, WS_POPUP | style, at.left, at.top, at.right,
                                at.bottom, nullptr, nullptr, instance, this);
    if (!hwnd)
        return false;
    dpi_ = WindowDpi(hwnd);
    uiFont_ = CreateUiFont(dpi_);
    inputFont_ = CreateInputFont(dpi_);
    return true;
}

HWND Window::AddControl(const wchar_t* cls, const wchar_t* text, DWORD style, int id, Twips rect,
                        FontKind font, bool visible) {
    // Siblings overlap (labels over the title picture, controls over their frames):
    // clipping keeps each from painting over the others.
    // Made in its place at once: a move afterwards would cost every control a round of
    // position messages at start-up.
    const Pixels at = Scaled(rect);
    HWND control =
        CreateWindowExW(0, cls, text, WS_CHILD | (visible ? WS_VISIBLE : 0) | WS_CLIPSIBLINGS | style, at.x,
                        at.y, at.width, at.height, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        GetModuleHandleW(nullptr), nullptr);
    if (!control)
        return nullptr;
    controls_.push_back({control, rect, font});
    if (font == FontKind::Fixed && !fixedFont_)
        fixedFont_ = CreateFixedFont(dpi_); // made by the one window that shows code
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(font)), FALSE);
    if (lstrcmpiW(cls, L"EDIT") == 0) {
        SendMessageW(control, EM_SETLIMITTEXT, 0, 0); // no limit: the default stops near 30,000 characters
        SetWindowSubclass(control, InputProc, 1, 0);
    }
    return control;
}

void Window::AddTooltip(HWND control, const wchar_t* text) {
    if (!control)
        return;
    tips_.push_back({control, text});
    if (tooltip_)
        GiveTip(tips_.back());
}

void Window::GiveTip(const Tip& tip) const {
    TTTOOLINFOW info = {};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = hwnd_;
    info.uId = reinterpret_cast<UINT_PTR>(tip.control);
    info.lpszText = const_cast<wchar_t*>(tip.text.c_str());
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

HWND Window::AddNamedList(const wchar_t* name, int id, Twips rect) {
    // Registered first: the list asks for its item height while it is being made.
    namedLists_.push_back({nullptr, name});
    namedLists_.back().list = AddControl(L"COMBOBOX", L"",
                                         CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL |
                                             WS_TABSTOP | WS_GROUP,
                                         id, rect);
    return namedLists_.back().list;
}

const Window::NamedList* Window::NamedListOf(UINT id) const {
    for (const NamedList& list : namedLists_)
        if (list.list ? static_cast<UINT>(GetDlgCtrlID(list.list)) == id : &list == &namedLists_.back())
            return &list;
    return nullptr;
}

int Window::ListItemHeight() const {
    TEXTMETRICW metrics = {};
    WithFont(hwnd_, uiFont_, [&metrics](HDC dc) { GetTextMetricsW(dc, &metrics); });
    return metrics.tmHeight + MulDiv(4, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI);
}

void Window::DrawNamedList(const NamedList& list, const DRAWITEMSTRUCT& item) const {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    std::wstring text;
    if (item.itemID != static_cast<UINT>(-1)) {
        text.resize(static_cast<std::size_t>(SendMessageW(list.list, CB_GETLBTEXTLEN, item.itemID, 0)) + 1);
        text.resize(static_cast<std::size_t>(
            SendMessageW(list.list, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(&text[0]))));
    }
    const bool placeholder = text.empty() && (item.itemState & ODS_COMBOBOXEDIT);
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(placeholder ? COLOR_GRAYTEXT
                                       : selected  ? COLOR_HIGHLIGHTTEXT
                                                   : COLOR_WINDOWTEXT));
    HGDIOBJ old = SelectObject(item.hDC, uiFont_);
    RECT r = item.rcItem;
    r.left += MulDiv(3, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI);
    DrawTextW(item.hDC, placeholder ? list.name.c_str() : text.c_str(), -1, &r,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(item.hDC, old);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &item.rcItem);
}

void Window::RemoveControl(HWND control) {
    controls_.erase(std::remove_if(controls_.begin(), controls_.end(),
                                   [control](const Control& c) { return c.hwnd == control; }),
                    controls_.end());
    tips_.erase(
        std::remove_if(tips_.begin(), tips_.end(), [control](const Tip& t) { return t.control == control; }),
        tips_.end());
    DestroyWindow(control);
}

int Window::TextWidth(const std::wstring& text, FontKind font) const {
    SIZE size = {};
    WithFont(hwnd_, FontFor(font),
             [&](HDC dc) { GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size); });
    return MulDiv(size.cx, 1440, static_cast<int>(dpi_));
}

void Window::MakeTooltipOnHover(HWND control, UINT mouseMessage) {
    if (tooltip_ || mouseMessage != WM_MOUSEMOVE)
        return;
    if (std::none_of(tips_.begin(), tips_.end(),
                     [control](const Tip& tip) { return tip.control == control; }))
        return;
    tooltip_ = CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_)
        return;
    for (const Tip& tip : tips_)
        GiveTip(tip);
    // The tooltip watches the controls from their next message on; this move it is told.
    const DWORD at = GetMessagePos();
    POINT pt = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    ScreenToClient(control, &pt);
    MSG move = {control, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y), static_cast<DWORD>(GetMessageTime()), {}};
    SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

void Window::MakeCaption(HWND control) {
    SetWindowSubclass(control, CaptionProc, 1, 0);
}

void Window::MakeSpot(HWND control) {
    SetWindowSubclass(control, SpotProc, 1, FALSE);
}

void Window::SetRememberedFocus(HWND control) {
    focus_ = control;
}

void Window::ShowFocusCue() {
    SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

void Window::MakeCaptionBar(HWND caption, HWND close) {
    captionBar_ = caption;
    closeSpot_ = close;
    MakeCaption(caption);
    AddTooltip(close, L"关闭");
    MakeSpot(close);
}

RECT Window::CentredOn(HMONITOR monitor, int width, int height) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    const RECT& area = info.rcWork;
    return {area.left + (area.right - area.left - width) / 2,
            area.top + (area.bottom - area.top - height) / 2, width, height};
}

void Window::CentreWithSize(int width, int height) {
    const RECT at = CentredOn(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), width, height);
    RECT now;
    GetWindowRect(hwnd_, &now);
    if (now.left == at.left && now.top == at.top && now.right - now.left == width &&
        now.bottom - now.top == height)
        return; // made there already
    SetWindowPos(hwnd_, nullptr, at.left, at.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT Window::FontFor(FontKind kind) const {
    return kind == FontKind::Input ? inputFont_ : kind == FontKind::Fixed ? fixedFont_ : uiFont_;
}

Window::Pixels Window::Scaled(const Twips& r) const {
    return {TwipsToPixels(r.left, dpi_), TwipsToPixels(r.top, dpi_), TwipsToPixels(r.width, dpi_),
            TwipsToPixels(r.height, dpi_)};
}

void Window::Place(const Control& c) const {
    const Pixels at = Scaled(c.rect);
    SetWindowPos(c.hwnd, nullptr, at.x, at.y, at.width, at.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::ApplyDpi(UINT dpi) {
    dpi_ = dpi;
    HFONT oldUi = uiFont_, oldInput = inputFont_, oldFixed = fixedFont_;
    uiFont_ = CreateUiFont(dpi_);
    inputFont_ = CreateInputFont(dpi_);
    fixedFont_ = oldFixed ? CreateFixedFont(dpi_) : nullptr;
    for (const Control& c : controls_) {
        SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(c.font)), TRUE);
        Place(c);
    }
    for (const NamedList& list : namedLists_) {
        SendMessageW(list.list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), ListItemHeight());
        SendMessageW(list.list, CB_SETITEMHEIGHT, 0, ListItemHeight());
    }
    DeleteObject(oldUi);
    DeleteObject(oldInput);
    if (oldFixed)
        DeleteObject(oldFixed);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT Window::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DPICHANGED: {
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        ApplyDpi(HIWORD(wParam));
        return 0;
    }
    case WM_NEXTDLGCTL: {
        // What a dialog does for a control that asks for the next one (a multi-line
        // input on Tab, say): this window is not a dialog, so DefWindowProc would not.
        HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                   : GetNextDlgTabItem(hwnd_, GetFocus(), wParam != 0);
        if (next) {
            if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
                SendMessageW(next, EM_SETSEL, 0, -1);
            SetFocus(next);
        }
        return 0;
    }
    case WM_MEASUREITEM: {
        MEASUREITEMSTRUCT* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_COMBOBOX || !NamedListOf(item->CtlID))
            break;
        item->itemHeight = static_cast<UINT>(ListItemHeight());
        return TRUE;
    }
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        const NamedList* list = item->CtlType == ODT_COMBOBOX ? NamedListOf(item->CtlID) : nullptr;
        if (!list)
            break;
        DrawNamedList(*list, *item);
        return TRUE;
    }
    case kCtrlEnterMessage:
        return OnCtrlEnter(wParam != 0) ? TRUE : FALSE;
    case kCtrlShiftVMessage:
        return OnCtrlShiftV(wParam != 0) ? TRUE : FALSE;
    case WM_CTLCOLORSTATIC: {
        const HWND control = reinterpret_cast<HWND>(lParam);
        if (control != captionBar_ && control != closeSpot_)
            break;
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, GetSysColor(COLOR_INFOBK));
        SetTextColor(dc, control == captionBar_ ? RGB(255, 0, 0) : GetSysColor(COLOR_INFOTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INFOBK));
    }
    case WM_SETCURSOR:
        MakeTooltipOnHover(reinterpret_cast<HWND>(wParam), HIWORD(lParam));
        if (ApplyWindowPointer(hwnd_))
            return TRUE;
        break;
    case WM_ACTIVATE:
        // Not a dialog: remember and restore the focused control ourselves.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd_, focus))
                focus_ = focus;
        } else {
            // A click that activates the window may already have put the focus on a
            // control (a button in the middle of its press); taking it away again
            // would cancel that click.
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd_, focus))
                return 0;
            if (focus_ && IsWindow(focus_) && IsWindowVisible(focus_)) {
                SetFocus(focus_);
                return 0;
            }
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Window::Thunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* self;
    if (msg == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        ++g_openWindows;
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_DESTROY)
        self->OnDestroy();
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->controls_.clear();
        self->focus_ = nullptr;
        self->tooltip_ = nullptr;
        self->tips_.clear();
        self->namedLists_.clear();
        self->captionBar_ = self->closeSpot_ = nullptr;
        DeleteObject(self->uiFont_);
        DeleteObject(self->inputFont_);
        if (self->fixedFont_)
            DeleteObject(self->fixedFont_);
        self->uiFont_ = self->inputFont_ = self->fixedFont_ = nullptr;
        if (--g_openWindows == 0)
            PostQuitMessage(0);
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return self->OnMessage(msg, wParam, lParam);
}

namespace {

bool PreTranslate(MSG& msg) {
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (!root)
        return false;
    // Ctrl+Enter and Ctrl+Shift+V are the window's, before any input turns them into a
    // line break or a paste. A held key repeats: only the first press counts, so holding
    // it does not paste twice.
    if (msg.message == WM_KEYDOWN && CtrlHeld() && !(GetKeyState(VK_MENU) & 0x8000)) {
        const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
        const UINT taken = msg.wParam == VK_RETURN      ? kCtrlEnterMessage
                           : msg.wParam == 'V' && shift ? kCtrlShiftVMessage
                                                        : 0;
        const bool repeat = (msg.lParam & (1 << 30)) != 0;
        if (taken && SendMessageW(root, taken, repeat, 0))
            return true;
    }
    return IsDialogMessageW(root, &msg) != FALSE;
}

} // namespace

int RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (PreTranslate(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void RunModalLoop(const Window& window) {
    MSG msg;
    while (window.IsOpen()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // Leave the quit request for the outer loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (PreTranslate(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

} // namespace inkwarden
