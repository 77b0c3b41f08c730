// Which comment style a file is written in, by its extension: each built-in style knows
// its languages' extensions, and a style of one's own takes those its `ext` key lists.
// Portable.
#pragma once

#include "core/remark.h"

#include <string_view>
#include <vector>

namespace inkwarden {

// The extensions of a built-in style (0..7), lower case without the dot; none for any
// other code.
const std::vector<std::string_view>& BuiltinExtensions(CodeType_t code);

// The style for a file name's extension, in any letter case: the style of one's own with
// the lowest code that lists it, else the built-in that has it; -1 for none (no
// extension, or one no style knows).
CodeType_t StyleForFile(std::string_view fileName);

// A style code by its number or by its name in any letter case; -1 for none.
CodeType_t StyleByName(std::string_view nameOrCode);

} // namespace inkwarden
