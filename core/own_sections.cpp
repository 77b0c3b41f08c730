#include "core/own_sections.h"

#include "core/text.h"

#include <algorithm>
#include <utility>

namespace inkwarden {

namespace {

// Characters, not bytes: what the profile calls count in UTF-16 is one per character.
std::size_t CharacterCount(std::string_view value) {
    return static_cast<std::size_t>(std::count_if(
        value.begin(), value.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

bool Acceptable(std::string_view value) {
    return value.find_first_of("\r\n") == std::string_view::npos &&
           CharacterCount(value) <= kMaxStyleValueLength;
}

bool Blank(std::string_view value) {
    return Trim(value).empty();
}

// N for a section named lead followed by N in plain digits, first <= N <= last, in any
// letter case; -1 otherwise (a leading 0 included).
int SectionCode(std::string_view section, std::string_view lead, int first, int last) {
    if (section.size() < lead.size() + 1 || section.size() > lead.size() + 2 ||
        !SameIgnoringCase(section.substr(0, lead.size()), lead))
        return -1;
    int code = 0;
    for (char c : section.substr(lead.size())) {
        if (c < '0' || c > '9')
            return -1;
        code = code * 10 + (c - '0');
    }
    if (section[lead.size()] == '0' || code < first || code > last)
        return -1;
    return code;
}

Prefill FillOf(std::string_view value) {
    static const struct {
        const char* word;
        Prefill fill;
    } kFills[] = {{"author", Prefill::Author},
                  {"date", Prefill::Date},
                  {"name", Prefill::Name},
                  {"params", Prefill::Params},
                  {"file", Prefill::File}};
    for (const auto& f : kFills)
        if (SameIgnoringCase(value, f.word))
            return f.fill;
    return Prefill::None;
}

std::vector<std::string> Extensions(std::string_view list) {
    std::vector<std::string> found;
    std::size_t from = 0;
    while (from < list.size()) {
        const std::size_t end = std::min(list.find_first_of(" \t,", from), list.size());
        std::string_view word = list.substr(from, end - from);
        while (!word.empty() && word.front() == '.')
            word.remove_prefix(1);
        if (!word.empty()) {
            std::string lower;
            for (char c : word)
                lower += AsciiLower(c);
            found.push_back(std::move(lower));
        }
        from = end + 1;
    }
    return found;
}

} // namespace

const IniSection::Entry* IniSection::Find(std::string_view key) const {
    for (const Entry& e : entries)
        if (SameIgnoringCase(e.key, key))
            return &e;
    return nullptr;
}

std::string IniSection::Value(std::string_view key) const {
    const Entry* e = Find(key);
    return e ? e->value : std::string();
}

std::string_view Unquoted(std::string_view v) {
    if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0])
        return v.substr(1, v.size() - 2);
    return v;
}

int CustomStyleCode(std::string_view section) {
    return SectionCode(section, "style", kFirstCustomCode, kLastCustomCode);
}

int OwnTemplateCode(std::string_view section) {
    return SectionCode(section, "template", kFirstOwnTemplate, kLastOwnTemplate);
}

std::optional<CustomStyle> StyleOfSection(CodeType_t code, const IniSection& keys) {
    CustomStyle style;
    style.code = code;
    style.name = keys.Value("name");
    style.leadIn = keys.Value("lead");
    style.prefix = keys.Value("prefix");
    style.closing = keys.Value("close");
    const std::string ext = keys.Value("ext");
    if (Blank(style.name))
        return std::nullopt;
    for (const std::string_view value : {style.name, style.leadIn, style.prefix, style.closing, ext})
        if (!Acceptable(value))
            return std::nullopt;
    style.extensions = Extensions(ext);
    return style;
}

std::optional<TemplateDef> TemplateOfSection(int code, const IniSection& keys) {
    for (const IniSection::Entry& entry : keys.entries)
        if (!Acceptable(keys.Value(entry.key)))
            return std::nullopt;
    TemplateDef templ;
    templ.code = code;
    templ.name = keys.Value("name");
    if (Blank(templ.name))
        return std::nullopt;
    for (int i = 0; i < kFieldsPerTemplate; ++i) {
        const std::string n(1, static_cast<char>('1' + i));
        // An empty or blank label ends the fields as a missing key does: its field line
        // would be the prefix and blanks, which every continuation line begins with, so a
        // block of that template could not be read back.
        const std::string label = keys.Value("field" + n);
        if (Blank(label))
            break;
        templ.fields.push_back({label, false, FillOf(keys.Value("fill" + n))});
    }
    if (templ.fields.empty())
        return std::nullopt;
    if (!keys.Find("multi")) {
        templ.fields.back().multiline = true;
    } else {
        // "3,4", "3, 4", "3 4": every number names a field; others are ignored.
        int number = 0;
        for (char c : keys.Value("multi") + ",") {
            if (c >= '0' && c <= '9') {
                number = number * 10 + (c - '0');
                continue;
            }
            if (number >= 1 && number <= static_cast<int>(templ.fields.size()))
                templ.fields[static_cast<std::size_t>(number - 1)].multiline = true;
            number = 0;
        }
    }
    return templ;
}

OwnSections OwnSectionsOf(const std::vector<std::string>& names,
                          const std::function<IniSection(const std::string&)>& read) {
    OwnSections found;
    bool seenStyle[kLastCustomCode + 1] = {}, seenTemplate[kLastOwnTemplate + 1] = {};
    for (const std::string& name : names) {
        const int style = CustomStyleCode(name);
        if (style >= 0 && !seenStyle[style]) {
            seenStyle[style] = true;
            if (std::optional<CustomStyle> row = StyleOfSection(static_cast<CodeType_t>(style), read(name)))
                found.styles.push_back(std::move(*row));
        }
        const int templ = OwnTemplateCode(name);
        if (templ >= 0 && !seenTemplate[templ]) {
            seenTemplate[templ] = true;
            if (std::optional<TemplateDef> row = TemplateOfSection(templ, read(name)))
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
