// The style table with rows of the user's own beside the eight built-ins.
#include "core/remark.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace inkwarden {
namespace {

const std::string kRule(58, '=');

TEST(CustomStyleTable, RowsInCodeOrderAndSelectionSequence) {
    OpeningLine = LinePrefix = ClosingLine = "";
    SetCustomStyles({
        {99, "last", "%% ", "%%     ", ""},
        {9, "powershell", "<# ", "#     ", "#>"},
        {8, "python", "# ", "#     ", ""},
        {3, "not php", "-- ", "--     ", ""}, // 0..7 stay the built-ins
        {12, "", "-- ", "--     ", ""},       // no name: defines nothing
        {100, "too high", "! ", "!     ", ""},
        {-1, "negative", "! ", "!     ", ""},
        {8, "second python", "## ", "##     ", ""}, // the first row of a code wins
    });
    std::vector<std::string> listed;
    for (const CustomStyle& row : CustomStyles())
        listed.push_back(std::to_string(row.code) + " " + row.name);
    EXPECT_EQ(listed, (std::vector<std::string>{"8 python", "9 powershell", "99 last"}));

    // Each step selects a code and states the three texts afterwards: a code without a
    // row leaves the previous texts and yields no name, as code 8 does without rows.
    struct Step {
        CodeType_t code;
        const char* name;
        std::string opening, prefix, closing;
    } const steps[] = {
        {8, "python", "# " + kRule, "#     ", "# " + kRule}, // no close: the opening line again
        {0, "c++/c", "/* " + kRule, "*     ", "*/"},
        {9, "powershell", "<# " + kRule, "#     ", "#>"},
        {1, "vb", "'' " + kRule, "'     ", "'' " + kRule},
        {3, "php", "/* " + kRule, "*     ", "*/"},
        {12, "", "/* " + kRule, "*     ", "*/"},
        {100, "", "/* " + kRule, "*     ", "*/"},
        {10, "", "/* " + kRule, "*     ", "*/"},
        {-1, "", "/* " + kRule, "*     ", "*/"},
        {99, "last", "%% " + kRule, "%%     ", "%% " + kRule},
        {6, "html", "<!-- " + kRule, "     ", "-->"},
        {32767, "", "<!-- " + kRule, "     ", "-->"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.code);
        EXPECT_EQ(SelectRemarkStyle(s.code), s.name);
        EXPECT_EQ(OpeningLine, s.opening);
        EXPECT_EQ(LinePrefix, s.prefix);
        EXPECT_EQ(ClosingLine, s.closing);
    }

    // New rows replace the old ones and leave the texts in force alone.
    SelectRemarkStyle(9);
    SetCustomStyles({});
    EXPECT_TRUE(CustomStyles().empty());
    EXPECT_EQ(ClosingLine, "#>");
    EXPECT_EQ(SelectRemarkStyle(9), "");
    EXPECT_EQ(ClosingLine, "#>");
}

// Templates of one's own beside the four built-ins: which rows count, and the block one
// makes, where every field's line breaks are continued.
TEST(OwnTemplateTable, RowsInCodeOrderAndTheirBlock) {
    const TemplateField a = {"作者：", false, Prefill::Author}, d = {"日期：", false, Prefill::Date},
                        m = {"说明：", true, Prefill::None};
    SetOwnTemplates({
        {99, "last", {a}},
        {5, "接口说明", {m, a, d, m, m, a}}, // a sixth field is dropped
        {3, "not a built-in", {a}},          // 0..3 stay the built-ins
        {6, "", {a}},                        // no name
        {7, "no fields", {}},
        {100, "too high", {a}},
        {5, "second", {a}}, // the first row of a code wins
    });
    std::vector<std::string> listed;
    for (const TemplateDef& row : OwnTemplates())
        listed.push_back(std::to_string(row.code) + " " + row.name + " " + std::to_string(row.fields.size()));
    EXPECT_EQ(listed, (std::vector<std::string>{"5 接口说明 5", "99 last 1"}));
    EXPECT_EQ(FindTemplate(3)->name, "文件头标识");
    EXPECT_EQ(FindTemplate(6), nullptr);
    EXPECT_EQ(TemplateFieldAt(5, 2).prefill, Prefill::Date);

    SelectRemarkStyle(4);
    EXPECT_EQ(BuildRemarkBlock(5, {"a\r\nb", "张三", "", "x", "y\r\n"}),
              "// " + kRule + "\r\n//     说明：a\r\n//" + std::string(25, ' ') +
                  "b\r\n//     作者：张三\r\n//     日期：\r\n" + "//     说明：x\r\n//     说明：y\r\n//" +
                  std::string(25, ' ') + "\r\n\r\n// " + kRule);
    EXPECT_EQ(BuildRemarkBlock(99, {"a", "ignored"}),
              "// " + kRule + "\r\n//     作者：a\r\n\r\n// " + kRule);
    EXPECT_EQ(BuildRemarkBlock(7, {}), "") << "no such template";
    SetOwnTemplates({});
    EXPECT_EQ(FindTemplate(5), nullptr);
}
} // namespace
} // namespace inkwarden
