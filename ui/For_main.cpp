#include "ui/For_main.h"

#include "assets/resource.h"
#include "core/remark.h"
#include "platform/platform.h"
#include "shell/window_utils.h"
#include "ui/control_ids.h"
#include "ui/title_band.h"

#include <commctrl.h>

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

// The panel of a template of one's own, in the panel's twips: a caption and an input per
// field, the captions as wide as the widest needs, the inputs that take one line as
// high as the built-ins' and those that take several sharing the rest down to 确定.
constexpr Twips kOk = {6000, 3480, 975, 375};
constexpr int kRowsTop = 360, kRowsBottom = 3360, kRowGap = 105, kLineHeight = 375;
constexpr int kInputRight = 7095, kCaptionLeft = 120;

struct OwnRow {
    Twips caption, input;
};

std::vector<OwnRow> OwnLayout(const TemplateDef& templ, int captionWidth) {
    const int n = static_cast<int>(templ.fields.size());
    int multi = 0;
    for (const TemplateField& f : templ.fields)
        multi += f.multiline ? 1 : 0;
    const int free = kRowsBottom - kRowsTop - (n - 1) * kRowGap - (n - multi) * kLineHeight;
    const int multiHeight = multi ? std::max(kLineHeight, free / multi) : kLineHeight;
    const int inputLeft = kCaptionLeft + captionWidth;
    std::vector<OwnRow> rows;
    int top = kRowsTop;
    for (const TemplateField& f : templ.fields) {
        const int height = f.multiline ? multiHeight : kLineHeight;
        rows.push_back({{kCaptionLeft, top, captionWidth, kLineHeight},
                        {inputLeft, top, kInputRight - inputLeft, height}});
        top += height + kRowGap;
    }
    return rows;
}

// An input of a panel: several lines or one, and the first of its panel starts a group.
DWORD InputStyle(bool multiline, bool group) {
    DWORD style = WS_TABSTOP | WS_BORDER | ES_LEFT;
    style |= multiline ? ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL : ES_AUTOHSCROLL;
    return group ? style | WS_GROUP : style;
}

// The built-in templates' input ids: txt0(5k + line).
int BuiltinInput(int k, int line) {
    return ids::kTxt0 + k * kFieldsPerTemplate + line;
}

bool IsOwn(int k) {
    return k >= kFirstOwnTemplate;
}

} // namespace

For_main::For_main() : clock_(&CurrentDay), settings_(*this, hotkey_) {
    result_.SetPasteBack([this](const std::wstring& block) { return ClipboardTextFor(block); },
                         [this] { PasteBack(); }, [this] { NoteOwnCopy(); });
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

void For_main::CreateOwnList() {
    // In the selector row's free part. Its name, for UI automation and screen readers, is
    // the label before it, which takes no room; the list shows it too while nothing is
    // chosen. Made after the panels, it is put where its place in the focus order is:
    // after the options, before the panel.
    const DWORD label = WS_CHILD | SS_NOTIFY | SS_NOPREFIX;
    HWND name = AddControl(L"STATIC", L"其他模板", label, ids::kOwnTemplatesLabel,
                           {kFrame1X + 5040, kFrame1Y + 240, 0, 0});
    ownList_ = AddNamedList(L"其他模板", ids::kOwnTemplates, {kFrame1X + 5040, kFrame1Y + 255, 1140, 2400});
    const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(name, func_[kTemplateCount - 1], 0, 0, 0, 0, keep);
    SetWindowPos(ownList_, name, 0, 0, 0, 0, keep);
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

For_main::Panel& For_main::PanelOf(int k) {
    auto found = panels_.find(k);
    if (found != panels_.end())
        return found->second;
    Panel& panel = panels_[k];
    const TemplateDef* templ = FindTemplate(k);
    const std::size_t n = templ ? templ->fields.size() : 0;
    panel.texts.resize(n);
    panel.putDates.resize(n);
    // A template first asked for after start-up starts as start-up leaves the others.
    for (std::size_t line = 0; line < n; ++line) {
        if (templ->fields[line].prefill == Prefill::Author)
            panel.texts[line] = WriterName;
        else if (templ->fields[line].prefill == Prefill::Date && datesFilled_)
            panel.texts[line] = panel.putDates[line] = lastDate_;
    }
    panel.confirmed = panel.texts;
    return panel;
}

void For_main::CreatePanel(int k) {
    Panel& panel = PanelOf(k);
    if (panel.created)
        return;
    panel.created = true;
    if (IsOwn(k)) {
        CreateOwnPanel(*FindTemplate(k));
        return;
    }
    // Each panel in its focus order: in the function panel the confirm button comes
    // first, in the others last. Made after every control there is, so it also comes
    // last in the window's focus order, as it did when all panels were made at start.
    const Twips okRect = InPanel(kOk);
    if (k == 0)
        AddControl(L"BUTTON", L"确定", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, ids::kOk0 + k, okRect);
    for (int line = 0; line < kFieldsPerTemplate; ++line) {
        const FieldLayout& f = kFields[k * kFieldsPerTemplate + line];
        // The input shows the field's text from its first moment.
        AddControl(L"EDIT", panel.texts[line].c_str(),
                   InputStyle(TemplateFieldAt(k, line).multiline, k != 0 && line == 0), BuiltinInput(k, line),
                   InPanel(f.rect), FontKind::Input);
        AddControl(L"STATIC", f.caption, WS_CHILD | SS_NOTIFY | SS_NOPREFIX, ids::kLabel2_0 + f.label,
                   InPanel({f.captionLeft, f.captionTop, 1095, 375}));
    }
    if (k != 0)
        AddControl(L"BUTTON", L"确定", BS_PUSHBUTTON | WS_TABSTOP, ids::kOk0 + k, okRect);
    AddControl(L"BUTTON", kTemplateNames[k], BS_GROUPBOX, ids::kFraList0 + k,
               {kPanelX, kPanelY, kPanelW, kPanelH});
}

void For_main::CreateOwnPanel(const TemplateDef& templ) {
    const int k = templ.code;
    const Panel& panel = PanelOf(k);
    // As wide as the widest caption, within a third of the panel, so no caption is cut
    // and every input keeps room.
    int captionWidth = 1095;
    for (const TemplateField& f : templ.fields)
        captionWidth = std::max(captionWidth, TextWidth(Widen(f.label), FontKind::Ui) + 120);
    captionWidth = std::min(captionWidth, kPanelW / 3);
    const std::vector<OwnRow> rows = OwnLayout(templ, captionWidth);
    for (std::size_t line = 0; line < rows.size(); ++line) {
        const TemplateField& f = templ.fields[line];
        const int i = static_cast<int>(line);
        // The caption first, so a screen reader names the input after it.
        AddControl(L"STATIC", Widen(f.label).c_str(), WS_CHILD | SS_NOTIFY | SS_NOPREFIX | SS_ENDELLIPSIS,
                   ids::OwnCaption(k, i), InPanel(rows[line].caption));
        AddControl(L"EDIT", panel.texts[line].c_str(), InputStyle(f.multiline, line == 0),
                   ids::OwnInput(k, i), InPanel(rows[line].input), FontKind::Input);
    }
    AddControl(L"BUTTON", L"确定", BS_PUSHBUTTON | WS_TABSTOP, ids::OwnOk(k), InPanel(kOk));
    AddControl(L"BUTTON", Widen(templ.name).c_str(), BS_GROUPBOX, ids::OwnPanel(k),
               {kPanelX, kPanelY, kPanelW, kPanelH});
}

std::vector<HWND> For_main::PanelControls(int k) const {
    std::vector<HWND> controls;
    if (!IsOwn(k)) {
        if (!FindTemplate(k))
            return controls;
        const int n = kFieldsPerTemplate;
        controls = {Item(ids::kFraList0 + k), Item(ids::kOk0 + k)};
        for (int line = 0; line < n; ++line) {
            controls.push_back(Item(BuiltinInput(k, line)));
            controls.push_back(Item(ids::kLabel2_0 + kFields[k * kFieldsPerTemplate + line].label));
        }
        return controls;
    }
    // Every line the ids allow: after a reload the panel may have more than the template.
    controls = {Item(ids::OwnPanel(k)), Item(ids::OwnOk(k))};
    for (int line = 0; line < kFieldsPerTemplate; ++line) {
        controls.push_back(Item(ids::OwnInput(k, line)));
        controls.push_back(Item(ids::OwnCaption(k, line)));
    }
    return controls;
}

void For_main::DestroyPanel(int k) {
    auto found = panels_.find(k);
    if (found == panels_.end() || !found->second.created)
        return;
    // The texts go back to the panel's keeping before its inputs go.
    for (std::size_t line = 0; line < found->second.texts.size(); ++line)
        found->second.texts[line] = WindowText(Input(k, static_cast<int>(line)));
    for (HWND control : PanelControls(k))
        if (control)
            RemoveControl(control);
    found->second.created = false;
}

HWND For_main::Input(int k, int line) const {
    return Item(IsOwn(k) ? ids::OwnInput(k, line) : BuiltinInput(k, line));
}

void For_main::FillFromSettings() {
    // The styles of one's own but the stored one wait for FinishStart.
    LoadSettings(*this, StyleSections::StoredOnly);
}

void For_main::FillDates() {
    lastDate_ = TodayText();
    datesFilled_ = true;
    PrefillAll(Prefill::Date, lastDate_);
}

void For_main::PrefillAll(Prefill kind, const std::wstring& text) {
    // The built-ins' texts exist from the start; one's own take theirs when first asked for.
    for (int k = 0; k < kTemplateCount; ++k)
        PanelOf(k);
    for (auto& [k, panel] : panels_) {
        const TemplateDef* templ = FindTemplate(k);
        for (std::size_t line = 0; templ && line < templ->fields.size(); ++line) {
            if (templ->fields[line].prefill != kind)
                continue;
            SetFieldText(k, static_cast<int>(line), text);
            panel.confirmed[line] = text;
            if (kind == Prefill::Date)
                panel.putDates[line] = text;
        }
    }
}

std::wstring For_main::TodayText() {
    const SYSTEMTIME today = clock_();
    // A picture too long for a date, or one the system refuses, gives the short date, and
    // the person hears of it once.
    if (!datePicture_.empty()) {
        // Characters, not UTF-16 units: one outside the BMP counts once.
        const auto characters = std::count_if(datePicture_.begin(), datePicture_.end(),
                                              [](wchar_t c) { return c < 0xDC00 || c > 0xDFFF; });
        const std::wstring text = characters <= 40 ? DateText(today, datePicture_) : std::wstring();
        if (!text.empty())
            return text;
        if (pictureTold_ != datePicture_) {
            pictureTold_ = datePicture_;
            Tell(L"日期格式无效：" + datePicture_ + L"，已改用系统短日期", true);
        }
    }
    return DateText(today, std::wstring());
}

void For_main::RefreshDates() {
    if (!datesFilled_)
        return;
    const std::wstring today = TodayText();
    if (today == lastDate_)
        return;
    lastDate_ = today;
    // Only what Inkwarden put there follows; a date the person wrote stays.
    for (auto& [k, panel] : panels_)
        for (std::size_t line = 0; line < panel.putDates.size(); ++line) {
            const int i = static_cast<int>(line);
            if (panel.putDates[line].empty() || FieldText(k, i) != panel.putDates[line])
                continue;
            const bool untouched = panel.confirmed[line] == panel.putDates[line];
            SetFieldText(k, i, today);
            panel.putDates[line] = today;
            if (untouched)
                panel.confirmed[line] = today;
        }
}

void For_main::LayOutPanels() {
    // Every panel sits in the same place; only the chosen template's is visible. A panel
    // is made when it is first shown: at start only the function panel, the other three
    // would double the controls the start makes.
    ShowOnlyPanel(0);
}

void For_main::ChooseTemplate(int k) {
    for (int i = 0; i < kTemplateCount; ++i)
        SendMessageW(func_[i], BM_SETCHECK, i == k ? BST_CHECKED : BST_UNCHECKED, 0);
    LRESULT entry = -1;
    const LRESULT count = SendMessageW(ownList_, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; IsOwn(k) && i < count && entry < 0; ++i)
        if (SendMessageW(ownList_, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == k)
            entry = i;
    SendMessageW(ownList_, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    ShowOnlyPanel(k);
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

void For_main::ShowOnlyPanel(int k) {
    if (!FindTemplate(k))
        k = 0;
    // The panel going away is hidden first, so a panel made now never shows over it.
    for (const auto& [code, panel] : panels_)
        if (code != k && panel.created)
            ShowPanel(code, false);
    shownPanel_ = k;
    if (!PanelOf(k).created)
        CreatePanel(k); // made visible
    else
        ShowPanel(k, true);
}

void For_main::ShowPanel(int k, bool show) {
    for (HWND control : PanelControls(k))
        ShowWindow(control, show ? SW_SHOW : SW_HIDE);
}

void For_main::ShowOwnTemplates() {
    // What the list held may be gone or changed: the panels are made anew from the rows
    // read now, and keep their texts where the template is still there.
    std::vector<int> gone;
    for (auto& [k, panel] : panels_) {
        if (!IsOwn(k))
            continue;
        DestroyPanel(k);
        const TemplateDef* templ = FindTemplate(k);
        if (!templ) {
            gone.push_back(k);
            continue;
        }
        panel.texts.resize(templ->fields.size());
        panel.confirmed.resize(templ->fields.size());
        panel.putDates.resize(templ->fields.size());
    }
    for (int k : gone)
        panels_.erase(k);
    if (!ownList_)
        return; // the list is made and filled once the window is painted
    SendMessageW(ownList_, CB_RESETCONTENT, 0, 0);
    // A dropped list as wide as its longest name, which the box may be too narrow for.
    int widest = 0;
    for (const TemplateDef& templ : OwnTemplates()) {
        const std::wstring name = Widen(templ.name);
        const LRESULT at = SendMessageW(ownList_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        SendMessageW(ownList_, CB_SETITEMDATA, static_cast<WPARAM>(at), templ.code);
        widest = std::max(widest, TextWidth(name, FontKind::Ui));
    }
    SendMessageW(ownList_, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(TwipsToPixels(widest + 600, dpi())), 0);
    EnableWindow(ownList_, !OwnTemplates().empty());
    if (IsOwn(shownPanel_))
        ChooseTemplate(FindTemplate(shownPanel_) ? shownPanel_ : 0);
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

void For_main::SetFieldText(int k, int line, const std::wstring& text) {
    Panel& panel = PanelOf(k);
    if (line < 0 || line >= static_cast<int>(panel.texts.size()))
        return;
    panel.texts[static_cast<std::size_t>(line)] = text;
    if (panel.created)
        SetWindowTextW(Input(k, line), text.c_str());
}

std::wstring For_main::FieldText(int k, int line) const {
    const auto found = panels_.find(k);
    if (found == panels_.end() || line < 0 || line >= static_cast<int>(found->second.texts.size()))
        return std::wstring();
    // Once a panel exists, its inputs hold what the person typed.
    if (found->second.created)
        return WindowText(Input(k, line));
    return found->second.texts[static_cast<std::size_t>(line)];
}

bool For_main::Typed(int k) const {
    const auto found = panels_.find(k);
    if (found == panels_.end())
        return false;
    for (std::size_t line = 0; line < found->second.confirmed.size(); ++line)
        if (FieldText(k, static_cast<int>(line)) != found->second.confirmed[line])
            return true;
    return false;
}

void For_main::Confirmed(int k) {
    Panel& panel = PanelOf(k);
    for (std::size_t line = 0; line < panel.confirmed.size(); ++line)
        panel.confirmed[line] = FieldText(k, static_cast<int>(line));
    lastConfirmed_ = k;
}

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

bool For_main::OnCtrlShiftV(bool repeat) {
    if (!repeat && !FillFromClipboard(true))
        Tell(L"剪贴板中没有可识别的函数声明或注释块", false);
    return true;
}

bool For_main::FillFromClipboard(bool asked) {
    FinishStart();
    const DWORD change = ClipboardChangeCount();
    if (!asked && change == clipboardSeen_)
        return false;
    clipboardSeen_ = change;
    std::wstring copied;
    if (!ReadClipboardText(hwnd(), kMaxCopiedText, copied))
        return false;
    const std::optional<FillPlan> plan = ReadFillPlan(Narrow(copied), styleInForce_);
    if (!plan || (!asked && Typed(plan->templ)))
        return false;
    ApplyPlan(*plan, copied);
    return true;
}

void For_main::ApplyPlan(const FillPlan& plan, const std::wstring& copied) {
    if (plan.style) {
        // For this session: the settings file keeps the stored style.
        SetStyleCaption(Widen(StyleCaption(SelectRemarkStyle(*plan.style))));
        styleInForce_ = *plan.style;
    }
    ChooseTemplate(plan.templ);
    Panel& panel = PanelOf(plan.templ);
    for (std::size_t line = 0; line < plan.fields.size() && line < panel.texts.size(); ++line) {
        if (plan.fields[line])
            SetFieldText(plan.templ, static_cast<int>(line), Widen(*plan.fields[line]));
        panel.putDates[line].clear();
    }
    if (plan.todayField >= 0 && plan.todayField < static_cast<int>(panel.texts.size())) {
        SetFieldText(plan.templ, plan.todayField, lastDate_);
        panel.putDates[static_cast<std::size_t>(plan.todayField)] = lastDate_;
    }
    // What came from the clipboard is Inkwarden's doing, not the person's typing.
    for (std::size_t line = 0; line < panel.confirmed.size(); ++line)
        panel.confirmed[line] = FieldText(plan.templ, static_cast<int>(line));
    pastePlan_ = plan;
    pasteTemplate_ = plan.templ;
    copied_ = copied;
    if (plan.focusField >= 0) {
        HWND input = Input(plan.templ, plan.focusField);
        SetRememberedFocus(input);
        if (GetActiveWindow() == hwnd())
            SetFocus(input);
    }
}

std::wstring For_main::ClipboardTextFor(const std::wstring& block) const {
    // The block goes where the copied text was: indented as it was, and after a heading
    // with the heading under it, since the heading is still selected in the editor.
    if (pasteTemplate_ < 0 || pasteTemplate_ != lastConfirmed_)
        return block;
    return Widen(PasteText(pastePlan_, Narrow(block), Narrow(copied_)));
}

void For_main::NoteOwnCopy() {
    // A block of Inkwarden's own on the clipboard is not something to fill from.
    clipboardSeen_ = ClipboardChangeCount();
}

int For_main::VisiblePanel() const {
    return shownPanel_;
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
