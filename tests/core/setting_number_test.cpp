#include "core/setting_number.h"

#include <gtest/gtest.h>

namespace inkwarden {
namespace {

TEST(ParseSettingNumber, WholeNumbersInRangeAndFallbacks) {
    struct Case {
        const char* text;
        int expected;
    } const cases[] = {
        {"0", 0},           {"1", 1},    {"7", 7},
        {"8", 8},           {"2", 2},    {"-1", -1},
        {"+3", 3},          {"007", 7},  {"32767", 32767},
        {"-32768", -32768}, {"", 99},    {"32768", 99},
        {"-32769", 99},     {"abc", 99}, {"1a", 99},
        {" 1", 99},         {"1.5", 99}, {"-", 99},
        {"+", 99},          {"--1", 99}, {"99999999999999999999", 99},
        {"１", 99}, // a full-width digit is not a decimal digit here
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseSettingNumber(c.text, 99), c.expected) << "'" << c.text << "'";
}

TEST(DecimalText, WritesWhatTheSettingsFileReadsBack) {
    for (long long value : {0LL, 7LL, -1LL, 32767LL, -32768LL, 4294967295LL, -9223372036854775807LL - 1})
        EXPECT_EQ(DecimalText(value), std::to_string(value));
    for (int code = -32768; code <= 32767; code += 4099)
        EXPECT_EQ(ParseSettingNumber(DecimalText(code), 99), code);
}

} // namespace
} // namespace inkwarden
