#include "core/remark.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace inkwarden {
namespace {

const std::string kRule(58, '=');

// Puts the process-wide style texts back to their state at process start.
void ForgetStyle() {
    OpeningLine.clear();
    LinePrefix.clear();
    ClosingLine.clear();
}

struct StyleCase {
    CodeType_t code;
    const char* name;
    std::string opening;
    std::size_t openingLength;
    const char* prefix;
    std::string closing;
};

class StyleTable : public ::testing::TestWithParam<StyleCase> {};

TEST_P(StyleTable, SelectSetsAllThreeTextsAndReturnsTheName) {
    const StyleCase& c = GetParam();
    ForgetStyle();
    EXPECT_EQ(SelectRemarkStyle(c.code), c.name);
    EXPECT_EQ(OpeningLine, c.opening);
    EXPECT_EQ(OpeningLine.size(), c.openingLength);
    EXPECT_EQ(LinePrefix, c.prefix);
    EXPECT_EQ(ClosingLine, c.closing);
    EXPECT_EQ(StyleCaption(c.name), std::string("当前语言类型为  ") + c.name);
}

INSTANTIATE_TEST_SUITE_P(AllEight, StyleTable,
                         ::testing::Values(StyleCase{0, "c++/c", "/* " + kRule, 61, "*     ", "*/"},
                                           StyleCase{1, "vb", "'' " + kRule, 61, "'     ", "'' " + kRule},
                                           StyleCase{2, "asp", "'' " + kRule, 61, "'     ", "'' " + kRule},
                                           StyleCase{3, "php", "/* " + kRule, 61, "*     ", "*/"},
                                           StyleCase{4, "delphi", "// " + kRule, 61, "//     ",
                                                     "// " + kRule},
                                           StyleCase{5, "vfp", "* " + kRule, 60, "*     ", "* " + kRule},
                                           StyleCase{6, "html", "<!-- " + kRule, 63, "     ", "-->"},
                                           StyleCase{7, "javascript", "/*- " + kRule, 62, "*     ", "-*/"}));

TEST(StyleSelection, CaptionPrefixIsSevenCharactersAndTwoBlanks) {
    // 7 CJK characters of 3 UTF-8 bytes each, then two blanks.
    EXPECT_EQ(std::string(kStyleCaptionPrefix), "当前语言类型为  ");
    EXPECT_EQ(std::string(kStyleCaptionPrefix).size(), 7u * 3u + 2u);
}

TEST(StyleSelection, OutOfRangeCodesChangeNothingAndYieldNoName) {
    for (CodeType_t bad : {CodeType_t(8), CodeType_t(-1), CodeType_t(32767), CodeType_t(-32768)}) {
        SelectRemarkStyle(6);
        EXPECT_EQ(SelectRemarkStyle(bad), "") << bad;
        EXPECT_EQ(OpeningLine, "<!-- " + kRule) << bad;
        EXPECT_EQ(LinePrefix, "     ") << bad;
        EXPECT_EQ(ClosingLine, "-->") << bad;
        EXPECT_EQ(StyleCaption(""), "当前语言类型为  ");
    }
}

TEST(StyleSelection, FirstSelectionOutOfRangeLeavesTextsEmpty) {
    ForgetStyle();
    EXPECT_EQ(SelectRemarkStyle(8), "");
    EXPECT_EQ(OpeningLine, "");
    EXPECT_EQ(LinePrefix, "");
    EXPECT_EQ(ClosingLine, "");
}

TEST(StyleSelection, CodeOneThenZeroReplacesTheClosingLine) {
    SelectRemarkStyle(1);
    ASSERT_EQ(ClosingLine, "'' " + kRule);
    SelectRemarkStyle(0);
    EXPECT_EQ(OpeningLine, "/* " + kRule);
    EXPECT_EQ(LinePrefix, "*     ");
    EXPECT_EQ(ClosingLine, "*/");
}

struct LabelCase {
    int kind;
    const char* labels[5];
    bool multiline[5];
    Prefill prefill[5];
};

TEST(Templates, LabelsLineKindsAndStartUpFill) {
    const Prefill N = Prefill::None, A = Prefill::Author, D = Prefill::Date, Nm = Prefill::Name,
                  P = Prefill::Params, F = Prefill::File;
    const LabelCase cases[] = {
        {0,
         {"开发人员：", "编写时间：", "函数名称：", "参数说明：", "功能说明："},
         {false, false, false, true, true},
         {A, D, Nm, P, N}},
        {1,
         {"开发人员：", "编写时间：", "过程名称：", "参数说明：", "功能说明："},
         {false, false, false, true, true},
         {A, D, Nm, P, N}},
        {2,
         {"版权说明：", "工程名称：", "文件名：", "目的：", "更新说明:"},
         {true, false, false, false, true},
         {A, N, F, N, N}},
        {3,
         {"开发人员：", "当前版本：", "创建时间：", "修改时间：", "功能说明："},
         {false, false, false, false, true},
         {A, N, D, N, N}},
    };
    for (const LabelCase& c : cases) {
        for (int line = 0; line < 5; ++line) {
            const TemplateField& f = TemplateFieldAt(c.kind, line);
            EXPECT_EQ(f.label, c.labels[line]) << c.kind << "/" << line;
            EXPECT_EQ(f.multiline, c.multiline[line]) << c.kind << "/" << line;
            EXPECT_EQ(f.prefill, c.prefill[line]) << c.kind << "/" << line;
        }
    }
    // Outside the table: an empty field, never a read past it.
    for (auto [kind, line] : {std::pair{4, 0}, {-1, 0}, {0, 5}, {3, -1}, {1 << 30, 1 << 30}})
        EXPECT_EQ(TemplateFieldAt(kind, line).label, "") << kind << "/" << line;
}

TEST(BuildRemarkBlock, WorkedExampleByteForByte) {
    SelectRemarkStyle(0);
    const std::string block = BuildRemarkBlock(0, {"dev", "2004-5-12", "Sum", "a, b", "Adds a\r\nand b."});
    const std::string expected = "/* " + kRule +
                                 "\r\n"
                                 "*     开发人员：dev\r\n"
                                 "*     编写时间：2004-5-12\r\n"
                                 "*     函数名称：Sum\r\n"
                                 "*     参数说明：a, b\r\n"
                                 "*     功能说明：Adds a\r\n"
                                 "*                         and b.\r\n"
                                 "\r\n"
                                 "*/";
    EXPECT_EQ(block, expected);
    std::size_t pairs = 0;
    for (std::size_t p = block.find("\r\n"); p != std::string::npos; p = block.find("\r\n", p + 2))
        ++pairs;
    EXPECT_EQ(pairs, 8u);
}

TEST(BuildRemarkBlock, WorkedExampleInStyleOne) {
    SelectRemarkStyle(1);
    const std::string expected = "'' " + kRule +
                                 "\r\n"
                                 "'     开发人员：dev\r\n"
                                 "'     编写时间：2004-5-12\r\n"
                                 "'     函数名称：Sum\r\n"
                                 "'     参数说明：a, b\r\n"
                                 "'     功能说明：Adds a\r\n"
                                 "'                         and b.\r\n"
                                 "\r\n"
                                 "'' " +
                                 kRule;
    EXPECT_EQ(BuildRemarkBlock(0, {"dev", "2004-5-12", "Sum", "a, b", "Adds a\r\nand b."}), expected);
}

struct BlockCase {
    const char* what;
    CodeType_t style; // -1: no style selected in this process yet
    int kind;
    TemplateFields fields;
    std::string expected;
};

class BlockEdgeCases : public ::testing::TestWithParam<BlockCase> {};

TEST_P(BlockEdgeCases, Exact) {
    const BlockCase& c = GetParam();
    ForgetStyle();
    if (c.style >= 0)
        SelectRemarkStyle(c.style);
    EXPECT_EQ(BuildRemarkBlock(c.kind, c.fields), c.expected) << c.what;
}

const std::string kC = "/* " + kRule + "\r\n";

INSTANTIATE_TEST_SUITE_P(
    Table, BlockEdgeCases,
    ::testing::Values(
        BlockCase{"all fields empty: 8 lines, 7 CR LF pairs",
                  0,
                  0,
                  {"", "", "", "", ""},
                  kC + "*     开发人员：\r\n*     编写时间：\r\n*     函数名称：\r\n*     参数说明：\r\n"
                       "*     功能说明：\r\n\r\n*/"},
        BlockCase{"trailing line break in field 5",
                  0,
                  1,
                  {"a", "b", "c", "d", "e\r\n"},
                  kC + "*     开发人员：a\r\n*     编写时间：b\r\n*     过程名称：c\r\n*     参数说明：d\r\n"
                       "*     功能说明：e\r\n*                         \r\n\r\n*/"},
        BlockCase{"line break in field 1 of the copyright template is not indented",
                  0,
                  2,
                  {"(c) me\r\nall rights", "P", "f.c", "why", "none"},
                  kC + "*     版权说明：(c) me\r\nall rights\r\n*     工程名称：P\r\n*     文件名：f.c\r\n"
                       "*     目的：why\r\n*     更新说明:none\r\n\r\n*/"},
        BlockCase{
            "lone LF and lone CR stay unchanged, CR LF after them is indented",
            0,
            3,
            {"me", "1.0", "d", "x\ny", "p\rq\r\nr"},
            kC + "*     开发人员：me\r\n*     当前版本：1.0\r\n*     创建时间：d\r\n*     修改时间：x\ny\r\n"
                 "*     功能说明：p\rq\r\n*                         r\r\n\r\n*/"},
        BlockCase{"style 6: five-blank prefix, 25-blank continuation",
                  6,
                  0,
                  {"", "", "", "l1\r\nl2", ""},
                  "<!-- " + kRule +
                      "\r\n     开发人员：\r\n     编写时间：\r\n     函数名称：\r\n     参数说明：l1\r\n" +
                      std::string(25, ' ') + "l2\r\n     功能说明：\r\n\r\n-->"},
        BlockCase{"no style selected: empty first line, bare labels, 20-blank indent",
                  -1,
                  0,
                  {"a", "", "", "", "x\r\ny"},
                  "\r\n开发人员：a\r\n编写时间：\r\n函数名称：\r\n参数说明：\r\n功能说明：x\r\n" +
                      std::string(20, ' ') + "y\r\n\r\n"},
        BlockCase{"terminators typed in a field go in unchanged",
                  0,
                  0,
                  {"*/", "", "", "", "-->"},
                  kC + "*     开发人员：*/\r\n*     编写时间：\r\n*     函数名称：\r\n*     参数说明：\r\n"
                       "*     功能说明：-->\r\n\r\n*/"},
        BlockCase{"template kind outside 0..3: no block", 0, 4, {"a", "b", "c", "d", "e"}, ""},
        BlockCase{"negative template kind: no block", 0, -1, {"a", "b", "c", "d", "e"}, ""},
        BlockCase{
            "consecutive CR LF pairs are each replaced",
            4,
            0,
            {"", "", "", "\r\n\r\n", ""},
            "// " + kRule +
                "\r\n//     开发人员：\r\n//     编写时间：\r\n//     函数名称：\r\n//     参数说明：\r\n//" +
                std::string(25, ' ') + "\r\n//" + std::string(25, ' ') + "\r\n//     功能说明：\r\n\r\n// " +
                kRule}));

TEST(Gettxt, UsesTheCurrentPrefixAndLeavesItsArgumentAlone) {
    SelectRemarkStyle(4);
    const std::string in = "a\r\nb\r\n";
    const std::string indent = "\r\n//" + std::string(25, ' ');
    EXPECT_EQ(gettxt(in), "a" + indent + "b" + indent);
    EXPECT_EQ(in, "a\r\nb\r\n");
    SelectRemarkStyle(7);
    EXPECT_EQ(gettxt("\r\n"), "\r\n*" + std::string(25, ' '));
    EXPECT_EQ(gettxt("\n\r"), "\n\r");
    EXPECT_EQ(gettxt(""), "");
}

TEST(BuildRemarkBlock, StyleChangeAppliesToTheNextBlock) {
    SelectRemarkStyle(5);
    const std::string vfp = BuildRemarkBlock(3, {"", "", "", "", ""});
    SelectRemarkStyle(3);
    const std::string php = BuildRemarkBlock(3, {"", "", "", "", ""});
    EXPECT_EQ(vfp.substr(0, 2), "* ");
    EXPECT_EQ(php.substr(0, 3), "/* ");
    EXPECT_EQ(php.substr(php.size() - 2), "*/");
}

TEST(BuildRemarkBlock, LargeFieldIsCarriedWhole) {
    SelectRemarkStyle(0);
    std::string big;
    for (int i = 0; i < 8000; ++i)
        big += std::string(62, 'x') + "\r\n";
    const std::string block = BuildRemarkBlock(0, {"", "", "", "", big});
    const std::size_t indentGrowth = 8000u * 26u; // each CR LF gains prefix + 20 blanks
    const std::size_t fixed = BuildRemarkBlock(0, {"", "", "", "", ""}).size();
    EXPECT_EQ(block.size(), fixed + big.size() + indentGrowth);
    EXPECT_EQ(block.capacity(), block.size()) << "allocated at its exact size";
}

// Long fields go through the block-at-a-time paths: every kind of line break, at every
// offset against their 32-byte steps, must come out as a plain search and replace gives
// it, at each scan width the processor allows.
class LongFields : public ::testing::TestWithParam<ScanWidth> {
protected:
    void SetUp() override {
        if (LimitScanWidth(GetParam()) != GetParam())
            GTEST_SKIP() << "this processor cannot scan at that width";
    }
    void TearDown() override { LimitScanWidth(ScanWidth::Avx2); }
};

TEST_P(LongFields, MatchAPlainReplace) {
    auto plain = [](const std::string& s, const std::string& indent) {
        std::string out;
        for (std::size_t i = 0; i < s.size(); ++i) {
            out += s[i];
            if (s[i] == '\n' && i > 0 && s[i - 1] == '\r')
                out += indent;
        }
        return out;
    };
    auto repeat = [](const std::string& unit, std::size_t bytes) {
        std::string s;
        while (s.size() < bytes)
            s += unit;
        return s;
    };
    const std::string texts[] = {
        repeat("\r\n", 300),                            // nothing but line breaks
        repeat("a\r\n", 300),                           // two breaks in most 32-byte steps
        repeat(std::string(29, 'x') + "\r\n", 400),     // breaks straddling the steps
        repeat(std::string(61, 'y') + "\r\n\r\n", 700), // prose with blank lines
        repeat("\r\r\n\n\n\r", 300),                    // lone CR and LF around pairs
        "\n" + repeat("z\r\n", 200) + "\r",             // starts with LF, ends with CR
        repeat("\r\n", 40000), // more breaks than a byte counter holds before it is summed
        std::string(200, 'v'), // no break at all: nothing may be written past the end
        repeat("w\r\n", 100) + std::string(95, 'w'), // a last stretch without breaks
    };
    for (CodeType_t style : {CodeType_t(0), CodeType_t(4), CodeType_t(6)}) {
        SelectRemarkStyle(style);
        const std::string indent = LinePrefix + std::string(20, ' ');
        for (const std::string& text : texts)
            for (std::size_t skip : {0, 1, 17, 31}) {
                const std::string s = text.substr(skip);
                EXPECT_EQ(gettxt(s), plain(s, indent)) << "style " << style << ", skip " << skip;
                // As the last field of a block, followed only by the short closing lines.
                const std::string block = BuildRemarkBlock(0, {"", "", "", "", s});
                const std::string tail = plain(s, indent) + "\r\n\r\n" + ClosingLine;
                EXPECT_EQ(block.substr(block.size() - std::min(block.size(), tail.size())), tail);
            }
    }
    // A prefix too long for the fixed-size stores takes the general path.
    LinePrefix = std::string(40, '#');
    EXPECT_EQ(gettxt(texts[1]), plain(texts[1], LinePrefix + std::string(20, ' ')));
}

std::string WidthName(const ::testing::TestParamInfo<ScanWidth>& info) {
    const char* const names[] = {"Bytewise", "Sse2", "Avx2"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(EachScanWidth, LongFields,
                         ::testing::Values(ScanWidth::Bytewise, ScanWidth::Sse2, ScanWidth::Avx2), WidthName);

} // namespace
} // namespace inkwarden
