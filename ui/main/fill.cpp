// Filling a template from what the person copied: the core reads the text into a plan,
// the window applies it to the field texts and remembers how the block goes back.
#include "ui/main/For_main.h"

#include "platform/platform.h"
#include "ui/main/layout.h"

namespace inkwarden {

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
    const std::optional<FillPlan> plan = ReadFillPlan(Narrow(copied), styleInForce_, VisiblePanel());
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
        // The caret where the person goes on typing: at a new parameter's line, else at
        // the end of the text.
        const std::optional<std::string>& text = plan.fields[static_cast<std::size_t>(plan.focusField)];
        const LPARAM caret = text && plan.focusCaret <= text->size()
                                 ? static_cast<LPARAM>(Widen(text->substr(0, plan.focusCaret)).size())
                                 : GetWindowTextLengthW(input);
        SendMessageW(input, EM_SETSEL, static_cast<WPARAM>(caret), caret);
        SendMessageW(input, EM_SCROLLCARET, 0, 0);
        SetRememberedFocus(input);
        if (GetActiveWindow() == hwnd())
            SetFocus(input);
    }
}

std::wstring For_main::ClipboardTextFor(const std::wstring& block) const {
    // The block goes where the copied text was, indented as it was: in place of an old
    // block, or with the heading under it (and what stood between), since all that is
    // still selected in the editor.
    if (pasteTemplate_ < 0 || pasteTemplate_ != lastConfirmed_)
        return block;
    return Widen(PasteText(pastePlan_, Narrow(block), Narrow(copied_)));
}

void For_main::NoteOwnCopy() {
    // A block of Inkwarden's own on the clipboard is not something to fill from.
    clipboardSeen_ = ClipboardChangeCount();
}

} // namespace inkwarden
