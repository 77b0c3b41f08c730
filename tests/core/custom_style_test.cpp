// The style table with rows of the user's own beside the eight built-ins.
#include "core/remark.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace inkwarden {
namespace {

const std::string kRule(58, '=');

class CustomStyleTable : public ::testing::Test {
protected:
    void SetUp() override {
        OpeningLine.clear();
        LinePrefix.clear();
        ClosingLine.clear();
        SetCustomStyles({
            {99, "last", "%% ", "%%     ", ""},
            {9, "powershell", "<# ", "#     ", "#>"},
            {8, "python", "# ", "#     ", ""},
            {3, "not php", "-- ", "--     ", ""}, // 0..7 stay the built-ins
            {7, "not javascript", "; ", ";     ", ""},
            {12, "", "-- ", "--     ", ""}, // no name: defines nothing
            {100, "too high", "! ", "!     ", ""},
            {-1, "negative", "! ", "!     ", ""},
            {8, "second python", "## ", "##     ", ""}, // the first row of a code wins
            {20, "sql", "-- ", "--     ", ""},
        });
    }
    void TearDown() override { SetCustomStyles({}); }
};

TEST_F(CustomStyleTable, KeepsValidRowsInCodeOrder) {
    std::vector<std::string> listed;
    for (const CustomStyle& row : CustomStyles())
        listed.push_back(std::to_string(row.code) + " " + row.name);
    EXPECT_EQ(listed, (std::vector<std::string>{"8 python", "9 powershell", "20 sql", "99 last"}));
}

TEST_F(CustomStyleTable, SelectionSequence) {
    // Each step selects a code and states all three texts afterwards: a code without a
    // row leaves the previous texts and yields no name, as code 8 does without rows.
    struct Step {
        CodeType_t code;
        const char* name;
        std::string opening, prefix, closing;
    } const steps[] = {
        {8, "python", "# " + kRule, "#     ", "# " + kRule}, // empty close: a copy of the opening
        {0, "c++/c", "/* " + kRule, "*     ", "*/"},
        {9, "powershell", "<# " + kRule, "#     ", "#>"},
        {1, "vb", "'' " + kRule, "'     ", "'' " + kRule},
        {3, "php", "/* " + kRule, "*     ", "*/"},
        {12, "", "/* " + kRule, "*     ", "*/"},
        {100, "", "/* " + kRule, "*     ", "*/"},
        {10, "", "/* " + kRule, "*     ", "*/"},
        {-1, "", "/* " + kRule, "*     ", "*/"},
        {7, "javascript", "/*- " + kRule, "*     ", "-*/"},
        {99, "last", "%% " + kRule, "%%     ", "%% " + kRule},
        {20, "sql", "-- " + kRule, "--     ", "-- " + kRule},
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
}

TEST_F(CustomStyleTable, ReplacingTheRowsLeavesTheCurrentTextsAlone) {
    ASSERT_EQ(SelectRemarkStyle(9), "powershell");
    SetCustomStyles({{9, "renamed", "// ", "//     ", ""}});
    EXPECT_EQ(OpeningLine, "<# " + kRule);
    EXPECT_EQ(ClosingLine, "#>");
    EXPECT_EQ(SelectRemarkStyle(8), "") << "rows not given again are gone";
    EXPECT_EQ(SelectRemarkStyle(9), "renamed");
    EXPECT_EQ(ClosingLine, "// " + kRule);
    SetCustomStyles({});
    EXPECT_TRUE(CustomStyles().empty());
    EXPECT_EQ(SelectRemarkStyle(9), "");
    EXPECT_EQ(LinePrefix, "//     ");
}

TEST_F(CustomStyleTable, BlockInACustomStyleByteForByte) {
    SelectRemarkStyle(9);
    const std::string block = BuildRemarkBlock(0, {"dev", "2026-12-7", "Sum", "a,\r\nb", "Adds"});
    EXPECT_EQ(block, "<# " + kRule +
                         "\r\n"
                         "#     开发人员：dev\r\n"
                         "#     编写时间：2026-12-7\r\n"
                         "#     函数名称：Sum\r\n"
                         "#     参数说明：a,\r\n"
                         "#" +
                         std::string(25, ' ') +
                         "b\r\n"
                         "#     功能说明：Adds\r\n"
                         "\r\n"
                         "#>");
}

} // namespace
} // namespace inkwarden
