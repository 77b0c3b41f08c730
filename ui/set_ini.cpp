#include "ui/set_ini.h"

#include "core/remark.h"
#include "platform/platform.h"
#include "ui/control_ids.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>

namespace inkwarden {

namespace {

// Rows below the options and the author: the list of styles of one's own, which 语言设置
// grows by and everything beneath it moves down by; the hotkey row and the date format
// row, which 系统设置 grows by, and the window with it, so the buttons keep their place at
// the bottom.
constexpr int kListRow = 360;
constexpr int kHotkeyRow = 120;
constexpr int kDateRow = 480;
constexpr int kWidth = 4680, kHeight = 3465 + kListRow + kHotkeyRow + kDateRow; // twips
constexpr int kFrame1X = 120, kFrame1Y = 480, kFrame1Height = 1095 + kListRow;
constexpr int kFrame2X = 120, kFrame2Y = 1680 + kListRow, kFrame2Height = 1215 + kHotkeyRow + kDateRow;
constexpr Twips kHotkeyLabel = {1800, 900, 1095, 255}; // in 系统设置
constexpr Twips kHotkeyInput = {2760, 900, 1575, 315};
// The drop-down's height is that of its list; its box is as high as its font needs.
constexpr Twips kDateLabel = {1800, 1380, 1095, 255};
constexpr Twips kDateInput = {2760, 1320, 1575, 2160};
constexpr int kButtonsY = 3000 + kListRow + kHotkeyRow + kDateRow;

// The pictures offered; the first stands for the user's short date, which the file
// stores as an empty picture.
const wchar_t* const kDatePictures[] = {L"系统短日期", L"yyyy-MM-dd", L"yyyy/MM/dd", L"yyyy年M月d日"};

const wchar_t kCaption[] = L"   Inkwarden                  系统设置";

struct OptionLayout {
    const wchar_t* caption;
    int left, top, width;
};
const OptionLayout kOptions[kStyleCount] = {
    {L"C++/C", 120, 240, 855}, {L"VB", 1080, 240, 1095},         {L"ASP", 1800, 240, 855},
    {L"PHP", 2520, 240, 855},  {L"Delphi", 3360, 240, 855},      {L"VFP", 120, 600, 855},
    {L"Html", 1080, 600, 855}, {L"JavaScript", 1800, 600, 1095},
};

bool IsTicked(HWND box) {
    return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

Twips InFrame2(const Twips& r) {
    return {kFrame2X + r.left, kFrame2Y + r.top, r.width, r.height};
}

// The picture the date box stands for. Blanks at its ends go, as the file would not give
// them back.
std::wstring PictureIn(const std::wstring& box) {
    const std::wstring picture = TrimBlanks(box);
    return picture == kDatePictures[0] ? std::wstring() : picture;
}

// While the hotkey control has the focus, the global hotkey is off, so the control can
// take the current combination too.
LRESULT CALLBACK HotkeyInputProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref) {
    GlobalHotkey& hotkey = *reinterpret_cast<GlobalHotkey*>(ref);
    if (msg == WM_SETFOCUS)
        hotkey.Suspend();
    else if (msg == WM_KILLFOCUS || msg == WM_DESTROY)
        hotkey.Resume();
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

} // namespace

bool set_ini::Form_Load() {
    if (IsOpen())
        return true;
    if (!Create())
        return false;
    FillFromSettings();
    return true;
}

bool set_ini::Create() {
    if (!CreateBorderless(L"Inkwarden.set_ini", L"Form1", nullptr, WS_MINIMIZEBOX | WS_SYSMENU, 0))
        return false;
    const DWORD label = SS_NOTIFY | SS_NOPREFIX;
    // Creation order is the focus order; "X" first so it lies above the caption bar,
    // the frames last so they lie beneath their buttons.
    HWND close = AddControl(L"STATIC", L"X", label | SS_CENTER, ids::kSetClose, {4440, 0, 255, 255});
    HWND caption =
        AddControl(L"STATIC", kCaption, label | SS_LEFTNOWORDWRAP, ids::kSetCaption, {0, 0, 4695, 375});
    auto option = [this](int k) {
        const OptionLayout& o = kOptions[k];
        // Plain radio buttons: the check boxes stand between them in the focus order,
        // so this window keeps the eight exclusive itself.
        // Some buttons are wider than the gap to their right-hand neighbour; end them
        // where the neighbour starts so neither covers the other's mark.
        int width = o.width;
        if (k + 1 < kStyleCount && kOptions[k + 1].top == o.top)
            width = std::min(width, kOptions[k + 1].left - o.left);
        AddControl(L"BUTTON", o.caption, BS_RADIOBUTTON | (k == 0 || k == 3 ? WS_GROUP : 0),
                   ids::kOption0 + k, {kFrame1X + o.left, kFrame1Y + o.top, width, 375});
    };
    option(0);
    option(1);
    option(2);
    AddControl(L"BUTTON", L"自动运行", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, ids::kCheck0,
               InFrame2({240, 360, 1575, 375}));
    AddControl(L"BUTTON", L"启动时最小化", BS_AUTOCHECKBOX | WS_TABSTOP, ids::kCheck0 + 1,
               InFrame2({240, 720, 1575, 375}));
    for (int k = 3; k < kStyleCount; ++k)
        option(k);
    // The styles of one's own, after the options of their row. The label is a group of
    // its own so the arrow keys of the options stop before it; the list's height is
    // that of its drop-down part.
    AddControl(L"STATIC", L"其他语言：", label | WS_GROUP, ids::kOtherLabel,
               {kFrame1X + 120, kFrame1Y + 1020, 960, 255});
    AddControl(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, ids::kOtherStyles,
               {kFrame1X + 1080, kFrame1Y + 960, 3135, 2700});
    AddControl(L"BUTTON", L"重置", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, ids::kReset,
               {2880, kButtonsY, 855, 375});
    AddControl(L"BUTTON", L"确定", BS_DEFPUSHBUTTON | WS_TABSTOP, ids::kSave, {3720, kButtonsY, 855, 375});
    AddControl(L"EDIT", L"", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, ids::kUser,
               InFrame2({2760, 480, 1575, 315}), FontKind::Input);
    HWND hotkey =
        AddControl(HOTKEY_CLASSW, L"", WS_TABSTOP | WS_BORDER, ids::kHotkey, InFrame2(kHotkeyInput));
    SetWindowSubclass(hotkey, HotkeyInputProc, 1, reinterpret_cast<DWORD_PTR>(&hotkey_));
    // Editable, so any picture can be typed; scrolling, so it may be longer than the box.
    AddControl(L"COMBOBOX", L"", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, ids::kDateFormat,
               InFrame2(kDateInput));
    AddControl(L"STATIC", L"开发人员：", label, ids::kAuthorLabel, InFrame2({1800, 480, 1095, 255}));
    AddControl(L"STATIC", L"呼出热键：", label, ids::kHotkeyLabel, InFrame2(kHotkeyLabel));
    AddControl(L"STATIC", L"日期格式：", label, ids::kDateFormatLabel, InFrame2(kDateLabel));
    AddControl(L"BUTTON", L"语言设置", BS_GROUPBOX, ids::kStyleFrame,
               {kFrame1X, kFrame1Y, 4455, kFrame1Height});
    AddControl(L"BUTTON", L"系统设置", BS_GROUPBOX, ids::kSystemFrame,
               {kFrame2X, kFrame2Y, 4455, kFrame2Height});
    MakeCaptionBar(caption, close);
    CentreWithSize(TwipsToPixels(kWidth, dpi()), TwipsToPixels(kHeight, dpi()));
    return true;
}

void set_ini::FillFromSettings() {
    // From the globals, not the file: the list holds the styles the last load found.
    // Values that fit no control leave it unset.
    const HWND list = Item(ids::kOtherStyles);
    for (const CustomStyle& style : CustomStyles()) {
        const std::wstring name = Widen(style.name);
        const LRESULT at = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(at), style.code);
    }
    EnableWindow(Item(ids::kOtherLabel), !CustomStyles().empty());
    EnableWindow(list, !CustomStyles().empty());
    SelectStyle(CodeType);
    CheckDlgButton(hwnd(), ids::kCheck0, AutoRun == 1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd(), ids::kCheck0 + 1, MinAtStart == 1 ? BST_CHECKED : BST_UNCHECKED);
    SetWindowTextW(Item(ids::kUser), WriterName.c_str());
    // The control holds no Win key and no invalid text: those show empty, and stay
    // stored as they are unless the person enters another hotkey.
    const std::optional<Hotkey> hotkey = ParseHotkey(Narrow(HotkeyText));
    shownHotkey_ = hotkey && !(hotkey->modifiers & kHotkeyWin) ? HotkeyControlValue(*hotkey) : 0;
    SendMessageW(Item(ids::kHotkey), HKM_SETHOTKEY, shownHotkey_, 0);
    // A stored picture that is one of the list's is chosen there, so the arrow keys go on
    // from it; any other shows as written. Pictures differ by letter case (M, m), so the
    // comparison is exact.
    const HWND date = Item(ids::kDateFormat);
    LRESULT listed = CB_ERR;
    for (const wchar_t* picture : kDatePictures) {
        const LRESULT at = SendMessageW(date, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(picture));
        if (PictureIn(picture) == DatePicture)
            listed = at;
    }
    if (listed != CB_ERR)
        SendMessageW(date, CB_SETCURSEL, static_cast<WPARAM>(listed), 0);
    else
        SetWindowTextW(date, DatePicture.c_str());
}

void set_ini::FocusFirst() {
    // The selected style (its option, or the list for a style of one's own), or the
    // first control that takes the focus when none is.
    const int code = CodeType;
    HWND first = code >= 0 && code < kStyleCount ? Item(ids::kOption0 + code)
                 : ListedCode()                  ? Item(ids::kOtherStyles)
                                                 : GetNextDlgTabItem(hwnd(), nullptr, FALSE);
    SetRememberedFocus(first);
    SetFocus(first);
    ShowFocusCue();
}

void set_ini::Combo1_Click() {
    if (const std::optional<std::int16_t> code = ListedCode())
        SelectStyle(*code);
}

void set_ini::SelectStyle(int code) {
    // One style at a time: an option for 0..7, an entry of the list for a style of one's
    // own, nothing for a code that names no style. Only the selected option takes the
    // focus by Tab: Windows reports a click when a radio button receives the focus, so
    // an unselected one in the Tab order would be chosen on the way round the window.
    for (int i = 0; i < kStyleCount; ++i) {
        HWND button = Item(ids::kOption0 + i);
        SendMessageW(button, BM_SETCHECK, i == code ? BST_CHECKED : BST_UNCHECKED, 0);
        LONG style = GetWindowLongW(button, GWL_STYLE);
        style = i == code ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
        SetWindowLongW(button, GWL_STYLE, style);
    }
    const HWND list = Item(ids::kOtherStyles);
    LRESULT entry = -1;
    const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count && entry < 0; ++i)
        if (SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == code)
            entry = i;
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
}

std::optional<std::int16_t> set_ini::ListedCode() const {
    const HWND list = Item(ids::kOtherStyles);
    const LRESULT at = SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (at == CB_ERR)
        return std::nullopt;
    return static_cast<std::int16_t>(SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(at), 0));
}

SettingsValues set_ini::CollectValues() const {
    SettingsValues values;
    for (int i = 0; i < kStyleCount && !values.code; ++i)
        if (IsTicked(Item(ids::kOption0 + i)))
            values.code = static_cast<std::int16_t>(i);
    if (!values.code)
        values.code = ListedCode();
    values.autoRun = IsTicked(Item(ids::kCheck0));
    values.minAtStart = IsTicked(Item(ids::kCheck0 + 1));
    values.writer = WindowText(Item(ids::kUser));
    const WORD hotkey = static_cast<WORD>(SendMessageW(Item(ids::kHotkey), HKM_GETHOTKEY, 0, 0));
    if (hotkey == shownHotkey_)
        values.hotkey = HotkeyText;
    else if (const std::string text = FormatHotkey(HotkeyFromControlValue(hotkey)); !text.empty())
        values.hotkey = Widen(text);
    else
        values.hotkey = WindowText(Item(ids::kHotkey)); // as the control names it, reported invalid
    values.date = PictureIn(WindowText(Item(ids::kDateFormat)));
    return values;
}

void set_ini::ShowModeless() {
    if (IsOpen()) {
        if (IsIconic(hwnd()))
            ShowWindow(hwnd(), SW_RESTORE);
        SetForegroundWindow(hwnd());
        return;
    }
    if (!Form_Load())
        return;
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    FocusFirst();
}

bool set_ini::ShowModal(HWND mainWindow, HWND resultWindow) {
    if (IsOpen())
        return false; // already displayed: a modal display is refused
    if (!Form_Load())
        return false;
    DisableOthers(mainWindow, resultWindow);
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    FocusFirst();
    RunModalLoop(*this);
    return true;
}

void set_ini::Unload() {
    // Enable the other windows before this one goes, so activation can return to them.
    EnableOthers();
    Close();
}

void set_ini::OnDestroy() {
    EnableOthers();
}

void set_ini::DisableOthers(HWND mainWindow, HWND resultWindow) {
    const HWND others[2] = {mainWindow, resultWindow};
    for (int i = 0; i < 2; ++i) {
        disabled_[i] = nullptr;
        if (others[i] && IsWindowEnabled(others[i])) {
            EnableWindow(others[i], FALSE);
            disabled_[i] = others[i];
        }
    }
}

void set_ini::EnableOthers() {
    for (HWND& w : disabled_) {
        if (w && IsWindow(w))
            EnableWindow(w, TRUE);
        w = nullptr;
    }
}

void set_ini::ok_Click() {
    if (!ShowReport(SaveSettings(CollectValues(), main_)))
        return; // the window stays open with what the user entered
    LoadSettings(main_);
    Unload();
}

void set_ini::no_Click() {
    if (ShowReport(ResetSettings()))
        Unload();
}

bool set_ini::ShowReport(const SettingsOutcome& outcome) {
    for (const Notice& notice : Report(outcome))
        ShowMessage(hwnd(), notice.text, notice.icon);
    return outcome.fileWritten;
}

LRESULT set_ini::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (id >= ids::kOption0 && id < ids::kOption0 + kStyleCount) {
            if (code == BN_CLICKED)
                Option1_Click(id - ids::kOption0);
        } else if (id == ids::kOtherStyles) {
            if (code == CBN_SELCHANGE)
                Combo1_Click();
        } else if (id == ids::kSetClose) {
            if (code == STN_CLICKED)
                Label3_Click();
        } else if (id == IDCANCEL) {
            Unload();
        } else if (id == ids::kSave || id == IDOK) {
            ok_Click();
        } else if (id == ids::kReset) {
            no_Click();
        }
        return 0;
    }
    case WM_CLOSE:
        Unload();
        return 0;
    default:
        break;
    }
    return Window::OnMessage(msg, wParam, lParam);
}

} // namespace inkwarden
