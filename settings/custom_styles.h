// Styles and templates of one's own: the [styleN] sections of the settings file, N from
// 8 to 99, and the [templateN] sections, N from 4 to 99, read through the profile calls.
// What their keys mean is the core's (core/own_sections.h).
#pragma once

#include "core/own_sections.h"

#include <string>
#include <vector>

namespace inkwarden {

// The valid style sections of the settings file at path, in code order. Only reads the
// file.
std::vector<CustomStyle> ReadCustomStyles(const std::wstring& path);

// The styles and templates of one's own that one read of the section names finds; or,
// given `onlyStyle`, that style alone (what a start needs before its window shows). Only
// reads the file.
OwnSections ReadOwnSections(const std::wstring& path, CodeType_t onlyStyle = -1);

} // namespace inkwarden
