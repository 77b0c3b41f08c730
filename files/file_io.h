// Reading a file whole and replacing it so that it is never seen half written, with as few
// calls to the system per file as a copy makes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace inkwarden {

// What is known of a file once it is open.
struct FileFacts {
    std::uintmax_t size = 0, links = 1;
    bool regular = true;
    bool writable = true; // its owner may write it (root may write any file; this program does not)
    unsigned mode = 0, owner = 0, group = 0;
};

// A file opened for reading (never through a symbolic link), closed with the object.
class SourceFile {
public:
    explicit SourceFile(const std::filesystem::path& path);
    ~SourceFile();
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;

    // False, with the reason, when it could not be opened.
    bool Open(FileFacts& facts, std::string& problem);
    // Its bytes, Facts().size of them; false, with the reason, when they could not be read.
    bool Read(std::string& bytes, std::string& problem);

private:
    std::filesystem::path path_;
    FileFacts facts_;
    int fd_ = -1;
};

// The whole file at once (a settings file).
bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes, std::string& problem);

// Replaces the file's content by the pieces one after another: written to a temporary file
// beside it with its permissions (and, where the system has them, its owner), then renamed
// over it, so that the file is either as it was or finished whenever the process ends. A
// read-only file is left alone. False, with the reason, when it was not replaced.
bool ReplaceFile(const std::filesystem::path& path, const FileFacts& facts,
                 const std::vector<std::string_view>& pieces, std::string& problem);

} // namespace inkwarden
