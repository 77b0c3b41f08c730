// The command line's settings: the same scribbet.ini the window reads, with the same
// meaning, read without the system's profile calls.
#pragma once

#include "core/remark.h"

#include <optional>
#include <string>

namespace inkwarden {

struct CliSettings {
    std::string path; // the file read; empty when there was none
    std::string author, datePicture;
    CodeType_t code = 1; // the style in force, as the window's start takes it without a file
};

// Reads the settings file: `given` when there is one, else scribbet.ini beside the program,
// else the current folder's (neither present: no file, the defaults). Loads its styles and
// templates of one's own into the core's tables. False, with the reason, when a file given
// cannot be read.
bool LoadCliSettings(const std::optional<std::string>& given, unsigned codePage, CliSettings& settings,
                     std::string& problem);

} // namespace inkwarden
