#include "core/ini_text.h"

#include "core/text.h"

namespace inkwarden {

namespace {

// What the profile calls take for blanks around a line, a key or a value.
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view TrimSpace(std::string_view s) {
    while (!s.empty() && IsSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

} // namespace

std::vector<std::string> IniText::Names() const {
    std::vector<std::string> names;
    for (const IniSection& s : sections)
        if (!s.name.empty())
            names.push_back(s.name);
    return names;
}

const IniSection* IniText::Find(std::string_view name) const {
    for (const IniSection& s : sections)
        if (!s.name.empty() && SameIgnoringCase(s.name, name))
            return &s;
    return nullptr;
}

IniText ParseIniText(std::string_view text) {
    IniText ini;
    for (std::size_t from = 0; from < text.size();) {
        std::size_t end = text.find_first_of("\r\n", from);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = TrimSpace(text.substr(from, end - from));
        from = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        if (line.empty())
            continue;
        const std::size_t close = line.rfind(']');
        if (line[0] == '[' && close != std::string_view::npos) {
            ini.sections.push_back({std::string(TrimSpace(line.substr(1, close - 1))), {}});
            continue;
        }
        const std::size_t eq = line.find('=');
        if (ini.sections.empty() || line[0] == ';' || eq == std::string_view::npos)
            continue;
        ini.sections.back().entries.push_back({std::string(TrimSpace(line.substr(0, eq))),
                                               std::string(Unquoted(TrimSpace(line.substr(eq + 1))))});
    }
    return ini;
}

} // namespace inkwarden
