// The window and the command line read one settings file alike: the command line's own
// reading of the text against the system's profile calls, and both readers on the delivered
// file.
#include "cli/settings.h"
#include "core/ini_text.h"
#include "files/codec.h"
#include "settings/custom_styles.h"

#include "test_support.h"

#include <algorithm>
#include <string>
#include <vector>

namespace inkwarden {
namespace {

using namespace inkwarden_testing;

using CliSettingsFile = ScratchFolderTest;

// Every section name and every key's value the profile calls give, the command line's
// reading gives too, from ANSI and UTF-16 files. A line that starts with ';' is a comment,
// as the window's reading of a whole section takes it.
TEST_F(CliSettingsFile, TextReadAsTheProfileCallsReadIt) {
    const std::wstring text =
        L"key=before any section\r\n[s]\r\na=plain\r\nb=  blanks around  \r\nc=\"  quoted  \"\r\nd='  single "
        L" '\r\n"
        L"e=\"mismatched'\r\nf=\"\r\ng=\"\"\r\ni=\"inner\" text\r\nj=x=y\r\n  k  =  v  \r\nl=\r\nL=second of "
        L"l\r\n"
        L"n=墨 守\r\n;o=comment\r\np\r\nq=\t\"tab\"\t\r\nr=a\rs=after a lone CR\r\n\r\n  [ spaced "
        L"]\r\nt=1\r\n"
        L"[a]b] trailing\r\nu=2\r\n[noclose\r\nv=3\r\n[S]\r\na=second section of the name\r\n[]\r\nw=4\r\n";
    const std::vector<std::pair<const wchar_t*, std::vector<const wchar_t*>>> keys = {
        {L"s", {L"a", L"b", L"c", L"d", L"e", L"f", L"g", L"i",   L"j",        L"k", L"l",
                L"L", L"n", L"o", L"p", L"q", L"r", L"s", L"key", L"[noclose", L"v", L"absent"}},
        {L"spaced", {L"t"}},
        {L"a]b", {L"u"}},
    };
    for (const std::string& bytes : {Gbk(text), "\xFF\xFE" + Utf16Bytes(text)}) {
        WriteBytes(Ini(), bytes);
        std::string utf8;
        ASSERT_TRUE(DecodeSettingsText(bytes, 936, utf8));
        const IniText ini = ParseIniText(utf8);
        std::vector<std::string> names;
        for (const std::wstring& name : ReadProfileSectionNames(Ini()))
            names.push_back(Narrow(name));
        EXPECT_EQ(ini.Names(), names);
        for (const auto& section : keys) {
            const IniSection* read = ini.Find(Narrow(section.first));
            ASSERT_TRUE(read) << Narrow(section.first);
            EXPECT_FALSE(ini.Find(""));
            for (const wchar_t* key : section.second)
                EXPECT_EQ(read->Value(Narrow(key)), Narrow(ReadProfileValue(section.first, key, Ini())))
                    << Narrow(section.first) << "/" << Narrow(key);
        }
    }
}

std::vector<std::string> Listed(const std::vector<CustomStyle>& styles) {
    std::vector<std::string> lines;
    for (const CustomStyle& s : styles) {
        lines.push_back(std::to_string(s.code) + " " + s.name + "|" + s.leadIn + "|" + s.prefix + "|" +
                        s.closing + "|");
        for (const std::string& ext : s.extensions)
            lines.back() += " " + ext;
    }
    return lines;
}

std::vector<std::string> Listed(const std::vector<TemplateDef>& templates) {
    std::vector<std::string> lines;
    for (const TemplateDef& t : templates) {
        lines.push_back(std::to_string(t.code) + " " + t.name);
        for (const TemplateField& f : t.fields)
            lines.back() +=
                "|" + f.label + (f.multiline ? "+" : "") + std::to_string(static_cast<int>(f.prefill));
    }
    return lines;
}

TEST_F(CliSettingsFile, DeliveredFileReadAlikeByTheWindowAndTheCommandLine) {
    std::wstring delivered = L"Z:" + Widen(INKWARDEN_ASSETS_DIR "/scribbet.ini");
    std::replace(delivered.begin(), delivered.end(), L'/', L'\\');
    const OwnSections window = ReadOwnSections(delivered);
    CliSettings cli;
    std::string problem;
    ASSERT_TRUE(LoadCliSettings(Narrow(delivered), 936, cli, problem)) << problem;
    EXPECT_EQ(Listed(CustomStyles()), Listed(window.styles));
    EXPECT_EQ(Listed(OwnTemplates()), Listed(window.templates));
    EXPECT_EQ(CustomStyles().size(), 22u);
    // Every preset takes its files, but matlab: .m is Objective-C's too.
    for (const CustomStyle& style : CustomStyles())
        EXPECT_EQ(style.extensions.empty(), style.name == "matlab") << style.name;
    EXPECT_EQ(Widen(cli.author), ReadIniValue(kIniSection, keys::kWriter, delivered));
    EXPECT_EQ(Widen(cli.datePicture), ReadIniValue(kIniSection, keys::kDate, delivered));
    EXPECT_EQ(std::to_wstring(cli.code), ReadIniValue(kIniSection, keys::kCode, delivered));
}

} // namespace
} // namespace inkwarden
