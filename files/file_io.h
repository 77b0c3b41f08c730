// Reading a file whole and replacing it so that it is never seen half written.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace inkwarden {

// The file's bytes; false, with the reason, when it cannot be read.
bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes, std::string& problem);

// Replaces the file's content by the pieces one after another: written to a temporary file
// beside it that takes its permissions (and, where the system has them, its owner), then
// renamed over it, so that the file is either as it was or finished whenever the process
// ends. A read-only file is left alone. False, with the reason, when it was not replaced.
bool ReplaceFile(const std::filesystem::path& path, const std::vector<std::string_view>& pieces,
                 std::string& problem);

} // namespace inkwarden
