#include "core/fill.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// An old block with the changed heading under it: the rows give the block's fields, what
// stands between, the heading, and the block the refresh plans.
struct RefreshRow {
    const char* what;
    CodeType_t style;
    int templ;
    std::vector<std::string> old; // the old block's fields
    std::string between;          // after the block's closing line, before the heading
    std::string heading;
    int newTempl;
    std::vector<std::string> fields; // the plan's; "@today" for the field dated today
    int focus;
    std::string caretAfter; // the caret is at the end of this, in the focused field; "" at its end
};

const std::vector<RefreshRow> kRefreshRows = {
    {"C++: renamed, a parameter added, a description kept after its full-width colon",
     0,
     0,
     {"张三", "2024-5-6", "Add", "int a：加数", "求和"},
     "\r\n",
     "long Plus(int a, long b) {",
     0,
     {"张三", "2024-5-6", "Plus", "int a：加数\r\nlong b", "求和"},
     3,
     "long b"},
    {"Java: an annotation between, a type changed, its dashed description kept",
     15,
     0,
     {"李四", "2024", "parse", "String s - the text\r\nint flags - unused", "解析"},
     "\r\n\r\n@Override\r\n",
     "public Node parse(CharSequence s) {",
     0,
     {"李四", "2024", "parse", "CharSequence s - the text", "解析"},
     4,
     ""},
    {"Python: a decorator; a description carried on a second line moves with its parameter",
     8,
     0,
     {"王", "d", "f", "x: int  横坐标\r\n    从左起\r\ny: int  纵坐标", "画点"},
     "\r\n@functools.lru_cache(maxsize=None)\r\n",
     "def f(self, y: int, x: int):",
     0,
     {"王", "d", "f", "y: int  纵坐标\r\nx: int  横坐标\r\n    从左起", "画点"},
     4,
     ""},
    {"Go: a removed parameter's entry goes",
     0,
     0,
     {"a", "b", "Handle", "w http.ResponseWriter：输出\r\nr *http.Request：请求\r\nn int：次数", "处理"},
     "\r\n",
     "func Handle(w http.ResponseWriter, r *http.Request) {",
     0,
     {"a", "b", "Handle", "w http.ResponseWriter：输出\r\nr *http.Request：请求", "处理"},
     4,
     ""},
    {"Rust: a renamed parameter at the same place takes the old entry; an attribute between",
     0,
     0,
     {"a", "b", "find", "pat: P - 模式\r\nlimit: usize - 上限", "查找"},
     "\r\n#[inline]\r\n",
     "pub fn find<P>(pattern: P, limit: usize) -> usize {",
     0,
     {"a", "b", "find", "pattern: P - 模式\r\nlimit: usize - 上限", "查找"},
     4,
     ""},
    {"C#: the lines before the first parameter stay first; an attribute between",
     0,
     0,
     {"a", "b", "Get", "参数如下：\r\nlong id\t编号", "取"},
     "\r\n[HttpGet(\"{id}\")]\r\n",
     "public async Task<Item> Get(long id, string name)",
     0,
     {"a", "b", "Get", "参数如下：\r\nlong id\t编号\r\nstring name", "取"},
     3,
     "string name"},
    {"JavaScript: names alone, reordered",
     7,
     0,
     {"a", "b", "f", "a：甲\r\nb：乙", "说明"},
     "\r\n",
     "function f(b, a) {",
     0,
     {"a", "b", "f", "b：乙\r\na：甲", "说明"},
     4,
     ""},
    {"PHP: $names, a note under one",
     3,
     0,
     {"a", "b", "show", "$x：横\r\n  注：像素\r\n$y：纵", "显示"},
     "\r\n",
     "public function show($y, $x): void",
     0,
     {"a", "b", "show", "$y：纵\r\n$x：横\r\n  注：像素", "显示"},
     4,
     ""},
    {"VB: a Sub that became a Function takes the function template, every field carried",
     1,
     1,
     {"a", "b", "Calc", "ByVal n As Long：个数", "计算"},
     "\r\n",
     "Public Function Calc(ByVal n As Long) As Double",
     0,
     {"a", "b", "Calc", "ByVal n As Long：个数", "计算"},
     4,
     ""},
    {"Delphi: a function that became a procedure takes the procedure template",
     4,
     0,
     {"a", "b", "TForm1.Go", "Sender: TObject：来源", "执行"},
     "\r\n",
     "procedure TForm1.Go(Sender: TObject);",
     1,
     {"a", "b", "TForm1.Go", "Sender: TObject：来源", "执行"},
     4,
     ""},
    {"a file header over a heading: modified today, the block's own style whatever the heading's language",
     0,
     3,
     {"张三", "1.0", "2020", "2021", "入口"},
     "\r\n",
     "def main():",
     3,
     {"张三", "1.0", "2020", "@today", "入口"},
     4,
     ""},
    {"a template of one's own with name and parameter fields",
     8,
     4,
     {"Old", "a：甲", "备注"},
     "\r\n",
     "def New(a, b):",
     4,
     {"New", "a：甲\r\nb", "备注"},
     1,
     "b"},
};

TEST_F(BlockRoundTrip, ABlockWithTheChangedHeadingUnderItIsRefreshedInPlace) {
    SetOwnTemplates({{4,
                      "接口",
                      {{"名称：", false, Prefill::Name},
                       {"参数：", true, Prefill::Params},
                       {"备注：", true, Prefill::None}}}});
    for (const RefreshRow& row : kRefreshRows) {
        SCOPED_TRACE(row.what);
        TemplateFields old;
        std::copy(row.old.begin(), row.old.end(), old.begin());
        SelectRemarkStyle(row.style);
        const std::string block = BuildRemarkBlock(row.templ, old);
        const std::string copied = block + row.between + row.heading;
        const std::optional<FillPlan> plan = ReadFillPlan(copied, row.style);
        ASSERT_TRUE(plan);
        EXPECT_EQ(plan->templ, row.newTempl);
        EXPECT_EQ(plan->style, row.style);
        std::vector<std::optional<std::string>> fields(row.fields.begin(), row.fields.end());
        const auto today = std::find(row.fields.begin(), row.fields.end(), "@today");
        EXPECT_EQ(plan->todayField,
                  today == row.fields.end() ? -1 : static_cast<int>(today - row.fields.begin()));
        if (today != row.fields.end())
            fields[static_cast<std::size_t>(today - row.fields.begin())] = row.old[3];
        EXPECT_EQ(plan->fields, fields);
        EXPECT_EQ(plan->focusField, row.focus);
        const std::string& focused = row.fields[static_cast<std::size_t>(row.focus)];
        EXPECT_EQ(plan->focusCaret, row.caretAfter.empty()
                                        ? std::string::npos
                                        : focused.find(row.caretAfter) + row.caretAfter.size());
        // Paste-back replaces the whole selection: the new block, then all after the old one.
        EXPECT_EQ(PasteText(*plan, "NEW", copied), "NEW\r\n" + copied.substr(block.size() + 2));
    }
    // A heading alone fills the template of one's own on show, not the function template.
    const std::optional<FillPlan> own = ReadFillPlan("int sum(int a, int b);", 0, 4);
    ASSERT_TRUE(own);
    EXPECT_EQ(own->templ, 4);
    const std::vector<std::optional<std::string>> ownFields = {"sum", "int a\r\nint b", ""};
    EXPECT_EQ(own->fields, ownFields);
    EXPECT_EQ(own->focusField, 2);
    EXPECT_EQ(ReadFillPlan("int sum(int a, int b);", 0, 2)->templ, 0) << "a built-in on show";
}

} // namespace
} // namespace inkwarden
