// The main window's template panels: made when first shown, their field texts kept apart
// from the controls so they hold whether or not a panel exists, and the author and date
// the texts are prefilled with.
#include "ui/main/For_main.h"

#include "core/remark.h"
#include "platform/platform.h"
#include "ui/control_ids.h"
#include "ui/main/layout.h"

#include <algorithm>

namespace inkwarden {

namespace {

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

} // namespace

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
    if (IsOwnTemplate(k)) {
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
    if (!IsOwnTemplate(k)) {
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
    return Item(IsOwnTemplate(k) ? ids::OwnInput(k, line) : BuiltinInput(k, line));
}

void For_main::ChooseTemplate(int k) {
    for (int i = 0; i < kTemplateCount; ++i)
        SendMessageW(func_[i], BM_SETCHECK, i == k ? BST_CHECKED : BST_UNCHECKED, 0);
    LRESULT entry = -1;
    const LRESULT count = SendMessageW(ownList_, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; IsOwnTemplate(k) && i < count && entry < 0; ++i)
        if (SendMessageW(ownList_, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == k)
            entry = i;
    SendMessageW(ownList_, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    ShowOnlyPanel(k);
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
        if (!IsOwnTemplate(k))
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
    if (IsOwnTemplate(shownPanel_))
        ChooseTemplate(FindTemplate(shownPanel_) ? shownPanel_ : 0);
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

int For_main::VisiblePanel() const {
    return shownPanel_;
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

} // namespace inkwarden
