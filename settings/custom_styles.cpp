#include "settings/custom_styles.h"

#include "platform/platform.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>

namespace inkwarden {

namespace {

// Characters, not UTF-16 units: a character outside the BMP counts once.
std::size_t CharacterCount(const std::wstring& value) {
    return static_cast<std::size_t>(
        std::count_if(value.begin(), value.end(), [](wchar_t c) { return c < 0xDC00 || c > 0xDFFF; }));
}

bool Acceptable(const std::wstring& value) {
    return value.find_first_of(L"\r\n") == std::wstring::npos &&
           CharacterCount(value) <= kMaxStyleValueLength;
}

bool Blank(const std::wstring& value) {
    return value.find_first_not_of(L" \t") == std::wstring::npos;
}

std::optional<CustomStyle> ReadStyleSection(const std::wstring& section, int code, const std::wstring& path) {
    // The profile calls keep blanks inside quotes and drop the quotes, so
    // prefix="#     " comes back with its five blanks.
    const ProfileSection keys = ReadProfileSection(section, path);
    const std::wstring values[4] = {keys.Value(L"name"), keys.Value(L"lead"), keys.Value(L"prefix"),
                                    keys.Value(L"close")};
    if (Blank(values[0]) || !std::all_of(std::begin(values), std::end(values), Acceptable))
        return std::nullopt;
    CustomStyle style;
    style.code = static_cast<CodeType_t>(code);
    style.name = Narrow(values[0]);
    style.leadIn = Narrow(values[1]);
    style.prefix = Narrow(values[2]);
    style.closing = Narrow(values[3]);
    return style;
}

} // namespace

int CustomStyleCode(const std::wstring& section) {
    static const wchar_t kLead[] = L"style";
    constexpr std::size_t kLeadLength = 5;
    if (section.size() < kLeadLength + 1 || section.size() > kLeadLength + 2)
        return -1;
    for (std::size_t i = 0; i < kLeadLength; ++i)
        if ((section[i] >= L'A' && section[i] <= L'Z' ? section[i] + (L'a' - L'A') : section[i]) != kLead[i])
            return -1;
    int code = 0;
    for (std::size_t i = kLeadLength; i < section.size(); ++i) {
        if (section[i] < L'0' || section[i] > L'9')
            return -1;
        code = code * 10 + (section[i] - L'0');
    }
    if (section[kLeadLength] == L'0' || code < kFirstCustomCode || code > kLastCustomCode)
        return -1;
    return code;
}

std::vector<CustomStyle> ReadCustomStyles(const std::wstring& path) {
    std::vector<CustomStyle> styles;
    if (!FileIsPresent(path))
        return styles;
    bool seen[kLastCustomCode + 1] = {};
    for (const std::wstring& section : ReadProfileSectionNames(path)) {
        const int code = CustomStyleCode(section);
        // A second [style8] (or [STYLE8]) reads as the first one does; skip it.
        if (code < 0 || seen[code])
            continue;
        seen[code] = true;
        if (std::optional<CustomStyle> style = ReadStyleSection(section, code, path))
            styles.push_back(std::move(*style));
    }
    std::sort(styles.begin(), styles.end(),
              [](const CustomStyle& a, const CustomStyle& b) { return a.code < b.code; });
    return styles;
}

std::vector<CustomStyle> ReadCustomStyle(const std::wstring& path, CodeType_t code) {
    std::vector<CustomStyle> styles;
    if (code < kFirstCustomCode || code > kLastCustomCode || !FileIsPresent(path))
        return styles;
    // The profile call finds the first section of that name in any letter case, the
    // same one ReadCustomStyles keeps.
    // Digits by hand: std::to_wstring would bring the whole of swprintf into the exe.
    std::wstring section = L"style";
    if (code >= 10)
        section += static_cast<wchar_t>(L'0' + code / 10);
    section += static_cast<wchar_t>(L'0' + code % 10);
    if (std::optional<CustomStyle> style = ReadStyleSection(section, code, path))
        styles.push_back(std::move(*style));
    return styles;
}

} // namespace inkwarden
