// What the command line takes from the core besides blocks: dates by a picture, a settings
// text, the style a file's extension calls for.
#include "core/date_picture.h"
#include "core/file_styles.h"
#include "core/ini_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace inkwarden {
namespace {

TEST(DatePicture, EveryElementAsTheSystemWritesIt) {
    const Day day{2024, 5, 6}; // a Monday
    const struct {
        const char* picture;
        std::optional<std::string> text;
    } cases[] = {
        {"yyyy-MM-dd", "2024-05-06"},
        {"yyyy/M/d", "2024/5/6"},
        {"yyyy年M月d日", "2024年5月6日"},
        {"yy.MM.dd", "24.05.06"},
        {"y", "24"},
        {"ddd dddd", "周一 星期一"},
        {"MMM MMMM", "5月 五月"},
        {"'yyyy' is yyyy", "yyyy is 2024"},
        {"'it''s' d", "it's 6"},
        {"'unclosed d", "unclosed d"},
        {"gg yyyy", "公元 2024"},
        {"", ""},
        {"yyyy-MM-dd yyyy-MM-dd yyyy-MM-dd 1234567", "2024-05-06 2024-05-06 2024-05-06 1234567"}, // 40
        {"yyyy-MM-dd yyyy-MM-dd yyyy-MM-dd 12345678", std::nullopt},                              // 41
    };
    for (const auto& c : cases)
        EXPECT_EQ(DateByPicture(day, c.picture), c.text) << c.picture;
    EXPECT_EQ(DateByPicture({2023, 12, 31}, "dddd MMMM"), "星期日 十二月");
    EXPECT_EQ(DateByPicture({2000, 10, 1}, "ddd MMMM"), "周日 十月");
}

std::vector<std::string> Listed(const IniText& ini) {
    std::vector<std::string> lines;
    for (const IniSection& section : ini.sections) {
        lines.push_back("[" + section.name + "]");
        for (const IniSection::Entry& e : section.entries)
            lines.push_back(e.key + "=" + e.value + "|");
    }
    return lines;
}

TEST(IniTextReading, SectionsKeysAndValuesAsTheProfileCallsGiveThem) {
    const std::string text =
        "lost=before any section\r\n [main] ; note\r\nwriter = \"张 三\" \rdate='yy'\n"
        "code\r\n;code=2\r\n\f code =3\r\n[ style8 ]\r\nname=\"py\r\n[half\r\n=empty key\r\n";
    EXPECT_EQ(Listed(ParseIniText(text)),
              (std::vector<std::string>{"[main]", "writer=张 三|", "date=yy|", "code=3|", "[style8]",
                                        "name=\"py|", "=empty key|"}));
    const IniText ini = ParseIniText("[A]\nk=1\n[a]\nk=2\nK=3\n");
    ASSERT_TRUE(ini.Find("a"));
    EXPECT_EQ(ini.Find("a")->Value("K"), "1") << "the first section and key of a name, any letter case";
    EXPECT_EQ(ini.Names(), (std::vector<std::string>{"A", "a"}));
}

TEST(FileStyles, ExtensionsOfTheBuiltInsAndThoseOfOnesOwnOverThem) {
    IniSection python{"style8", {{"name", "python"}, {"ext", " .py,pyw  PYI"}}};
    IniSection headers{"style12", {{"name", "hdr"}, {"ext", "h"}}};
    IniSection again{"style9", {{"name", "again"}, {"ext", "py"}}};
    IniSection tooLong{"style10", {{"name", "x"}, {"ext", std::string(201, 'e')}}};
    std::vector<CustomStyle> own;
    for (const IniSection* s : {&python, &headers, &again})
        own.push_back(*StyleOfSection(static_cast<CodeType_t>(CustomStyleCode(s->name)), *s));
    EXPECT_EQ(own[0].extensions, (std::vector<std::string>{"py", "pyw", "pyi"}));
    EXPECT_FALSE(StyleOfSection(10, tooLong)) << "ext is held to 200 characters as every value";
    SetCustomStyles(own);
    const struct {
        const char* file;
        CodeType_t style;
    } cases[] = {
        {"a.c", 0},      {"A.CPP", 0}, {"x.inl", 0},   {"m.frm", 1},    {"p.asp", 2},
        {"i.php", 3},    {"u.dpr", 4}, {"v.prg", 5},   {"x.xaml", 6},   {"j.cjs", 7},
        {"s.py", 8},     {"s.PYW", 8}, {"t.h", 12},    {"c.hpp", 0},    {"README", -1},
        {".bashrc", -1}, {"x.", -1},   {"a.json", -1}, {"a.tar.h", 12}, {"dir.c/x", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StyleForFile(c.file), c.style) << c.file;
    EXPECT_EQ(StyleByName("Python"), 8);
    EXPECT_EQ(StyleByName("6"), 6);
    EXPECT_EQ(StyleByName("c++/c"), 0);
    EXPECT_EQ(StyleByName("cobol"), -1);
    SetCustomStyles({});
}

} // namespace
} // namespace inkwarden
