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

// N for a section named lead followed by N in plain digits, first <= N <= last, in
// any letter case as the profile calls take it; -1 otherwise (a leading 0 included).
int SectionCode(const std::wstring& section, const wchar_t* lead, int first, int last) {
    const std::size_t leadLength = std::char_traits<wchar_t>::length(lead);
    if (section.size() < leadLength + 1 || section.size() > leadLength + 2)
        return -1;
    for (std::size_t i = 0; i < leadLength; ++i)
        if ((section[i] >= L'A' && section[i] <= L'Z' ? section[i] + (L'a' - L'A') : section[i]) != lead[i])
            return -1;
    int code = 0;
    for (std::size_t i = leadLength; i < section.size(); ++i) {
        if (section[i] < L'0' || section[i] > L'9')
            return -1;
        code = code * 10 + (section[i] - L'0');
    }
    if (section[leadLength] == L'0' || code < first || code > last)
        return -1;
    return code;
}

Prefill FillOf(const std::wstring& value) {
    static const struct {
        const wchar_t* word;
        Prefill fill;
    } kFills[] = {{L"author", Prefill::Author},
                  {L"date", Prefill::Date},
                  {L"name", Prefill::Name},
                  {L"params", Prefill::Params},
                  {L"file", Prefill::File}};
    for (const auto& f : kFills)
        if (CompareStringOrdinal(value.c_str(), -1, f.word, -1, TRUE) == CSTR_EQUAL)
            return f.fill;
    return Prefill::None;
}

std::optional<TemplateDef> ReadTemplateSection(const std::wstring& section, int code,
                                               const std::wstring& path) {
    const ProfileSection keys = ReadProfileSection(section, path);
    for (const ProfileSection::Entry& entry : keys.entries)
        if (!Acceptable(keys.Value(entry.key)))
            return std::nullopt;
    TemplateDef templ;
    templ.code = code;
    const std::wstring name = keys.Value(L"name");
    if (Blank(name))
        return std::nullopt;
    templ.name = Narrow(name);
    const wchar_t digits[] = L"12345";
    for (int i = 0; i < kFieldsPerTemplate; ++i) {
        const std::wstring n(1, digits[i]);
        // An empty or blank label ends the fields as a missing key does: its field line
        // would be the prefix and blanks, which every continuation line begins with, so a
        // block of that template could not be read back.
        if (Blank(keys.Value(L"field" + n)))
            break;
        templ.fields.push_back({Narrow(keys.Value(L"field" + n)), false, FillOf(keys.Value(L"fill" + n))});
    }
    if (templ.fields.empty())
        return std::nullopt;
    if (!keys.Has(L"multi")) {
        templ.fields.back().multiline = true;
    } else {
        // "3,4", "3, 4", "3 4": every number names a field; others are ignored.
        int number = 0;
        const std::wstring multi = keys.Value(L"multi") + L",";
        for (wchar_t c : multi) {
            if (c >= L'0' && c <= L'9') {
                number = number * 10 + (c - L'0');
                continue;
            }
            if (number >= 1 && number <= static_cast<int>(templ.fields.size()))
                templ.fields[static_cast<std::size_t>(number - 1)].multiline = true;
            number = 0;
        }
    }
    return templ;
}

} // namespace

int CustomStyleCode(const std::wstring& section) {
    return SectionCode(section, L"style", kFirstCustomCode, kLastCustomCode);
}

int OwnTemplateCode(const std::wstring& section) {
    return SectionCode(section, L"template", kFirstOwnTemplate, kLastOwnTemplate);
}

std::vector<CustomStyle> ReadCustomStyles(const std::wstring& path) {
    return ReadOwnSections(path).styles;
}

OwnSections ReadOwnSections(const std::wstring& path, CodeType_t onlyStyle) {
    OwnSections found;
    if (!FileIsPresent(path))
        return found;
    if (onlyStyle >= 0) {
        // Without listing the sections: the profile call finds the first section of that
        // name in any letter case, the one a full read keeps. A built-in code needs none.
        if (onlyStyle < kFirstCustomCode || onlyStyle > kLastCustomCode)
            return found;
        // Digits by hand: std::to_wstring would bring the whole of swprintf into the exe.
        std::wstring section = L"style";
        if (onlyStyle >= 10)
            section += static_cast<wchar_t>(L'0' + onlyStyle / 10);
        section += static_cast<wchar_t>(L'0' + onlyStyle % 10);
        if (std::optional<CustomStyle> row = ReadStyleSection(section, onlyStyle, path))
            found.styles.push_back(std::move(*row));
        return found;
    }
    // A second [style8] (or [STYLE8]) reads as the first one does; skip it.
    bool seenStyle[kLastCustomCode + 1] = {}, seenTemplate[kLastOwnTemplate + 1] = {};
    for (const std::wstring& section : ReadProfileSectionNames(path)) {
        const int style = CustomStyleCode(section);
        if (style >= 0 && !seenStyle[style]) {
            seenStyle[style] = true;
            if (std::optional<CustomStyle> row = ReadStyleSection(section, style, path))
                found.styles.push_back(std::move(*row));
        }
        const int templ = OwnTemplateCode(section);
        if (templ >= 0 && !seenTemplate[templ]) {
            seenTemplate[templ] = true;
            if (std::optional<TemplateDef> row = ReadTemplateSection(section, templ, path))
                found.templates.push_back(std::move(*row));
        }
    }
    std::sort(found.styles.begin(), found.styles.end(),
              [](const CustomStyle& a, const CustomStyle& b) { return a.code < b.code; });
    std::sort(found.templates.begin(), found.templates.end(),
              [](const TemplateDef& a, const TemplateDef& b) { return a.code < b.code; });
    return found;
}

} // namespace inkwarden
