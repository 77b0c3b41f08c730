// libFuzzer target for reading what a person copied: any bytes, with any style in force,
// must come back without a crash, a hang or undefined behaviour; a plan must fit the
// template it names; and a block read back must be read alike once Inkwarden writes it
// anew from what it read.
#include "core/fill.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace inkwarden;

void Check(bool ok) {
    if (!ok)
        std::abort();
}

// Styles and a template of one's own as a settings file may give them: one writes the
// built-in C texts again, one marks lines as Python does, one has no prefix at all.
void LoadOwnRows() {
    SetCustomStyles(
        {{8, "python", "# ", "#     ", ""}, {15, "java", "/* ", "*     ", "*/"}, {30, "bare", "", "", "-"}});
    SetOwnTemplates({{4, "接口说明", {{"接口：", false, Prefill::None}, {"作者：", true, Prefill::Author}}}});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool loaded = (LoadOwnRows(), true);
    (void)loaded;
    if (size == 0)
        return 0;
    const std::vector<CodeType_t> codes = StyleCodes();
    const CodeType_t current = codes[data[0] % codes.size()];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    if (const std::optional<FillPlan> plan = ReadFillPlan(text, current)) {
        const TemplateDef* templ = FindTemplate(plan->templ);
        Check(templ && plan->fields.size() == templ->fields.size());
        Check(plan->todayField < static_cast<int>(plan->fields.size()));
        Check(plan->focusField < static_cast<int>(plan->fields.size()));
        StyleTexts style;
        Check(!plan->style || StyleTextsOf(*plan->style, style));
        const std::string paste = PasteText(*plan, "a\r\n\r\nb", text);
        Check(!plan->keepCopied || paste.compare(paste.size() - text.size(), text.size(), text) == 0);
    }

    if (const std::optional<ReadBack> read = ReadBlock(text, current)) {
        TemplateFields fields;
        for (std::size_t i = 0; i < read->fields.size(); ++i)
            fields[i] = read->fields[i];
        SelectRemarkStyle(read->style);
        const std::optional<ReadBack> again = ReadBlock(BuildRemarkBlock(read->templ, fields), read->style);
        Check(again && again->templ == read->templ && again->fields == read->fields);
    }
    return 0;
}
