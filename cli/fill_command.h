// `fill`: a filter for editors. The selection comes in on standard input and what the
// window's paste-back would put in its place goes out, with the input's line ends.
#pragma once

#include "core/remark.h"

#include <string>

namespace inkwarden {

struct FillRun {
    CodeType_t style = 0; // the style in force
    int templ = -1;       // the template a heading fills; -1: the plan's
    std::string author, today;
    unsigned codePage = 936;
};

// What goes out for `input`; false, with the reason, when the input is left as it was.
bool FillText(const std::string& input, const FillRun& run, std::string& output, std::string& problem);

} // namespace inkwarden
