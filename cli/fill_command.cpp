#include "cli/fill_command.h"

#include "cli/file_change.h"
#include "core/file_top.h"
#include "core/plan_fields.h"
#include "files/codec.h"

namespace inkwarden {

namespace {

// A heading's plan for another template: its name and parameters go where that template
// takes them (the fields marked name and params), everything else as the template starts.
FillPlan ForTemplate(const FillPlan& heading, const TemplateDef& templ) {
    const TemplateDef& from = *FindTemplate(heading.templ);
    FillPlan plan = heading;
    plan.templ = templ.code;
    plan.fields.assign(templ.fields.size(), std::nullopt);
    plan.focusField = -1;
    for (std::size_t i = 0; i < templ.fields.size(); ++i)
        for (std::size_t j = 0; j < from.fields.size(); ++j)
            if (templ.fields[i].prefill != Prefill::None &&
                templ.fields[i].prefill == from.fields[j].prefill &&
                (from.fields[j].prefill == Prefill::Name || from.fields[j].prefill == Prefill::Params))
                plan.fields[i] = heading.fields[j];
    return plan;
}

} // namespace

bool FillText(const std::string& input, const FillRun& run, std::string& output, std::string& problem) {
    const bool utf8 = IsUtf8(input);
    std::string text;
    if (utf8) {
        text = input;
    } else if (!FromCodePage(run.codePage, input, text)) {
        problem = "the text is neither UTF-8 nor in code page " + std::to_string(run.codePage);
        return false;
    }
    std::optional<FillPlan> plan = ReadFillPlan(text, run.style, run.templ);
    if (!plan) {
        problem = text.size() > kMaxCopiedText
                      ? "the text is longer than 64 KiB"
                      : "the text is neither a function heading nor a block Inkwarden wrote";
        return false;
    }
    // A heading alone goes into the template asked for; a block keeps its own.
    const TemplateDef* target = FindTemplate(run.templ);
    if (plan->keepCopied && plan->keepFrom == 0 && target && target->code != plan->templ)
        plan = ForTemplate(*plan, *target);
    const TemplateDef& templ = *FindTemplate(plan->templ);
    const TemplateFields fields = PlanFields(*plan, templ, {run.author, run.today, std::string()});
    StyleTexts style;
    StyleTextsOf(plan->style.value_or(run.style), style);
    const std::string block = BuildRemarkBlock(plan->templ, fields, style);
    std::string_view lineEnd = FirstLineEnd(text);
    if (lineEnd.empty())
        lineEnd = kNativeLineEnd;
    // The block's own lines take the input's line ends; what is kept under it (a heading,
    // and after an old block what followed it) stays as it came, and so does a line end
    // after the selection.
    const std::string pasted = PasteText(*plan, block, text);
    const std::size_t own = plan->keepCopied ? pasted.size() - (text.size() - plan->keepFrom) : pasted.size();
    std::string out = WithLineEnds(std::string_view(pasted).substr(0, own), lineEnd);
    out.append(pasted, own, std::string::npos);
    if (!plan->keepCopied && !text.empty() && (text.back() == '\n' || text.back() == '\r'))
        out.append(lineEnd);
    if (utf8) {
        output = std::move(out);
    } else if (!ToCodePage(run.codePage, out, output)) {
        problem = "the block cannot be written in code page " + std::to_string(run.codePage);
        return false;
    }
    return true;
}

} // namespace inkwarden
