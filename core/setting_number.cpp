#include "core/setting_number.h"

#include <charconv>

namespace inkwarden {

std::int16_t ParseSettingNumber(const std::string& text, std::int16_t fallback) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return fallback;
    long value = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9')
            return fallback;
        value = value * 10 + (c - '0');
        if (value > 32768) // stop early so a long digit run cannot overflow
            return fallback;
    }
    if (negative)
        value = -value;
    if (value < -32768 || value > 32767)
        return fallback;
    return static_cast<std::int16_t>(value);
}

std::string DecimalText(long long value) {
    char digits[24];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
    return std::string(digits, end.ptr);
}

} // namespace inkwarden
