#include "core/fill.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace inkwarden {
namespace {

// Fields that use every way a block carries text: a continuation in a continued field
// (with an empty line inside), a line break in the copyright statement (which the block
// does not indent), blanks inside, Chinese.
const TemplateFields kFields = {"张三\r\n版权所有", "2024-5-6", "Parse   it", "a, b\r\n\r\nc",
                                "读取\r\n  一行"};

// What an editor may do to a block between Inkwarden and the clipboard.
enum Edit : unsigned {
    kAsWritten = 0,
    kLf = 1,            // LF line ends
    kIndented = 2,      // every line indented, the selection taken from the line start
    kFromText = 4,      // ... or from the first character of the block
    kTrimmed = 8,       // trailing blanks cut
    kTrailingBreak = 16 // the line break after the last line selected too
};

std::string Edited(const std::string& block, unsigned edits) {
    std::string out;
    std::size_t from = 0;
    for (bool first = true; from <= block.size(); first = false) {
        std::size_t end = block.find("\r\n", from);
        if (end == std::string::npos)
            end = block.size();
        std::string line = block.substr(from, end - from);
        if (edits & kTrimmed)
            line.erase(line.find_last_not_of(' ') + 1);
        if ((edits & kIndented) && !(first && (edits & kFromText)))
            line = "\t  " + line;
        out += line;
        if (end == block.size())
            break;
        out += edits & kLf ? "\n" : "\r\n";
        from = end + 2;
    }
    if (edits & kTrailingBreak)
        out += "\r\n";
    return out;
}

std::vector<std::string> Expected(int templ) {
    return std::vector<std::string>(kFields.begin(), kFields.begin() + FindTemplate(templ)->fields.size());
}

class BlockRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        SetCustomStyles({{8, "python", "# ", "#     ", ""}, {15, "java", "/* ", "*     ", "*/"}});
        SetOwnTemplates(
            {{4, "接口说明", {{"接口：", false, Prefill::None}, {"说明：", true, Prefill::None}}}});
    }
    void TearDown() override {
        SetCustomStyles({});
        SetOwnTemplates({});
    }
};

// Every style, every template, every way an editor hands a block back: the template,
// the five texts and the style come back as they were written.
TEST_F(BlockRoundTrip, EveryStyleTemplateAndEditorHabitReadsBack) {
    const unsigned habits[] = {kAsWritten, kLf,
                               kIndented,  kIndented | kFromText,
                               kTrimmed,   kLf | kIndented | kTrimmed | kTrailingBreak};
    for (CodeType_t style : StyleCodes()) {
        for (int templ : {0, 1, 2, 3, 4}) {
            SelectRemarkStyle(style);
            const std::string block = BuildRemarkBlock(templ, kFields);
            for (unsigned habit : habits) {
                const std::optional<ReadBack> read = ReadBlock(Edited(block, habit), style);
                const std::string what = "style " + std::to_string(style) + " template " +
                                         std::to_string(templ) + " habit " + std::to_string(habit);
                ASSERT_TRUE(read) << what;
                EXPECT_EQ(read->templ, templ) << what;
                EXPECT_EQ(read->style, style) << what;
                EXPECT_EQ(read->fields, Expected(templ)) << what;
                EXPECT_EQ(read->indent, habit & kIndented ? "\t  " : "") << what;
                EXPECT_EQ(read->firstIndent, (habit & kIndented) && !(habit & kFromText) ? "\t  " : "")
                    << what;
            }
        }
    }
}

// Styles that write the same texts: the one in force when it is among them, else the
// first in code order.
TEST_F(BlockRoundTrip, AlikeStylesKeepTheOneInForceElseTheFirst) {
    const struct {
        CodeType_t written, current, read;
    } cases[] = {{0, 3, 3}, {3, 5, 0}, {0, 15, 15}, {15, 7, 0}, {1, 2, 2}, {2, 0, 1}, {8, 0, 8}};
    for (const auto& c : cases) {
        SelectRemarkStyle(c.written);
        const std::optional<ReadBack> read = ReadBlock(BuildRemarkBlock(0, kFields), c.current);
        ASSERT_TRUE(read) << c.written;
        EXPECT_EQ(read->style, c.read) << c.written << " read with " << c.current << " in force";
    }
}

TEST_F(BlockRoundTrip, AnythingButAWholeBlockIsNone) {
    SelectRemarkStyle(0);
    const std::string block = BuildRemarkBlock(3, kFields);
    std::string noBlank = block;
    noBlank.erase(noBlank.rfind("\r\n\r\n"), 2);
    std::string otherLabel = block;
    otherLabel.replace(otherLabel.find("当前版本"), 12, "版本号码");
    const std::string cases[] = {
        block.substr(0, block.rfind("\r\n")),           // no closing line
        block.substr(block.find("\r\n") + 2),           // no opening line
        noBlank,                                        // no empty line before the closing line
        otherLabel,                                     // a label of no template
        "/* " + std::string(58, '=') + "\r\n*/",        // no field
        "*     开发人员：张三\r\n*     编写时间：今天", // fields alone
        "",
        "\r\n\r\n",
    };
    for (const std::string& text : cases)
        EXPECT_FALSE(ReadBlock(text, 0)) << text;
}

TEST_F(BlockRoundTrip, PlansAndWhatGoesBackIntoTheEditor) {
    SelectRemarkStyle(1);
    const std::string header = BuildRemarkBlock(3, kFields);
    const std::optional<FillPlan> reopened = ReadFillPlan(Edited(header, kIndented), 0);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened->templ, 3);
    EXPECT_EQ(reopened->todayField, 3) << "修改时间";
    EXPECT_EQ(reopened->style, CodeType_t{1});
    EXPECT_FALSE(reopened->keepCopied) << "the old block is replaced";
    EXPECT_EQ(PasteText(*reopened, "A\r\nB\r\n\r\nC", "ignored"), "\t  A\r\n\t  B\r\n\r\n\t  C");

    const std::string heading = "    def parse(self, text: str) -> Node:";
    const std::optional<FillPlan> filled = ReadFillPlan(heading, 0);
    ASSERT_TRUE(filled);
    EXPECT_EQ(filled->templ, 0);
    const std::vector<std::optional<std::string>> fields = {std::nullopt, std::nullopt, "parse", "text: str",
                                                            ""};
    EXPECT_EQ(filled->fields, fields);
    EXPECT_EQ(filled->focusField, 4);
    EXPECT_EQ(filled->style, CodeType_t{8}) << "python, by name";
    EXPECT_EQ(PasteText(*filled, "A\r\nB", heading), "    A\r\n    B\r\n" + heading);

    const std::optional<FillPlan> vb = ReadFillPlan("Public Sub Reset(ByVal all As Boolean)", 0);
    ASSERT_TRUE(vb);
    EXPECT_EQ(vb->templ, 1) << "a Sub is a procedure";
    EXPECT_EQ(vb->style, CodeType_t{1});
    SetCustomStyles({});
    EXPECT_EQ(ReadFillPlan("def f(x):", 0)->style, std::nullopt) << "no style of that name";
    EXPECT_EQ(ReadFillPlan("int f(int x);", 5)->style, std::nullopt) << "C keeps the style in force";
    EXPECT_FALSE(ReadFillPlan("printf(\"%d\", x);", 0));
    EXPECT_FALSE(ReadFillPlan(std::string(kMaxCopiedText + 1, ' ') + "int f(int x);", 0));
}

} // namespace
} // namespace inkwarden
