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

} // namespace
} // namespace inkwarden
