// Styles of one's own: the [styleN] sections of the settings file, N from 8 to 99.
#pragma once

#include "core/remark.h"

#include <cstddef>
#include <string>
#include <vector>

namespace inkwarden {

// The longest value a style section may hold, in characters.
constexpr std::size_t kMaxStyleValueLength = 200;

// The code a section name defines: N for "styleN" with N from 8 to 99 in plain digits
// (letter case does not matter, as it does not to the profile calls); -1 for any
// other name, "style08" and "style100" included.
int CustomStyleCode(const std::wstring& section);

// The valid style sections of the settings file at path, in code order. A section
// defines nothing when its name is missing or blank, or when any of its values holds
// a CR or LF or is longer than kMaxStyleValueLength. Only reads the file.
std::vector<CustomStyle> ReadCustomStyles(const std::wstring& path);
// The one style of that code, as ReadCustomStyles would find it, with one read of the
// file; none for a built-in code or a code without a valid section.
std::vector<CustomStyle> ReadCustomStyle(const std::wstring& path, CodeType_t code);

} // namespace inkwarden
