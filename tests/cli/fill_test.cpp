// fill as an editor's filter: the selection in, what paste-back would put in its place
// out, in the selection's line ends and code page; what it cannot read comes back as it was.
#include "cli_harness.h"

namespace inkwarden_testing {
namespace {

const std::string kAddHeading = "int Add(int a, int b)\n";
const std::string kRefreshedHeader = Block(0, 3, {"张三", "", "D", "D", "x"});

TEST_F(CliTest, FillWritesWhatPasteBackWould) {
    const std::string gbkHeading = "void f(const char* s = \"\xD6\xD0\")\r\n";
    const std::string longText(64 * 1024 + 1, 'x');
    struct Case {
        const char* what;
        std::string args, in, out;
        int status = 0;
    } const cases[] = {
        {"a C heading: the block above it, in the style in force", "", kAddHeading,
         Block(0, 0, {"张三", "D", "Add", "int a\r\nint b", ""}) + "\n" + kAddHeading},
        {"CR LF, a heading of two lines", "", "void f(int a,\r\n       int b)\r\n",
         Block(0, 0, {"张三", "D", "f", "int a\r\nint b", ""}, "\r\n") +
             "\r\nvoid f(int a,\r\n       int b)\r\n"},
        {"no line end at all: the system's", "", "void f()",
         Block(0, 0, {"张三", "D", "f", "", ""}) + "\nvoid f()"},
        {"a Python heading names its style", "", "def parse(self, text: str) -> Node:\n",
         Block(8, 0, {"张三", "D", "parse", "text: str", ""}) + "\ndef parse(self, text: str) -> Node:\n"},
        {"--style for a heading whose language is in doubt", "--style python", kAddHeading,
         Block(8, 0, {"张三", "D", "Add", "int a\r\nint b", ""}) + "\n" + kAddHeading},
        {"--template: one's own, by the fields it marks name and params", "--template 接口说明", kAddHeading,
         Block(0, 4, {"Add", "int a\r\nint b", ""}) + "\n" + kAddHeading},
        {"a block comes back refreshed, with the line end after it", "",
         Block(0, 3, {"张三", "", "D", "", "x"}) + "\n", kRefreshedHeader + "\n"},
        {"an old block and the heading under it that gained a parameter: one block again", "",
         Block(0, 0, {"李四", "2024", "Add", "int a：加数", "求和"}) + "\n" + kAddHeading,
         Block(0, 0, {"李四", "2024", "Add", "int a：加数\r\nint b", "求和"}) + "\n" + kAddHeading},
        {"code page 936 in, code page 936 out", "", gbkHeading,
         "/* ==========================================================\r\n*     "
         "\xBF\xAA\xB7\xA2\xC8\xCB\xD4\xB1\xA3\xBA"
         "\xD5\xC5\xC8\xFD\r\n*     \xB1\xE0\xD0\xB4\xCA\xB1\xBC\xE4\xA3\xBA"
         "D\r\n*     \xBA\xAF\xCA\xFD\xC3\xFB"
         "\xB3\xC6\xA3\xBA"
         "f\r\n*     \xB2\xCE\xCA\xFD\xCB\xB5\xC3\xF7\xA3\xBA"
         "const char* s = \"\xD6\xD0\"\r\n"
         "*     \xB9\xA6\xC4\xDC\xCB\xB5\xC3\xF7\xA3\xBA\r\n\r\n*/\r\n" +
             gbkHeading},
        {"neither heading nor block", "", "hello world\n", "hello world\n", 1},
        {"longer than 64 KiB", "", longText, longText, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Ran ran = Run("fill --ini scribbet.ini " + c.args, c.in);
        EXPECT_EQ(ran.status, c.status) << ran.err;
        EXPECT_EQ(ran.out, c.out);
        EXPECT_EQ(ran.err.empty(), c.status == 0) << ran.err;
    }
}

// The settings file in every encoding the window reads it in gives the same author and
// style; without --ini, the current folder's is read.
TEST_F(CliTest, SettingsReadInEveryEncodingAlike) {
    const std::string utf8 = "[main]\r\nwriter=\"李 四\"\r\ncode=4\r\ndate='D'\r\n";
    std::string le = "\xFF\xFE", be = "\xFE\xFF";
    for (char16_t c : std::u16string(u"[main]\r\nwriter=\"李 四\"\r\ncode=4\r\ndate='D'\r\n")) {
        le += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        be += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
    }
    const std::string gbk = "[main]\r\nwriter=\"\xC0\xEE \xCB\xC4\"\r\ncode=4\r\ndate='D'\r\n";
    const std::string expected = Block(4, 0, {"李 四", "D", "f", "", ""}) + "\nvoid f()\n";
    for (const std::string& file : {utf8, "\xEF\xBB\xBF" + utf8, le, be, gbk}) {
        SCOPED_TRACE(file);
        PutFile(Root() / "scribbet.ini", file);
        const Ran ran = Run("fill", "void f()\n");
        EXPECT_EQ(ran.status, 0) << ran.err;
        EXPECT_EQ(ran.out, expected);
    }
}

} // namespace
} // namespace inkwarden_testing
