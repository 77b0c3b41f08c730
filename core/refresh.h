// Keeping a block in step with its code: the parameter field of an old block written
// again for the changed heading under it, keeping what the person wrote about each
// parameter. Portable: no window code, UTF-8 in and out.
#pragma once

#include "core/signature/signature.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace inkwarden {

// The parameter field refreshed for `heading`: one line per parameter of the heading, as a
// fill writes it, each followed by what the person wrote after that parameter on its old
// line (with the blanks, tab, "：" or " - " they used) and by the lines that continued it.
//
// An old line belongs to the parameter it begins with: the parameter as a fill wrote it,
// or at least its name, then what the person added. It is matched to the heading's
// parameters by name; a parameter with a new name takes the entry of the old parameter
// at the same position whose name is gone (a rename); a new parameter gets a bare line;
// a removed parameter's entry goes. A line that begins with no parameter continues the
// entry above it, and lines before the first parameter line stay first.
struct RefreshedParameters {
    std::string text;  // lines joined by CR LF
    std::size_t caret; // the end of the first bare line of a new parameter; npos when none
};
RefreshedParameters RefreshParameters(std::string_view old, const Signature& heading);

} // namespace inkwarden
