// Conversion of the stored numeric settings. Portable.
#pragma once

#include <cstdint>
#include <string>

namespace inkwarden {

// The value of a stored decimal whole number in -32768..32767 (an optional sign, then
// digits, nothing else); any other text, the empty text included, yields `fallback`,
// so a hand-edited or missing key never stops the settings from loading.
std::int16_t ParseSettingNumber(const std::string& text, std::int16_t fallback);

// The decimal text of a whole number, as the settings file stores it: digits with a
// leading '-' when negative. (std::to_wstring would bring the C library's whole printf
// into the exe.)
std::string DecimalText(long long value);

} // namespace inkwarden
