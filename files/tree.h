// Walking the trees the command line is given: every regular file under each path, in name
// order per folder, without following symbolic links and without the folders of version
// control systems, what git ignores (when the tree is a git work tree and git is at hand)
// or what an --exclude pattern names.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace inkwarden {

struct TreeEntry {
    std::filesystem::path path;
    std::string shown; // as it is named to the person: the path given, then the names below it
    bool symlink = false;
};

struct TreeWalk {
    std::vector<std::string> excludes;
    std::function<void(const TreeEntry&)> onFile; // regular files and symbolic links
    std::function<void(const std::string& shown, const std::string& problem)> onProblem;
    bool removeLeftovers = false; // the temporary files of an earlier run that was cut short
    int leftoversRemoved = 0;
};
void WalkTrees(const std::vector<std::string>& roots, TreeWalk& walk);

// Whether a name or a path matches a pattern: '*' any run of characters but '/', '**' any
// run at all, '?' one character but '/', "[abc]", "[a-z]", "[!abc]" one of a set or not.
bool GlobMatches(std::string_view pattern, std::string_view text);

// The temporary file that replaces `path` is written as, beside it. The walk removes those
// whose process no longer runs: what a run that was cut short left.
std::filesystem::path TemporaryBeside(const std::filesystem::path& path, unsigned serial);

} // namespace inkwarden
