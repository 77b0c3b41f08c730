// What the command line asks of the system besides its files: where it lies, today's date,
// its process, its console, and git.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace inkwarden {

// A path from UTF-8 text and back, on every system.
std::filesystem::path PathOf(std::string_view utf8);
std::string Utf8Of(const std::filesystem::path& path);

// The folder of the running program; empty when the system does not say.
std::filesystem::path ProgramFolder();

// Today by a date picture (see core/date_picture.h); an empty picture, or one that gives
// no date, gives the short date: the user's on Windows, yyyy/M/d elsewhere.
std::string TodayText(const std::string& picture);

long ProcessId();
// Whether a process of that id runs (true too where the system will not say).
bool ProcessRuns(long id);

bool StderrIsTerminal();
// Standard input and output pass bytes as they are (no CR LF translation on Windows).
void RawStandardStreams();

// The paths git ignores under `folder` when it is in a git work tree, relative to it with
// '/' between names, each ignored folder once with a '/' at its end, separated by NULs;
// false when git is not at hand or the folder is in no work tree.
bool GitIgnoredPaths(const std::filesystem::path& folder, std::string& paths);

} // namespace inkwarden
