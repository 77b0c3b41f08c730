// What the sections of one's own in the settings file mean: [styleN] (N from 8 to 99) and
// [templateN] (N from 4 to 99), given their keys and values as UTF-8. The window reads them
// through the system's profile calls, the command line through its own reading of the
// file; both hand them here, so the two cannot read a section differently.
#pragma once

#include "core/remark.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace inkwarden {

// The longest value a style or template section may hold, in characters.
constexpr std::size_t kMaxStyleValueLength = 200;

// One section's keys in file order, each value as the profile calls hand it out: blanks
// around it dropped and one pair of matching quotes taken off.
struct IniSection {
    struct Entry {
        std::string key, value;
    };
    std::string name;
    std::vector<Entry> entries;
    // The first entry of the key in any letter case, as the profile calls find it.
    const Entry* Find(std::string_view key) const;
    std::string Value(std::string_view key) const; // empty when absent
};

// A value as the profile calls hand it out: a quote at both ends, the same one, dropped.
std::string_view Unquoted(std::string_view value);

// The code a section name defines: N for "styleN" with N from 8 to 99 in plain digits, in
// any letter case; -1 for any other name, "style08" and "style100" included.
int CustomStyleCode(std::string_view section);
// N for "templateN" with N from 4 to 99, by the same rules.
int OwnTemplateCode(std::string_view section);

// The style a section defines, or nothing when its name is missing or blank, or when any
// of its values holds a CR or LF or is longer than kMaxStyleValueLength. `ext` lists the
// file extensions it takes, separated by blanks or commas, a leading dot allowed.
std::optional<CustomStyle> StyleOfSection(CodeType_t code, const IniSection& keys);

// The template a section defines, or nothing when its name is missing or blank, when it
// has no field1, or when any value holds a CR or LF or is too long. Its fields are field1
// up to the first one missing, empty or blank; fillN is author, date, name, params or file
// (any letter case), anything else fills nothing; multi lists the fields that take several
// lines ("3,4"), and without it the last field does.
std::optional<TemplateDef> TemplateOfSection(int code, const IniSection& keys);

struct OwnSections {
    std::vector<CustomStyle> styles;
    std::vector<TemplateDef> templates;
};
// The styles and templates that a file's section names (in file order) define, in code
// order. `read` gives the keys of the first section of a name in any letter case, and is
// asked only for names that define a code not yet seen, so a second [style8] (or [STYLE8])
// is read as the profile calls read it: not at all.
OwnSections OwnSectionsOf(const std::vector<std::string>& names,
                          const std::function<IniSection(const std::string&)>& read);

} // namespace inkwarden
