#include "core/fill.h"

#include "core/refresh.h"
#include "core/signature/signature.h"
#include "core/text.h"

#include <algorithm>

namespace inkwarden {

namespace {

bool StartsWith(std::string_view s, std::string_view head) {
    return s.substr(0, head.size()) == head;
}

// The lines of a copied text, whatever ends them (CR LF, LF or CR), with the blanks an
// editor may cut from their ends cut here too, and without empty lines around them.
std::vector<std::string_view> CopiedLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t from = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\r' && text[i] != '\n')
            continue;
        lines.push_back(TrimRight(text.substr(from, i - from)));
        if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n')
            ++i;
        from = i + 1;
    }
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    lines.erase(lines.begin(),
                std::find_if(lines.begin(), lines.end(), [](std::string_view l) { return !l.empty(); }));
    return lines;
}

// The first line of a copied text that holds more than blanks, its trailing blanks cut.
std::string_view FirstLine(std::string_view text) {
    for (std::size_t from = 0; from < text.size();) {
        std::size_t end = text.find_first_of("\r\n", from);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = TrimRight(text.substr(from, end - from));
        if (!line.empty())
            return line;
        from = end + 1;
    }
    return std::string_view();
}

// A block's lines read against one shape: the editor's indentation is taken off each line
// (as much of it as the line has: an editor may cut the blanks of a line that is blank
// but for them).
class BlockReader {
public:
    BlockReader(const std::vector<std::string_view>& lines, const BlockShape& shape)
        : lines_(lines), shape_(shape) {}

    bool Read(ReadBack& out) {
        if (lines_.size() < 4 || lines_[0].substr(LeadingBlanks(lines_[0])) != TrimRight(shape_.opening))
            return false;
        // The first field line is the indentation, then the prefix with its own blanks.
        const std::size_t prefixBlanks = LeadingBlanks(shape_.prefix);
        const std::size_t firstBlanks = LeadingBlanks(lines_[1]);
        if (firstBlanks < prefixBlanks)
            return false;
        indent_ = lines_[1].substr(0, firstBlanks - prefixBlanks);
        last_ = lines_.size() - 3; // the last line a field may take
        if (Body(lines_.size() - 1) != TrimRight(shape_.closing) || !Body(lines_.size() - 2).empty())
            return false;
        const std::vector<TemplateField>& fields = shape_.templ->fields;
        std::size_t at = 1;
        out.fields.clear();
        for (std::size_t f = 0; f < fields.size(); ++f) {
            std::string text;
            if (at > last_ || !Head(Body(at), fields[f].label, text))
                return false;
            for (++at; at <= last_ && !StartsField(f + 1, Body(at)); ++at)
                text += "\r\n" + Continuation(static_cast<int>(f), Body(at));
            out.fields.push_back(std::move(text));
        }
        if (at != last_ + 1)
            return false;
        out.templ = shape_.templ->code;
        out.firstIndent = std::string(lines_[0].substr(0, LeadingBlanks(lines_[0])));
        out.indent = std::string(indent_);
        return true;
    }

private:
    std::string_view Body(std::size_t i) const {
        std::string_view line = lines_[i];
        line.remove_prefix(std::min(std::min(indent_.size(), LeadingBlanks(line)), line.size()));
        return line;
    }

    // A field's own line: the prefix and its label, then its text (which, when empty, an
    // editor may have cut back into the label).
    bool Head(std::string_view line, std::string_view label, std::string& text) const {
        const std::string head = std::string(shape_.prefix) + std::string(label);
        if (StartsWith(line, head)) {
            text = std::string(line.substr(head.size()));
            return true;
        }
        text.clear();
        return line == TrimRight(head);
    }

    bool StartsField(std::size_t f, std::string_view line) const {
        const std::vector<TemplateField>& fields = shape_.templ->fields;
        std::string ignored;
        return f < fields.size() && Head(line, fields[f].label, ignored);
    }

    // A further line of field f: after the continuation indent when the builder gave it
    // one (or nothing, when the editor cut the blanks of an empty one), else as it is.
    std::string Continuation(int f, std::string_view line) const {
        if (!shape_.templ->Continued(f))
            return std::string(line);
        if (StartsWith(line, shape_.indent))
            return std::string(line.substr(shape_.indent.size()));
        const std::string_view cut = TrimRight(shape_.indent);
        if (StartsWith(line, cut) && line.find_first_not_of(" \t", cut.size()) == std::string_view::npos)
            return std::string();
        return std::string(line);
    }

    const std::vector<std::string_view>& lines_;
    const BlockShape& shape_;
    std::string_view indent_;
    std::size_t last_ = 0;
};

std::vector<const TemplateDef*> AllTemplates() {
    std::vector<const TemplateDef*> all;
    for (int code = 0; code < kTemplateCount; ++code)
        all.push_back(FindTemplate(code));
    for (const TemplateDef& own : OwnTemplates())
        all.push_back(&own);
    return all;
}

// The first style, in code order, of that name in any letter case.
std::optional<CodeType_t> StyleNamed(std::string_view name) {
    StyleTexts texts;
    for (CodeType_t code : StyleCodes())
        if (StyleTextsOf(code, texts) && SameIgnoringCase(texts.name, name))
            return code;
    return std::nullopt;
}

// The field of a template that a heading's name or parameters fill; -1 for none.
int FieldFilledBy(const TemplateDef& templ, Prefill fill) {
    for (std::size_t f = 0; f < templ.fields.size(); ++f)
        if (templ.fields[f].prefill == fill)
            return static_cast<int>(f);
    return -1;
}

bool TakesHeadings(const TemplateDef* templ) {
    return templ &&
           (FieldFilledBy(*templ, Prefill::Name) >= 0 || FieldFilledBy(*templ, Prefill::Params) >= 0);
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\r\n") + line;
    return text;
}

FillPlan PlanForSignature(const Signature& signature, std::string_view copied, int shown) {
    FillPlan plan;
    // A template of one's own on show that takes a heading keeps it; else the function
    // template, or the procedure template for a VB Sub or a Pascal procedure.
    plan.templ = IsOwnTemplate(shown) && TakesHeadings(FindTemplate(shown)) ? shown
                 : signature.procedure                                      ? 1
                                                                            : 0;
    const TemplateDef& templ = *FindTemplate(plan.templ);
    // The author and the dates stay; what the routine does is the person's to write.
    for (const TemplateField& field : templ.fields) {
        if (field.prefill == Prefill::Name)
            plan.fields.push_back(signature.name);
        else if (field.prefill == Prefill::Params)
            plan.fields.push_back(Joined(signature.parameters));
        else if (field.prefill == Prefill::None)
            plan.fields.push_back(std::string());
        else
            plan.fields.push_back(std::nullopt);
        if (field.prefill == Prefill::None && plan.focusField < 0)
            plan.focusField = static_cast<int>(plan.fields.size()) - 1;
    }
    if (plan.focusField < 0)
        plan.focusField = static_cast<int>(templ.fields.size()) - 1;
    if (!signature.language.empty())
        plan.style = StyleNamed(signature.language);
    const std::string_view first = FirstLine(copied);
    plan.firstIndent = plan.indent = std::string(first.substr(0, LeadingBlanks(first)));
    plan.keepCopied = true;
    return plan;
}

FillPlan PlanForBlock(const ReadBack& block) {
    FillPlan plan;
    plan.templ = block.templ;
    plan.fields.assign(block.fields.begin(), block.fields.end());
    // A file header comes back modified today; the rest as it was written.
    plan.todayField = DatedOnRefresh(block.templ);
    plan.focusField = static_cast<int>(block.fields.size()) - 1;
    plan.style = block.style;
    plan.firstIndent = block.firstIndent;
    plan.indent = block.indent;
    return plan;
}

// The old block refreshed for the heading under it; the rest of the copied text, from
// `rest` on, goes back under the new block as it was.
FillPlan PlanForRefresh(const ReadBack& block, const Signature& heading, std::size_t rest) {
    FillPlan plan = PlanForBlock(block);
    // Where the kind of routine matters (VB, Pascal), a Sub that became a Function is
    // written with the function template, the fields as they were.
    if (block.templ < 2 && (heading.language == "vb" || heading.language == "delphi"))
        plan.templ = heading.procedure ? 1 : 0;
    const TemplateDef& templ = *FindTemplate(plan.templ);
    if (const int name = FieldFilledBy(templ, Prefill::Name); name >= 0)
        plan.fields[static_cast<std::size_t>(name)] = heading.name;
    if (const int params = FieldFilledBy(templ, Prefill::Params); params >= 0) {
        std::optional<std::string>& field = plan.fields[static_cast<std::size_t>(params)];
        RefreshedParameters refreshed = RefreshParameters(*field, heading);
        field = std::move(refreshed.text);
        if (refreshed.caret != std::string::npos) {
            plan.focusField = params;
            plan.focusCaret = refreshed.caret;
        }
    }
    plan.keepCopied = true;
    plan.keepFrom = rest;
    return plan;
}

// A block at the start of the copied text with more after it: the block, and where the
// text after its closing line begins. The closing line is one after an empty line that
// reads as the closing of a style whose opening begins the text; the first few such lines
// are tried, which keeps the reading linear however many blank lines follow.
std::optional<std::pair<ReadBack, std::size_t>> BlockThenMore(std::string_view text, CodeType_t current) {
    constexpr int kMostClosings = 16;
    const std::string_view first = FirstLine(text);
    const std::string_view opening = first.substr(LeadingBlanks(first));
    std::vector<std::string> closings;
    StyleTexts style;
    for (CodeType_t code : StyleCodes())
        if (StyleTextsOf(code, style) && opening == TrimRight(style.opening))
            closings.push_back(std::string(TrimRight(style.closing)));
    if (closings.empty())
        return std::nullopt;
    bool afterEmpty = false;
    int tried = 0;
    for (std::size_t from = static_cast<std::size_t>(first.data() - text.data()) + first.size();
         from < text.size() && tried < kMostClosings;) {
        from += text[from] == '\r' && from + 1 < text.size() && text[from + 1] == '\n' ? 2 : 1;
        std::size_t end = text.find_first_of("\r\n", from);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = Trim(text.substr(from, end - from));
        if (afterEmpty && std::find(closings.begin(), closings.end(), line) != closings.end()) {
            ++tried;
            if (std::optional<ReadBack> block = ReadBlock(text.substr(0, end), current)) {
                std::size_t rest = end;
                if (rest < text.size())
                    rest += text[rest] == '\r' && rest + 1 < text.size() && text[rest + 1] == '\n' ? 2 : 1;
                return std::make_pair(std::move(*block), rest);
            }
        }
        afterEmpty = line.empty();
        from = end;
    }
    return std::nullopt;
}

} // namespace

int DatedOnRefresh(int templ) {
    return templ == 3 ? 3 : -1;
}

std::optional<ReadBack> ReadBlock(std::string_view text, CodeType_t current) {
    // Every style's opening line ends in the same rule: anything else is no block, and
    // its lines need not be split.
    const std::string_view first = FirstLine(text);
    const std::string_view opening = first.substr(LeadingBlanks(first));
    const std::string_view rule = TrimRight(BlockRule());
    if (opening.size() < rule.size() || opening.substr(opening.size() - rule.size()) != rule)
        return std::nullopt;
    const std::vector<std::string_view> lines = CopiedLines(text);
    const std::vector<const TemplateDef*> templates = AllTemplates();
    std::optional<ReadBack> found;
    StyleTexts style;
    for (CodeType_t code : StyleCodes()) {
        // The opening line tells most styles apart before any template is tried.
        if (!StyleTextsOf(code, style) || opening != TrimRight(style.opening))
            continue;
        for (const TemplateDef* templ : templates) {
            const BlockShape shape = ShapeOf(style.opening, style.prefix, style.closing, *templ);
            ReadBack read;
            if (!BlockReader(lines, shape).Read(read))
                continue;
            read.style = code;
            if (!found || code == current)
                found = std::move(read);
            break;
        }
        if (found && found->style == current)
            break;
    }
    return found;
}

std::optional<FillPlan> ReadFillPlan(std::string_view copied, CodeType_t current, int shown) {
    if (copied.size() > kMaxCopiedText)
        return std::nullopt;
    if (std::optional<ReadBack> block = ReadBlock(copied, current))
        return PlanForBlock(*block);
    if (auto blockThenMore = BlockThenMore(copied, current))
        if (std::optional<Signature> heading = ReadSignature(copied.substr(blockThenMore->second)))
            return PlanForRefresh(blockThenMore->first, *heading, blockThenMore->second);
    if (std::optional<Signature> signature = ReadSignature(copied))
        return PlanForSignature(*signature, copied, shown);
    return std::nullopt;
}

std::string PasteText(const FillPlan& plan, std::string_view block, std::string_view copied) {
    std::string out = plan.firstIndent;
    for (std::size_t from = 0; from <= block.size();) {
        std::size_t end = block.find("\r\n", from);
        if (end == std::string_view::npos)
            end = block.size();
        if (from > 0 && end > from)
            out += plan.indent;
        out.append(block.substr(from, end - from));
        if (end == block.size())
            break;
        out += "\r\n";
        from = end + 2;
    }
    if (plan.keepCopied) {
        out += "\r\n";
        out.append(copied.substr(std::min(plan.keepFrom, copied.size())));
    }
    return out;
}

} // namespace inkwarden
