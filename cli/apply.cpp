#include "cli/apply.h"

#include "core/file_styles.h"
#include "files/file_io.h"
#include "files/system.h"
#include "files/tree.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

namespace inkwarden {

namespace {

// How many bytes of files may be held at once, whatever the number of threads: two of the
// largest files read.
constexpr std::size_t kReadBudget = 2 * kMaxFileSize;

// Memory for the files being read, taken before a read and given back after.
class ByteBudget {
public:
    void Take(std::size_t n) {
        std::unique_lock<std::mutex> lock(mutex_);
        freed_.wait(lock, [&] { return held_ == 0 || held_ + n <= kReadBudget; });
        held_ += n;
    }
    void Give(std::size_t n) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            held_ -= n;
        }
        freed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable freed_;
    std::size_t held_ = 0;
};

// The files found, handed from the walk to the threads; the walk waits while it is full.
class FileQueue {
public:
    void Push(TreeEntry entry) {
        std::unique_lock<std::mutex> lock(mutex_);
        room_.wait(lock, [&] { return entries_.size() < kDepth; });
        entries_.push_back(std::move(entry));
        lock.unlock();
        filled_.notify_one();
    }
    void Close() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            closed_ = true;
        }
        filled_.notify_all();
    }
    std::optional<TreeEntry> Pop() {
        std::unique_lock<std::mutex> lock(mutex_);
        filled_.wait(lock, [&] { return !entries_.empty() || closed_; });
        if (entries_.empty())
            return std::nullopt;
        TreeEntry entry = std::move(entries_.front());
        entries_.pop_front();
        lock.unlock();
        room_.notify_one();
        return entry;
    }

private:
    static constexpr std::size_t kDepth = 256;
    std::mutex mutex_;
    std::condition_variable filled_, room_;
    std::deque<TreeEntry> entries_;
    bool closed_ = false;
};

// What the run says: the files changed on standard output, problems and the summary on
// standard error, and while a long run writes to a terminal, a line of progress.
class Report {
public:
    explicit Report(const TreeRun& run) : run_(run), progress_(!run.quiet && StderrIsTerminal()) {}

    void Changed(Verdict verdict, const std::string& shown) {
        std::lock_guard<std::mutex> lock(mutex_);
        ++(verdict == Verdict::Added ? added_ : refreshed_);
        if (run_.check)
            Out(shown);
        else if (run_.dryRun || run_.verbose)
            Out((verdict == Verdict::Added ? "added " : "refreshed ") + shown);
        Tick();
    }
    void Unchanged() {
        std::lock_guard<std::mutex> lock(mutex_);
        ++unchanged_;
        Tick();
    }
    // Skipped by a rule; with a detail, where the person may want to act, named too.
    void Skipped(const std::string& reason, const std::string& shown,
                 const std::string& detail = std::string()) {
        std::lock_guard<std::mutex> lock(mutex_);
        ++skipped_[reason];
        if (!detail.empty())
            Problem(shown, "skipped: " + detail);
        Tick();
    }
    void Failed(const std::string& shown, const std::string& problem) {
        std::lock_guard<std::mutex> lock(mutex_);
        ++failed_;
        Problem(shown, problem);
        Tick();
    }

    int Finish(int leftovers) {
        ClearProgress();
        if (!run_.quiet) {
            std::string line = "inkwarden: " + std::to_string(added_) + " added, " +
                               std::to_string(refreshed_) + " refreshed, " + std::to_string(unchanged_) +
                               " unchanged";
            std::string skipped;
            for (const auto& reason : skipped_)
                skipped += (skipped.empty() ? "" : ", ") + std::to_string(reason.second) + " " + reason.first;
            if (!skipped.empty())
                line += "; skipped: " + skipped;
            if (failed_)
                line += "; " + std::to_string(failed_) + (run_.check ? " not read" : " not written");
            if (leftovers)
                line += "; " + std::to_string(leftovers) + " leftover temporary files removed";
            if (run_.dryRun && !run_.check)
                line += " (dry run: nothing written)";
            std::fprintf(stderr, "%s\n", line.c_str());
        }
        if (run_.check)
            return added_ + refreshed_ + failed_ > 0 ? 1 : 0;
        return failed_ > 0 ? 1 : 0;
    }

private:
    void Out(const std::string& line) {
        ClearProgress();
        std::fprintf(stdout, "%s\n", line.c_str());
        std::fflush(stdout);
    }
    void Problem(const std::string& shown, const std::string& problem) {
        ClearProgress();
        std::fprintf(stderr, "inkwarden: %s: %s\n", shown.c_str(), problem.c_str());
    }
    void Tick() {
        ++seen_;
        const auto now = std::chrono::steady_clock::now();
        if (!progress_ || now - start_ < std::chrono::milliseconds(500) ||
            now - shown_ < std::chrono::milliseconds(100))
            return;
        shown_ = now;
        std::fprintf(stderr, "\rinkwarden: %d files, %d changed", seen_, added_ + refreshed_);
        std::fflush(stderr);
        lineShown_ = true;
    }
    void ClearProgress() {
        if (lineShown_)
            std::fprintf(stderr, "\r\033[K");
        lineShown_ = false;
    }

    const TreeRun& run_;
    const bool progress_;
    std::mutex mutex_;
    int added_ = 0, refreshed_ = 0, unchanged_ = 0, failed_ = 0, seen_ = 0;
    std::map<std::string, int> skipped_;
    const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point shown_;
    bool lineShown_ = false;
};

void OneFile(const TreeEntry& entry, const TreeRun& run, ByteBudget& budget, Report& report) {
    if (entry.symlink)
        return report.Skipped("symbolic links", entry.shown);
    const std::string name = Utf8Of(entry.path.filename());
    const CodeType_t style = run.style >= 0 ? run.style : StyleForFile(name);
    if (style < 0)
        return report.Skipped("of no known style", entry.shown);
    SourceFile file(entry.path);
    FileFacts facts;
    std::string bytes, problem;
    if (!file.Open(facts, problem))
        return report.Failed(entry.shown, problem);
    if (!facts.regular)
        return report.Skipped("not regular files", entry.shown);
    if (facts.size > kMaxFileSize)
        return report.Skipped("over 16 MiB", entry.shown);
    // A rename would part the file from its other names.
    if (facts.links > 1)
        return report.Skipped("hard-linked", entry.shown,
                              "it has other names, which a rename would part it from");
    const std::size_t held = static_cast<std::size_t>(facts.size);
    budget.Take(held);
    if (!file.Read(bytes, problem)) {
        budget.Give(held);
        return report.Failed(entry.shown, problem);
    }
    const FileChange change = ChangeFor(bytes, name, style, run.apply);
    bool written = true;
    if ((change.verdict == Verdict::Added || change.verdict == Verdict::Refreshed) && !run.dryRun &&
        !run.check)
        written = ReplaceFile(entry.path, facts,
                              {std::string_view(bytes).substr(0, change.keep), change.insert,
                               std::string_view(bytes).substr(change.resume)},
                              problem);
    budget.Give(held);
    if (!written)
        return report.Failed(entry.shown, problem);
    switch (change.verdict) {
    case Verdict::Skipped:
        return report.Skipped(change.reason, entry.shown, change.detail);
    case Verdict::Unchanged:
        return report.Unchanged();
    default:
        return report.Changed(change.verdict, entry.shown);
    }
}

} // namespace

int RunTree(const std::vector<std::string>& paths, const TreeRun& run) {
    Report report(run);
    ByteBudget budget;
    FileQueue queue;
    std::vector<std::thread> threads;
    for (unsigned i = 0; i < std::max(1u, run.jobs); ++i)
        threads.emplace_back([&] {
            while (std::optional<TreeEntry> entry = queue.Pop())
                OneFile(*entry, run, budget, report);
        });
    TreeWalk walk;
    walk.excludes = run.excludes;
    walk.removeLeftovers = run.removeLeftovers;
    walk.onFile = [&queue](const TreeEntry& entry) { queue.Push(entry); };
    walk.onProblem = [&report](const std::string& shown, const std::string& problem) {
        report.Failed(shown, problem);
    };
    WalkTrees(paths, walk);
    queue.Close();
    for (std::thread& t : threads)
        t.join();
    return report.Finish(walk.leftoversRemoved);
}

} // namespace inkwarden
