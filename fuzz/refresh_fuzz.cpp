// libFuzzer target for refreshing an old block from the changed heading under it: the
// old parameter field and the heading are arbitrary bytes. The plan must fit its
// template; no entry whose line begins with a current parameter's name may be dropped;
// the refreshed block must read back as planned; and what goes back into the editor
// must end in what followed the old block.
#include "core/fill.h"
#include "core/signature/signature.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace inkwarden;

void Check(bool ok) {
    if (!ok)
        std::abort();
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t from = 0; from <= text.size();) {
        std::size_t end = text.find("\r\n", from);
        if (end == std::string_view::npos)
            end = text.size();
        lines.push_back(text.substr(from, end - from));
        from = end + 2;
    }
    return lines;
}

bool BeginsWithWord(std::string_view line, std::string_view word) {
    const auto nameByte = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
               c == '$';
    };
    return !word.empty() && line.substr(0, word.size()) == word &&
           (line.size() == word.size() || !nameByte(line[word.size()]));
}

// An old line that begins with a current parameter's name is kept: whole, or what followed
// its parameter after a current parameter's text.
bool Kept(std::string_view old, const std::vector<std::string_view>& now,
          const std::vector<std::string>& params) {
    for (std::string_view line : now) {
        if (line == old)
            return true;
        for (const std::string& p : params)
            if (line.substr(0, p.size()) == p && line.size() - p.size() < old.size() &&
                old.substr(old.size() - (line.size() - p.size())) == line.substr(p.size()))
                return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Styles and a template of one's own as a settings file gives them.
    static const bool loaded = [] {
        SetCustomStyles({{8, "python", "# ", "#     ", ""}, {30, "bare", "", "", "-"}});
        SetOwnTemplates({{4, "接口", {{"名称：", false, Prefill::Name}, {"参数：", true, Prefill::Params}}}});
        return true;
    }();
    (void)loaded;
    if (size < 2)
        return 0;
    // First byte: the style and the template; then the old parameter field, a NUL, the heading.
    const std::vector<CodeType_t> codes = StyleCodes();
    const CodeType_t style = codes[data[0] % codes.size()];
    const int templ = (data[0] / 16) % 3 == 2 ? 4 : (data[0] / 16) % 2;
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t nul = rest.find('\0');
    if (nul == std::string_view::npos)
        return 0;
    const std::string params(rest.substr(0, nul));
    const std::string_view heading = rest.substr(nul + 1);

    TemplateFields fields = {"张三", "2024-5-6", "Old", params, "说明"};
    if (templ == 4)
        fields = {"Old", params};
    SelectRemarkStyle(style);
    const std::string block = BuildRemarkBlock(templ, fields);
    const std::string copied = block + "\r\n" + std::string(heading);
    const std::optional<ReadBack> old = ReadBlock(block, style);
    const std::optional<FillPlan> plan = ReadFillPlan(copied, style);
    if (!old || !plan || !plan->keepCopied || plan->keepFrom == 0)
        return 0; // not read as a block with a heading under it

    const TemplateDef* planned = FindTemplate(plan->templ);
    Check(planned && plan->fields.size() == planned->fields.size());
    Check(plan->focusField >= 0 && plan->focusField < static_cast<int>(plan->fields.size()));
    Check(plan->focusCaret == std::string::npos ||
          plan->focusCaret <= plan->fields[static_cast<std::size_t>(plan->focusField)]->size());
    Check(std::all_of(plan->fields.begin(), plan->fields.end(), [](const auto& f) { return f.has_value(); }));

    const std::optional<Signature> signature = ReadSignature(copied.substr(plan->keepFrom));
    Check(signature.has_value());
    const std::size_t paramField = templ == 4 ? 1 : 3;
    const std::vector<std::string_view> now = Lines(*plan->fields[paramField]);
    for (std::string_view line : Lines(old->fields[paramField]))
        for (const std::string& name : signature->names)
            if (BeginsWithWord(line, name))
                Check(Kept(line, now, signature->parameters));

    TemplateFields again;
    for (std::size_t f = 0; f < plan->fields.size(); ++f)
        again[f] = *plan->fields[f];
    const std::optional<ReadBack> read = ReadBlock(BuildRemarkBlock(plan->templ, again), style);
    Check(read && read->templ == plan->templ);
    for (std::size_t f = 0; f < plan->fields.size(); ++f)
        Check(read->fields[f] == *plan->fields[f]);
    const std::string paste = PasteText(*plan, "B", copied);
    Check(paste == "B\r\n" + copied.substr(plan->keepFrom));
    return 0;
}
