// `apply` and `check`: every file under the paths given, walked once, each read, changed
// and replaced by itself on a few threads; nothing of the tree is held.
#pragma once

#include "cli/file_change.h"

#include <string>
#include <vector>

namespace inkwarden {

struct TreeRun {
    ApplyOptions apply;
    CodeType_t style = -1; // forced; -1: by each file's extension
    std::vector<std::string> excludes;
    bool dryRun = false, check = false, verbose = false, quiet = false;
    bool removeLeftovers = false; // what an earlier run that was cut short left
    unsigned jobs = 1;
};

// Runs over the paths and returns the exit status: for apply 1 when a file could not be
// written, for check 1 when a file would change or could not be read; else 0.
int RunTree(const std::vector<std::string>& paths, const TreeRun& run);

} // namespace inkwarden
