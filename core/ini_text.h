// A settings file's text read as the system's profile calls read it, for a program that
// has no such calls (the command line on Linux). Portable; the text is UTF-8, decoded by
// the caller.
#pragma once

#include "core/own_sections.h"

#include <string>
#include <string_view>
#include <vector>

namespace inkwarden {

// The sections of an INI text in file order, a name given twice kept twice. Lines end at
// CR LF, LF or a lone CR; blanks around a line are dropped; "[name]" opens a section
// (the name runs to the line's last ']', blanks around it dropped; a line with no ']' is
// no header; a section without a name holds keys no one can ask for); a line that
// starts with ';' or holds no '=' is no key, nor is anything before the first section;
// blanks around a key and its value are dropped and one pair of matching quotes is taken
// off the value.
struct IniText {
    std::vector<IniSection> sections;
    std::vector<std::string> Names() const;
    // The first section of that name in any letter case, as the profile calls find it;
    // null when there is none.
    const IniSection* Find(std::string_view name) const;
};
IniText ParseIniText(std::string_view text);

} // namespace inkwarden
