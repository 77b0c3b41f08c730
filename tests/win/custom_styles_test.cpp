// Styles of one's own read from real settings files, ANSI (code page 936) and UTF-16.
#include "settings/custom_styles.h"

#include "core/remark.h"
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

using inkwarden_test::Hex;
using inkwarden_test::ReadBytes;
using inkwarden_test::ScratchFolderTest;
using inkwarden_test::Utf16Bytes;
using inkwarden_test::WriteBytes;

enum class Encoding { Ansi, Utf16 };

std::string Encode(const std::wstring& text, Encoding encoding) {
    if (encoding == Encoding::Utf16)
        return "\xFF\xFE" + Utf16Bytes(text);
    const int n =
        WideCharToMultiByte(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(936, 0, text.data(), static_cast<int>(text.size()), &bytes[0], n, nullptr, nullptr);
    return bytes;
}

// One line per style: "code name|lead|prefix|close".
std::vector<std::string> Listed(const std::vector<CustomStyle>& styles) {
    std::vector<std::string> lines;
    for (const CustomStyle& s : styles)
        lines.push_back(std::to_string(s.code) + " " + s.name + "|" + s.leadIn + "|" + s.prefix + "|" +
                        s.closing);
    return lines;
}

std::wstring Section(int code, const std::wstring& body) {
    return L"[style" + std::to_wstring(code) + L"]\r\n" + body;
}

std::wstring Sections(int first, int last) {
    std::wstring text;
    for (int code = first; code <= last; ++code)
        text +=
            Section(code, L"name=lang" + std::to_wstring(code) + L"\r\nlead=\"# \"\r\nprefix=\"#     \"\r\n");
    return text;
}

std::vector<std::string> ListedRange(int first, int last) {
    std::vector<std::string> lines;
    for (int code = first; code <= last; ++code)
        lines.push_back(std::to_string(code) + " lang" + std::to_string(code) + "|# |#     |");
    return lines;
}

class CustomStyleFile : public ScratchFolderTest {
protected:
    std::wstring Ini() const { return IniPathIn(folder_); }
};

TEST_F(CustomStyleFile, ValidSectionsInCodeOrderInvalidOnesSkipped) {
    const std::wstring k200(200, L'墨'), k201(201, L'x');
    struct Case {
        const char* what;
        std::wstring file;
        std::vector<std::string> styles;
    } const cases[] = {
        {"quoted blanks kept, unquoted ones trimmed",
         L"[main]\r\ncode=8\r\n" + Section(8, L"name=python\r\nlead=\"# \"\r\nprefix=\"#     \"\r\n") +
             Section(9, L"name = sql \r\nlead= -- \r\nprefix=\"--     \"\r\nclose=\"  \"\r\n"),
         {"8 python|# |#     |", "9 sql|--|--     |  "}},
        {"Chinese name, all four keys",
         Section(30, L"name=中文注释\r\nlead=<# \r\nprefix=\"#     \"\r\nclose=#>\r\n"),
         {"30 中文注释|<#|#     |#>"}},
        {"name missing, empty or blank",
         Section(8, L"lead=\"# \"\r\n") + Section(9, L"name=\r\n") + Section(10, L"name=\"   \"\r\n") +
             Section(11, L"name=ok\r\n"),
         {"11 ok|||"}},
        {"200 characters (400 bytes in ANSI) kept, 201 not",
         Section(8, L"name=long\r\nprefix=" + k200 + L"\r\n") +
             Section(9, L"name=over\r\nlead=" + k201 + L"\r\n") + Section(10, L"name=" + k201 + L"\r\n") +
             Section(11, L"name=x\r\nclose=" + k201 + L"\r\n"),
         {"8 long||" + Narrow(k200) + "|"}},
        {"sections outside 8 to 99",
         Section(0, L"name=a\r\n") + Section(7, L"name=b\r\n") + Section(100, L"name=c\r\n") +
             L"[style-9]\r\nname=d\r\n[style08]\r\nname=e\r\n[style 9]\r\nname=f\r\n[style]\r\nname=g\r\n"
             L"[stylex]\r\nname=h\r\n[style99x]\r\nname=i\r\n[STYLE99]\r\nname=upper\r\n",
         {"99 upper|||"}},
        {"duplicate names both listed, in code order",
         Section(12, L"name=sql\r\nlead=\"-- \"\r\n") + Section(9, L"name=sql\r\nlead=\"// \"\r\n"),
         {"9 sql|// ||", "12 sql|-- ||"}},
        {"a section twice: the first one counts",
         Section(8, L"name=first\r\n") + L"[Style8]\r\nname=second\r\n",
         {"8 first|||"}},
        {"a hundred sections", Sections(0, 99), ListedRange(8, 99)},
        {"empty file", L"", {}},
        {"main only", L"[main]\r\ncode=8\r\nwriter=w\r\nmin=0\r\nrun=0\r\n", {}},
    };
    for (Encoding encoding : {Encoding::Ansi, Encoding::Utf16}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (encoding == Encoding::Ansi ? ", ANSI" : ", UTF-16"));
            const std::string bytes = Encode(c.file, encoding);
            WriteBytes(Ini(), bytes);
            EXPECT_EQ(Listed(ReadCustomStyles(Ini())), c.styles);
            EXPECT_TRUE(ReadBytes(Ini()) == bytes) << "reading must not change the file";
        }
    }
}

TEST_F(CustomStyleFile, NoValueEverHoldsALineBreak) {
    // The profile calls end a line at a lone CR or LF, so what follows it is no longer
    // part of the value; whichever way they read it, no style may carry a line break.
    for (Encoding encoding : {Encoding::Ansi, Encoding::Utf16}) {
        WriteBytes(Ini(), Encode(Section(8, L"name=cr\r\nlead=a\rb\r\nprefix=c\nd\r\n") +
                                     Section(9, L"name=fine\r\nclose=\"x\ry\"\r\n"),
                                 encoding));
        const std::vector<CustomStyle> styles = ReadCustomStyles(Ini());
        ASSERT_FALSE(styles.empty());
        EXPECT_EQ(styles.back().name, "fine");
        for (const CustomStyle& s : styles)
            for (const std::string* value : {&s.name, &s.leadIn, &s.prefix, &s.closing})
                EXPECT_EQ(value->find_first_of("\r\n"), std::string::npos) << s.code;
    }
}

TEST_F(CustomStyleFile, SectionReadAgreesWithTheKeyByKeyRead) {
    const std::wstring lines[] = {
        L"a=plain",
        L"b=  blanks around  ",
        L"c=\"  quoted  \"",
        L"d='  single  '",
        L"e=\"mismatched'",
        L"f=\"",
        L"g=\"\"",
        L"h=''",
        L"i=\"inner\" text",
        L"j=x=y",
        L"  k  =  v  ",
        L"l=",
        L"L=second of l",
        L"m=\"a\"b\"",
        L"n=墨 守",
        L";o=comment",
        L"p",
        L"q=\t\"tab\"\t",
        L"r='\"'",
        L"s=\"'\"",
    };
    std::wstring text = L"[s]\r\n";
    for (const std::wstring& line : lines)
        text += line + L"\r\n";
    for (Encoding encoding : {Encoding::Ansi, Encoding::Utf16}) {
        WriteBytes(Ini(), Encode(text, encoding));
        const ProfileSection section = ReadProfileSection(L"s", Ini());
        for (const wchar_t* key : {L"a", L"b", L"c", L"d", L"e", L"f", L"g", L"h", L"i", L"j",     L"k",
                                   L"l", L"L", L"m", L"n", L"o", L"p", L"q", L"r", L"s", L"absent"})
            EXPECT_EQ(Narrow(section.Value(key)), Narrow(ReadProfileValue(L"s", key, Ini())))
                << Narrow(key) << (encoding == Encoding::Ansi ? ", ANSI" : ", UTF-16");
    }
}

TEST_F(CustomStyleFile, AbsentOrHiddenFileDefinesNothing) {
    EXPECT_TRUE(ReadCustomStyles(Ini()).empty());
    WriteBytes(Ini(), "[style8]\r\nname=python\r\n", FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(ReadCustomStyles(Ini()).empty());
}

TEST_F(CustomStyleFile, StyleThreeSectionLeavesTheBuiltInAlone) {
    WriteBytes(Ini(), Encode(Section(3, L"name=mine\r\nlead=\"-- \"\r\nprefix=\"--     \"\r\n") +
                                 Section(8, L"name=python\r\nlead=\"# \"\r\nprefix=\"#     \"\r\n"),
                             Encoding::Utf16));
    SetCustomStyles(ReadCustomStyles(Ini()));
    EXPECT_EQ(SelectRemarkStyle(3), "php");
    EXPECT_EQ(OpeningLine, "/* " + std::string(58, '='));
    EXPECT_EQ(LinePrefix, "*     ");
    EXPECT_EQ(ClosingLine, "*/");
    EXPECT_EQ(SelectRemarkStyle(8), "python");
    SetCustomStyles({});
}

// The file delivered beside the exe: the reset values and ready styles, each written
// as the built-ins are (a lead-in ending in a blank, a mark and five blanks as prefix).
TEST_F(CustomStyleFile, DeliveredFileHoldsResetValuesAndPresets) {
    std::wstring delivered = L"Z:" + Widen(INKWARDEN_ASSETS_DIR) + L"/scribbet.ini";
    std::replace(delivered.begin(), delivered.end(), L'/', L'\\');
    ASSERT_TRUE(FileIsPresent(delivered)) << Narrow(delivered);
    EXPECT_EQ(ReadBytes(delivered).substr(0, 2), "\xFF\xFE") << "UTF-16, so any author name survives";
    const struct {
        const wchar_t* key;
        const wchar_t* value;
    } resetValues[] = {{L"code", L"1"}, {L"writer", kResetWriterName}, {L"min", L"0"}, {L"run", L"0"}};
    for (const auto& kv : resetValues)
        EXPECT_EQ(ReadIniValue(kIniSection, kv.key, delivered), kv.value) << Narrow(kv.key);

    const std::vector<CustomStyle> styles = ReadCustomStyles(delivered);
    std::vector<std::string> names;
    for (const CustomStyle& s : styles) {
        SCOPED_TRACE(s.name);
        names.push_back(s.name);
        EXPECT_EQ(s.code, kFirstCustomCode + static_cast<int>(names.size()) - 1) << "numbered without gaps";
        ASSERT_GE(s.leadIn.size(), 2u);
        EXPECT_EQ(s.leadIn.back(), ' ');
        EXPECT_NE(s.leadIn[s.leadIn.size() - 2], ' ');
        ASSERT_GT(s.prefix.size(), 5u);
        EXPECT_EQ(s.prefix.substr(s.prefix.size() - 5), "     ");
        EXPECT_NE(s.prefix[s.prefix.size() - 6], ' ');
        EXPECT_EQ(s.closing.find(' '), std::string::npos);
    }
    for (const char* wanted :
         {"python", "shell", "powershell", "sql", "lua", "go", "rust", "java", "c#", "typescript", "yaml"})
        EXPECT_NE(std::find(names.begin(), names.end(), wanted), names.end()) << wanted;
}

// Prints how long reading the settings takes: the four keys alone (the load before
// styles of one's own) and the style sections of a file holding all 92 of them.
TEST_F(CustomStyleFile, LoadTimeWithNinetyTwoSections) {
    const std::wstring mainKeys = L"[main]\r\ncode=8\r\nwriter=张三\r\nmin=0\r\nrun=0\r\n";
    const auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const auto time = [&](auto read) {
        std::vector<double> ms;
        for (int i = 0; i < 21; ++i) {
            const auto start = std::chrono::steady_clock::now();
            read();
            ms.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        return median(ms);
    };
    const auto fourKeys = [&] {
        for (const wchar_t* key : {L"writer", L"min", L"run", L"code"})
            ReadIniValue(kIniSection, key, Ini());
    };
    for (Encoding encoding : {Encoding::Ansi, Encoding::Utf16}) {
        const char* name = encoding == Encoding::Ansi ? "ANSI" : "UTF-16";
        WriteBytes(Ini(), Encode(mainKeys, encoding));
        const double before = time(fourKeys);
        const double stylesNone = time([&] { ReadCustomStyles(Ini()); });
        WriteBytes(Ini(), Encode(mainKeys + Sections(8, 99), encoding));
        ASSERT_EQ(ReadCustomStyles(Ini()).size(), 92u);
        const double fourKeysFull = time(fourKeys);
        const double styles = time([&] { ReadCustomStyles(Ini()); });
        // For comparison: the same values read one key at a time.
        const double keyByKey = time([&] {
            for (int code = 8; code <= 99; ++code)
                for (const wchar_t* key : {L"name", L"lead", L"prefix", L"close"})
                    ReadProfileValue(L"style" + std::to_wstring(code), key, Ini());
        });
        std::printf("[ load time ] %s file, median of 21: four keys %.3f ms, + style sections %.3f ms; "
                    "with 92 sections: four keys %.3f ms, + style sections %.3f ms (key by key %.3f ms)\n",
                    name, before, stylesNone, fourKeysFull, styles, keyByKey);
    }
}

} // namespace
} // namespace inkwarden
