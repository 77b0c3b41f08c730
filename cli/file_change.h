// What `apply` does to one file's bytes: where its block goes or which block it refreshes,
// decided on the bytes as they are, so that nothing else in the file changes. No file is
// touched here.
#pragma once

#include "core/plan_fields.h"
#include "core/remark.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace inkwarden {

// Files larger than this are not read; no source file a header belongs in is.
constexpr std::size_t kMaxFileSize = 16u << 20;
// A NUL in this many first bytes makes a file binary.
constexpr std::size_t kBinarySniff = 8192;

struct ApplyOptions {
    int templ = 3;
    // Field texts given on the command line, over what the template prefills.
    std::array<std::optional<std::string>, kFieldsPerTemplate> fields;
    Prefills prefills; // author and today; the file's name is set per file
    bool force = false;
    unsigned codePage = 936;
};

enum class Verdict { Added, Refreshed, Unchanged, Skipped };

// The file becomes bytes[0, keep) + insert + bytes[resume, end).
struct FileChange {
    Verdict verdict = Verdict::Unchanged;
    std::string reason; // why it was skipped, as the summary counts it
    std::string detail; // what the person is told of that file; empty: nothing
    std::size_t keep = 0, resume = 0;
    std::string insert;
};

// The change for a file named `fileName` holding `bytes`, in style `style`.
FileChange ChangeFor(std::string_view bytes, const std::string& fileName, CodeType_t style,
                     const ApplyOptions& options);

// `text` (lines joined by CR LF) with its line ends made `lineEnd`.
std::string WithLineEnds(std::string_view text, std::string_view lineEnd);

// The line end for text that has none of its own.
#ifdef _WIN32
constexpr std::string_view kNativeLineEnd = "\r\n";
#else
constexpr std::string_view kNativeLineEnd = "\n";
#endif

} // namespace inkwarden
