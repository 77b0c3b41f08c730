// The file layer's text and name rules: UTF-8 as it is, settings texts in every encoding,
// code page 936 both ways, exclusion patterns.
#include "files/codec.h"
#include "files/tree.h"

#include <gtest/gtest.h>

#include <string>

namespace inkwarden {
namespace {

TEST(Codec, Utf8AsItIsAndCodePage936BothWays) {
    const struct {
        std::string bytes;
        bool utf8;
    } texts[] = {
        {"", true},
        {"plain", true},
        {"墨守 \xF0\x9F\x98\x80", true},
        {"\xD6\xD0\xCE\xC4", false}, // 中文 in code page 936
        {"\xC0\xAF", false},         // an overlong '/'
        {"\xED\xA0\x80", false},     // a surrogate
        {"\xF4\x90\x80\x80", false}, // past U+10FFFF
        {"ok \xE4\xB8", false},      // cut short
        {"\xA9 Latin-1", false},
    };
    for (const auto& t : texts)
        EXPECT_EQ(IsUtf8(t.bytes), t.utf8) << t.bytes;

    std::string out;
    ASSERT_TRUE(FromCodePage(936, "\xD6\xD0\xCE\xC4 x", out));
    EXPECT_EQ(out, "中文 x");
    EXPECT_FALSE(FromCodePage(936, "\xD6", out)) << "a lead byte without its trail";
    ASSERT_TRUE(FromCodePage(936,
                             "a\xFF"
                             "b",
                             out, true));
    EXPECT_EQ(out, "a\xEF\xBF\xBD"
                   "b");
    ASSERT_TRUE(ToCodePage(936, "版权 ·", out));
    EXPECT_EQ(out, "\xB0\xE6\xC8\xA8 \xA1\xA4");
    EXPECT_FALSE(ToCodePage(936, "©", out)) << "no 'c' in its stead, as a best fit would put";
    EXPECT_FALSE(ToCodePage(936, "\xF0\x9F\x98\x80", out)) << "no look-alike for what has no place";

    const struct {
        std::string bytes, text;
    } settings[] = {
        {std::string("\xFF\xFE[\0a\0]\0=\0\x2D\x4E", 12), "[a]=中"},
        {std::string("\xFE\xFF\0[\0a\0]\0=\x4E\x2D\xD8\x3D\xDE\x00", 16), "[a]=中\xF0\x9F\x98\x80"},
        {std::string("\xFF\xFE\x00\xDC", 4), "\xEF\xBF\xBD"},
        {"\xEF\xBB\xBF[a]=\xE4\xB8\xAD", "[a]=中"},
        {"[a]=\xE4\xB8\xAD", "[a]=中"},
        {"[a]=\xD6\xD0", "[a]=中"},
    };
    for (const auto& s : settings) {
        ASSERT_TRUE(DecodeSettingsText(s.bytes, 936, out)) << s.text;
        EXPECT_EQ(out, s.text);
    }
}

TEST(Exclusion, PatternsMatchNamesAndPaths) {
    const struct {
        const char *pattern, *text;
        bool matches;
    } cases[] = {
        {"vendor", "vendor", true},
        {"*.gen.c", "x.gen.c", true},
        {"*.c", "dir/x.c", false},
        {"src/*.c", "src/x.c", true},
        {"src/*.c", "src/a/x.c", false},
        {"src/**.c", "src/a/x.c", true},
        {"**/x.c", "a/b/x.c", true},
        {"?.c", "a.c", true},
        {"?.c", "ab.c", false},
        {"a?c", "a/c", false},
        {"[ab].c", "b.c", true},
        {"[!ab].c", "b.c", false},
        {"[a-c]x", "bx", true},
        {"[a-c]x", "dx", false},
        {"*", "", true},
        {"", "x", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GlobMatches(c.pattern, c.text), c.matches) << c.pattern << " " << c.text;
}

} // namespace
} // namespace inkwarden
