// Styles and templates of one's own read from real settings files, ANSI (code page 936)
// and UTF-16.
#include "settings/custom_styles.h"

#include "platform/platform.h"
#include "settings/module1.h"

#include "test_support.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace inkwarden {
namespace {

using namespace inkwarden_testing;

enum class Encoding { Ansi, Utf16 };
const Encoding kEncodings[] = {Encoding::Ansi, Encoding::Utf16};
const char* Name(Encoding encoding) {
    return encoding == Encoding::Ansi ? "ANSI" : "UTF-16";
}

std::string Encode(const std::wstring& text, Encoding encoding) {
    return encoding == Encoding::Utf16 ? "\xFF\xFE" + Utf16Bytes(text) : Gbk(text);
}

std::wstring Section(int code, const std::wstring& body, const wchar_t* kind = L"style") {
    return L"[" + (kind + std::to_wstring(code)) + L"]\r\n" + body;
}

// Sections first..last, each a valid style "langN".
std::wstring Sections(int first, int last) {
    std::wstring text;
    for (int code = first; code <= last; ++code)
        text += Section(code, L"name=lang" + std::to_wstring(code) + L"\r\nlead=\"# \"\r\n");
    return text;
}

// One line per style: "code name|lead|prefix|close".
std::vector<std::string> Listed(const std::vector<CustomStyle>& styles) {
    std::vector<std::string> lines;
    for (const CustomStyle& s : styles)
        lines.push_back(std::to_string(s.code) + " " + s.name + "|" + s.leadIn + "|" + s.prefix + "|" +
                        s.closing);
    return lines;
}

// One line per template: "code name|label|label…", "+" after a field of several lines,
// "@author", "@date", … after a field filled in.
std::vector<std::string> Listed(const std::vector<TemplateDef>& templates) {
    const char* const fills[] = {"", "@author", "@date", "@name", "@params", "@file"};
    std::vector<std::string> lines;
    for (const TemplateDef& t : templates) {
        lines.push_back(std::to_string(t.code) + " " + t.name);
        for (const TemplateField& f : t.fields)
            lines.back() += "|" + f.label + (f.multiline ? "+" : "") + fills[static_cast<int>(f.prefill)];
    }
    return lines;
}

using CustomStyleFile = ScratchFolderTest;

TEST_F(CustomStyleFile, ValidSectionsInCodeOrderInvalidOnesSkipped) {
    const std::wstring k200(200, L'墨'), k201(201, L'x');
    std::vector<std::string> all92;
    for (int code = 8; code <= 99; ++code)
        all92.push_back(std::to_string(code) + " lang" + std::to_string(code) + "|# ||");
    struct Case {
        const char* what;
        std::wstring file;
        std::vector<std::string> styles, templates = {};
    } const cases[] = {
        {"quoted blanks kept, unquoted ones trimmed",
         L"[main]\r\ncode=8\r\n" + Section(8, L"name=python\r\nlead=\"# \"\r\nprefix=\"#     \"\r\n") +
             Section(9, L"name = 中文 \r\nlead= -- \r\nprefix='--     '\r\nclose=\"  \"\r\n"),
         {"8 python|# |#     |", "9 中文|--|--     |  "}},
        {"templates in code order: fills, quoted blanks, multi, or else the last field",
         Section(9,
                 L"name=变更\r\nfield1=日期：\r\nfill1=DATE\r\nfield2=\" 人 \"\r\nfill2=author\r\n"
                 L"field3=内容\r\nfield4= 原因 \r\nfill4=x\r\nmulti=3,4\r\n",
                 L"template") +
             Section(4, L"name=api\r\nfield1=名称\r\nfield2=参数\r\n", L"template"),
         {},
         {"4 api|名称|参数+", "9 变更|日期：@date| 人 @author|内容+|原因+"}},
        {"templates without a name, a blank one, no field1, a gap after field2, an empty or blank label",
         Section(4, L"field1=a\r\n", L"template") + Section(5, L"name=\" \"\r\nfield1=a\r\n", L"template") +
             Section(6, L"name=n\r\nfield2=b\r\n", L"template") +
             Section(7, L"name=gap\r\nfield1=a\r\nfield2=b\r\nfield4=d\r\n", L"template") +
             Section(8, L"name=e\r\nfield1=a\r\nfield2=\r\nfield3=c\r\n", L"template") +
             Section(9, L"name=b\r\nfield1=\"  \"\r\n", L"template"),
         {},
         {"7 gap|a|b+", "8 e|a+"}},
        {"heading and file fills",
         Section(
             4, L"name=h\r\nfield1=a\r\nfill1=Name\r\nfield2=b\r\nfill2=params\r\nfield3=c\r\nfill3=FILE\r\n",
             L"template"),
         {},
         {"4 h|a@name|b@params|c+@file"}},
        {"name missing, empty or blank",
         Section(8, L"lead=a\r\n") + Section(9, L"name=\r\n") + Section(10, L"name=\"   \"\r\n") +
             Section(11, L"name=ok\r\n"),
         {"11 ok|||"}},
        {"200 characters (400 bytes in ANSI) kept, 201 in any value not",
         Section(8, L"name=long\r\nprefix=" + k200 + L"\r\n") + Section(9, L"name=" + k201 + L"\r\n") +
             Section(10, L"name=a\r\nlead=" + k201 + L"\r\n") +
             Section(11, L"name=b\r\nclose=" + k201 + L"\r\n") +
             Section(4, L"name=t\r\nfield1=" + k200 + L"\r\n", L"template") +
             Section(5, L"name=u\r\nfield1=a\r\nfill1=" + k201 + L"\r\n", L"template"),
         {"8 long||" + Narrow(k200) + "|"},
         {"4 t|" + Narrow(k200) + "+"}},
        {"a lone CR ends the line, as the profile calls read it",
         Section(8, L"name=cr\r\nlead=a\rb\r\n") + Section(4, L"name=cr\r\nfield1=a\rb\r\n", L"template"),
         {"8 cr|a||"},
         {"4 cr|a+"}},
        {"sections outside 8 to 99, [style3] included, and templates outside 4 to 99",
         Sections(3, 3) + Sections(7, 7) + Sections(100, 100) +
             L"[style-9]\r\nname=d\r\n[style08]\r\nname=e\r\n[style 9]\r\nname=f\r\n[style]\r\nname=g\r\n"
             L"[style99x]\r\nname=i\r\n[STYLE99]\r\nname=upper\r\n" +
             Section(3, L"name=a\r\nfield1=x\r\n", L"template") +
             Section(4, L"name=b\r\nfield1=x\r\n", L"template0") +
             Section(100, L"name=c\r\nfield1=x\r\n", L"template") +
             Section(99, L"name=upper\r\nfield1=x\r\n", L"TEMPLATE"),
         {"99 upper|||"},
         {"99 upper|x+"}},
        {"duplicate names both listed, in code order",
         Section(12, L"name=sql\r\nlead=\"-- \"\r\n") + Section(9, L"name=sql\r\nlead=\"// \"\r\n"),
         {"9 sql|// ||", "12 sql|-- ||"}},
        {"a hundred sections after the main keys",
         L"[main]\r\ncode=8\r\nwriter=张三\r\nmin=0\r\nrun=0\r\n" + Sections(0, 99), all92},
        {"empty file", L"", {}},
    };
    for (Encoding encoding : kEncodings) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + ", " + Name(encoding));
            const std::string bytes = Encode(c.file, encoding);
            WriteBytes(Ini(), bytes);
            const OwnSections own = ReadOwnSections(Ini());
            EXPECT_EQ(Listed(own.styles), c.styles);
            EXPECT_EQ(Listed(own.templates), c.templates);
            EXPECT_TRUE(ReadBytes(Ini()) == bytes) << "reading must not change the file";
        }
    }
}

// A section is read with one call and its quotes are taken off the way the key-by-key
// read does it; the two must agree on every kind of value.
TEST_F(CustomStyleFile, SectionReadAgreesWithTheKeyByKeyRead) {
    const std::wstring text =
        L"[s]\r\na=plain\r\nb=  blanks around  \r\nc=\"  quoted  \"\r\nd='  single  '\r\n"
        L"e=\"mismatched'\r\nf=\"\r\ng=\"\"\r\nh=''\r\ni=\"inner\" text\r\nj=x=y\r\n"
        L"  k  =  v  \r\nl=\r\nL=second of l\r\nm=\"a\"b\"\r\nn=墨 守\r\n;o=comment\r\np\r\n"
        L"q=\t\"tab\"\t\r\nr='\"'\r\n";
    for (Encoding encoding : kEncodings) {
        SCOPED_TRACE(Name(encoding));
        WriteBytes(Ini(), Encode(text, encoding));
        const ProfileSection section = ReadProfileSection(L"s", Ini());
        for (const wchar_t* key : {L"a", L"b", L"c", L"d", L"e", L"f", L"g", L"h", L"i", L"j",
                                   L"k", L"l", L"L", L"m", L"n", L"o", L"p", L"q", L"r", L"absent"})
            EXPECT_EQ(Narrow(section.Value(key)), Narrow(ReadProfileValue(L"s", key, Ini()))) << Narrow(key);
    }
}

// The file delivered beside the exe: the reset values, ready styles, each written as the
// built-ins are (a lead-in ending in a blank, a mark and five blanks as prefix), and two
// templates.
TEST_F(CustomStyleFile, DeliveredFileHoldsResetValuesAndPresets) {
    std::wstring delivered = L"Z:" + Widen(INKWARDEN_ASSETS_DIR "/scribbet.ini");
    std::replace(delivered.begin(), delivered.end(), L'/', L'\\');
    ASSERT_EQ(ReadBytes(delivered).substr(0, 2), "\xFF\xFE") << "UTF-16, so any author name survives";
    const std::wstring code = std::to_wstring(*kResetValues.code);
    ExpectEachMaps([&](const wchar_t* key) { return ReadIniValue(kIniSection, key, delivered); },
                   {{keys::kCode, code.c_str()},
                    {keys::kWriter, kResetValues.writer.c_str()},
                    {keys::kMin, FlagText(kResetValues.minAtStart)},
                    {keys::kRun, FlagText(kResetValues.autoRun)},
                    {keys::kHotkey, kResetValues.hotkey->c_str()},
                    {keys::kDate, kResetValues.date.c_str()}});
    EXPECT_EQ(Listed(ReadOwnSections(delivered).templates),
              (std::vector<std::string>{
                  "4 接口说明|接口名称：@name|请求方式：|参数说明：+@params|返回值：+|作者：@author",
                  "5 变更记录|变更日期：@date|变更人：@author|变更内容：+|审核人："}));
    std::vector<std::string> names;
    for (const CustomStyle& s : ReadCustomStyles(delivered)) {
        SCOPED_TRACE(s.name);
        names.push_back(s.name);
        EXPECT_EQ(s.code, kFirstCustomCode + static_cast<int>(names.size()) - 1) << "numbered without gaps";
        const std::size_t leadBlank = s.leadIn.find(' '), prefixBlank = s.prefix.find(' ');
        ASSERT_TRUE(leadBlank > 0 && leadBlank != std::string::npos && prefixBlank > 0 &&
                    prefixBlank != std::string::npos);
        EXPECT_EQ(s.leadIn.substr(leadBlank), " ");
        EXPECT_EQ(s.prefix.substr(prefixBlank), "     ");
        EXPECT_EQ(s.closing.find(' '), std::string::npos);
    }
    for (const char* wanted :
         {"python", "shell", "powershell", "sql", "lua", "go", "rust", "java", "c#", "typescript", "yaml"})
        EXPECT_NE(std::find(names.begin(), names.end(), wanted), names.end()) << wanted;

    // Storing a code changes that value and nothing else: comments and styles stay. (The
    // file has no blank lines: Wine's profile calls drop them when they write.)
    std::string bytes = ReadBytes(delivered);
    WriteBytes(Ini(), bytes);
    ASSERT_EQ(WriteIniValue(kIniSection, keys::kCode, L"9", Ini()), 1);
    const std::string code1 = Utf16Bytes(L"code=1");
    ASSERT_NE(bytes.find(code1), std::string::npos);
    bytes.replace(bytes.find(code1), code1.size(), Utf16Bytes(L"code=9"));
    EXPECT_TRUE(ReadBytes(Ini()) == bytes);
}

// Prints how long reading takes: the four keys alone (the whole load before styles of
// one's own), then the style sections, without and with all 92 of them.
TEST_F(CustomStyleFile, LoadTimeWithNinetyTwoSections) {
    const auto medianMs = [](auto read) {
        std::vector<double> ms;
        for (int i = 0; i < 21; ++i) {
            const auto start = std::chrono::steady_clock::now();
            read();
            ms.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        std::sort(ms.begin(), ms.end());
        return ms[ms.size() / 2];
    };
    const auto fourKeys = [&] {
        for (const wchar_t* key : {L"writer", L"min", L"run", L"code"})
            ReadIniValue(kIniSection, key, Ini());
    };
    const auto styles = [&] { return ReadCustomStyles(Ini()).size(); };
    const std::wstring mainKeys = L"[main]\r\ncode=8\r\nwriter=张三\r\nmin=0\r\nrun=0\r\n";
    for (Encoding encoding : kEncodings) {
        WriteBytes(Ini(), Encode(mainKeys, encoding));
        const double before = medianMs(fourKeys), none = medianMs(styles);
        WriteBytes(Ini(), Encode(mainKeys + Sections(8, 99), encoding));
        ASSERT_EQ(styles(), 92u);
        std::printf("[ load time ] %s, median of 21: four keys %.3f ms; style sections: none %.3f ms, "
                    "92 of them %.3f ms\n",
                    Name(encoding), before, none, medianMs(styles));
    }
}

} // namespace
} // namespace inkwarden
