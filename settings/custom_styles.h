// Styles and templates of one's own: the [styleN] sections of the settings file, N from
// 8 to 99, and the [templateN] sections, N from 4 to 99.
#pragma once

#include "core/remark.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace inkwarden {

// The longest value a style or template section may hold, in characters.
constexpr std::size_t kMaxStyleValueLength = 200;

// The code a section name defines: N for "styleN" with N from 8 to 99 in plain digits
// (letter case does not matter, as it does not to the profile calls); -1 for any
// other name, "style08" and "style100" included.
int CustomStyleCode(const std::wstring& section);

// The valid style sections of the settings file at path, in code order. A section
// defines nothing when its name is missing or blank, or when any of its values holds
// a CR or LF or is longer than kMaxStyleValueLength. Only reads the file.
std::vector<CustomStyle> ReadCustomStyles(const std::wstring& path);

// The code a section name defines: N for "templateN" with N from 4 to 99, by the same
// rules as CustomStyleCode.
int OwnTemplateCode(const std::wstring& section);

// The styles and templates of one's own that one read of the section names finds; or,
// given `onlyStyle`, that style alone (what a start needs before its window shows). A template section
// defines nothing when its name is missing or blank, when it has no field1, or when any of its values holds a
// CR or LF or is longer than kMaxStyleValueLength. Its fields are field1 up to the first one missing; fillN
// is "author", "date", or anything else for nothing; multi lists the fields that take several lines ("3,4"),
// and without it the last field does. Only reads the file.
struct OwnSections {
    std::vector<CustomStyle> styles;
    std::vector<TemplateDef> templates;
};
OwnSections ReadOwnSections(const std::wstring& path, CodeType_t onlyStyle = -1);

} // namespace inkwarden
