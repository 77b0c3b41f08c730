// Small text helpers the core's readers share. Blanks are spaces and tabs; letter case is
// ASCII's, since the names compared this way (keys, styles, keywords) are ASCII and any
// other byte must compare as it is.
#pragma once

#include <cstddef>
#include <string_view>

namespace inkwarden {

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

inline std::size_t LeadingBlanks(std::string_view s) {
    std::size_t n = 0;
    while (n < s.size() && IsBlank(s[n]))
        ++n;
    return n;
}

inline std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

inline std::string_view Trim(std::string_view s) {
    s = TrimRight(s);
    return s.substr(LeadingBlanks(s));
}

inline char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

} // namespace inkwarden
