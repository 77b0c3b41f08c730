#include "settings/custom_styles.h"

#include "platform/platform.h"

#include <optional>
#include <utility>

namespace inkwarden {

namespace {

// The profile calls keep blanks inside quotes and drop the quotes, so prefix="#     "
// comes back with its five blanks.
IniSection ReadSection(const std::string& name, const std::wstring& path) {
    IniSection section;
    section.name = name;
    for (const ProfileSection::Entry& entry : ReadProfileSection(Widen(name), path).entries)
        section.entries.push_back({Narrow(entry.key), std::string(Unquoted(Narrow(entry.value)))});
    return section;
}

} // namespace

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
        // Digits by hand: std::to_string would bring the whole of sprintf into the exe.
        std::string section = "style";
        if (onlyStyle >= 10)
            section += static_cast<char>('0' + onlyStyle / 10);
        section += static_cast<char>('0' + onlyStyle % 10);
        if (std::optional<CustomStyle> row = StyleOfSection(onlyStyle, ReadSection(section, path)))
            found.styles.push_back(std::move(*row));
        return found;
    }
    std::vector<std::string> names;
    for (const std::wstring& name : ReadProfileSectionNames(path))
        names.push_back(Narrow(name));
    return OwnSectionsOf(names, [&path](const std::string& name) { return ReadSection(name, path); });
}

} // namespace inkwarden
