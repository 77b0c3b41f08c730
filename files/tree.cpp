#include "files/tree.h"

#include "files/system.h"

#include <algorithm>
#include <unordered_set>

namespace inkwarden {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTemporaryMark = ".inkwarden-";
constexpr std::string_view kTemporaryEnd = ".tmp";

const char* const kVersionControlFolders[] = {".git", ".hg", ".svn", ".bzr", "CVS", "_darcs"};

bool EndsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// The id of the process a temporary file names; -1 for a name that is none.
long TemporaryOwner(std::string_view name) {
    const std::size_t mark = name.rfind(kTemporaryMark);
    if (name.empty() || name[0] != '.' || mark == std::string_view::npos || !EndsWith(name, kTemporaryEnd))
        return -1;
    long id = 0;
    for (std::size_t i = mark + kTemporaryMark.size(); i < name.size() && name[i] != '-'; ++i) {
        if (name[i] < '0' || name[i] > '9')
            return -1;
        id = id * 10 + (name[i] - '0');
    }
    return id;
}

class Walker {
public:
    Walker(TreeWalk& walk, std::string shownRoot) : walk_(walk), shownRoot_(std::move(shownRoot)) {}

    void Root(const fs::path& root) {
        std::string listed;
        if (GitIgnoredPaths(root, listed))
            for (std::size_t from = 0; from < listed.size();) {
                const std::size_t end = std::min(listed.find('\0', from), listed.size());
                ignored_.insert(listed.substr(from, end - from));
                from = end + 1;
            }
        Folder(root, std::string());
    }

private:
    std::string Shown(const std::string& relative) const {
        if (shownRoot_.empty() || shownRoot_ == ".")
            return relative;
        return shownRoot_ + (shownRoot_.back() == '/' ? "" : "/") + relative;
    }

    bool Excluded(const std::string& name, const std::string& relative) const {
        for (const std::string& pattern : walk_.excludes)
            if (GlobMatches(pattern, pattern.find('/') == std::string::npos ? name : relative))
                return true;
        return false;
    }

    void Folder(const fs::path& folder, const std::string& relative) {
        std::error_code ec;
        std::vector<fs::directory_entry> entries;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
            entries.push_back(*it);
        if (ec) {
            walk_.onProblem(Shown(relative), ec.message());
            return;
        }
        std::sort(
            entries.begin(), entries.end(),
            [](const fs::directory_entry& a, const fs::directory_entry& b) { return a.path() < b.path(); });
        for (const fs::directory_entry& entry : entries) {
            const std::string name = Utf8Of(entry.path().filename());
            const std::string path = relative.empty() ? name : relative + "/" + name;
            const fs::file_status status = entry.symlink_status(ec);
            if (ec)
                continue;
            if (fs::is_directory(status)) {
                if (std::find(std::begin(kVersionControlFolders), std::end(kVersionControlFolders), name) !=
                        std::end(kVersionControlFolders) ||
                    ignored_.count(path + "/") || Excluded(name, path))
                    continue;
                Folder(entry.path(), path);
            } else if (fs::is_regular_file(status) || fs::is_symlink(status)) {
                const long owner = TemporaryOwner(name);
                if (owner >= 0) {
                    if (walk_.removeLeftovers && !ProcessRuns(owner) && fs::remove(entry.path(), ec))
                        ++walk_.leftoversRemoved;
                    continue;
                }
                if (ignored_.count(path) || Excluded(name, path))
                    continue;
                walk_.onFile({entry.path(), Shown(path), fs::is_symlink(status)});
            }
        }
    }

    TreeWalk& walk_;
    std::string shownRoot_;
    std::unordered_set<std::string> ignored_;
};

} // namespace

void WalkTrees(const std::vector<std::string>& roots, TreeWalk& walk) {
    for (const std::string& root : roots) {
        const fs::path path = PathOf(root);
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(path, ec);
        if (ec || !fs::exists(status)) {
            walk.onProblem(root, "no such file or folder");
        } else if (fs::is_directory(status)) {
            Walker(walk, root).Root(path);
        } else {
            // A file named on the command line is taken as it is: it was chosen, not found.
            walk.onFile({path, root, fs::is_symlink(status)});
        }
    }
}

bool GlobMatches(std::string_view pattern, std::string_view text) {
    if (pattern.empty())
        return text.empty();
    if (pattern.substr(0, 2) == "**") {
        for (std::size_t i = 0; i <= text.size(); ++i)
            if (GlobMatches(pattern.substr(2), text.substr(i)))
                return true;
        return false;
    }
    if (pattern[0] == '*') {
        for (std::size_t i = 0; i <= text.size(); ++i) {
            if (GlobMatches(pattern.substr(1), text.substr(i)))
                return true;
            if (i < text.size() && text[i] == '/')
                return false;
        }
        return false;
    }
    if (text.empty())
        return false;
    if (text[0] == '/')
        return pattern[0] == '/' && GlobMatches(pattern.substr(1), text.substr(1));
    if (pattern[0] == '[') {
        const std::size_t close = pattern.find(']', 2);
        if (close != std::string_view::npos) {
            const bool negated = pattern[1] == '!';
            bool in = false;
            for (std::size_t i = negated ? 2 : 1; i < close; ++i) {
                if (i + 2 < close && pattern[i + 1] == '-') {
                    in = in || (text[0] >= pattern[i] && text[0] <= pattern[i + 2]);
                    i += 2;
                } else {
                    in = in || text[0] == pattern[i];
                }
            }
            return in != negated && GlobMatches(pattern.substr(close + 1), text.substr(1));
        }
    }
    return (pattern[0] == '?' || pattern[0] == text[0]) && GlobMatches(pattern.substr(1), text.substr(1));
}

fs::path TemporaryBeside(const fs::path& path, unsigned serial) {
    const std::string name = "." + Utf8Of(path.filename()) + std::string(kTemporaryMark) +
                             std::to_string(ProcessId()) + "-" + std::to_string(serial) +
                             std::string(kTemporaryEnd);
    return path.parent_path() / PathOf(name);
}

} // namespace inkwarden
