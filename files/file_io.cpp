#include "files/file_io.h"

#include "files/tree.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>

#ifdef _WIN32
#include <iterator>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#endif

namespace inkwarden {

namespace fs = std::filesystem;

namespace {

std::atomic<unsigned> serial{0};

} // namespace

bool WriteBesideAndRename(const fs::path& path, const FileFacts& facts,
                          const std::vector<std::string_view>& pieces, std::string& problem);

bool ReadWholeFile(const fs::path& path, std::string& bytes, std::string& problem) {
    SourceFile file(path);
    FileFacts facts;
    return file.Open(facts, problem) && file.Read(bytes, problem);
}

bool ReplaceFile(const fs::path& path, const FileFacts& facts, const std::vector<std::string_view>& pieces,
                 std::string& problem) {
    if (!facts.writable) {
        problem = "read-only";
        return false;
    }
    return WriteBesideAndRename(path, facts, pieces, problem);
}

#ifdef _WIN32
// Windows: the standard library's files, which take the wide paths the system needs.
SourceFile::SourceFile(const fs::path& path) : path_(path) {}
SourceFile::~SourceFile() = default;

bool SourceFile::Open(FileFacts& facts, std::string& problem) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path_, ec);
    facts_.size = ec ? 0 : fs::file_size(path_, ec);
    facts_.links = ec ? 1 : fs::hard_link_count(path_, ec);
    if (ec) {
        problem = ec.message();
        return false;
    }
    facts_.regular = fs::is_regular_file(status);
    facts_.writable = (status.permissions() & fs::perms::owner_write) != fs::perms::none;
    facts_.mode = static_cast<unsigned>(status.permissions());
    facts = facts_;
    return true;
}

bool SourceFile::Read(std::string& bytes, std::string& problem) {
    std::ifstream in(path_, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.eof() && !in) {
        problem = "cannot be read";
        return false;
    }
    return true;
}

// The temporary beside the file, written, given the file's mode (and owner), renamed over it.
bool WriteBesideAndRename(const fs::path& path, const FileFacts& facts,
                          const std::vector<std::string_view>& pieces, std::string& problem) {
    std::error_code ec;
    const fs::path temporary = TemporaryBeside(path, serial++);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        for (std::string_view piece : pieces)
            out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
        out.close();
        if (!out) {
            problem = "cannot write beside it";
            fs::remove(temporary, ec);
            return false;
        }
    }
    fs::permissions(temporary, static_cast<fs::perms>(facts.mode), ec);
    fs::rename(temporary, path, ec);
    if (ec) {
        problem = ec.message();
        fs::remove(temporary, ec);
        return false;
    }
    return true;
}
#else
// Who this process writes files as, asked once.
const uid_t kUser = geteuid();
const gid_t kGroup = getegid();

SourceFile::SourceFile(const fs::path& path) : path_(path) {}

SourceFile::~SourceFile() {
    if (fd_ >= 0)
        close(fd_);
}

bool SourceFile::Open(FileFacts& facts, std::string& problem) {
    fd_ = open(path_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    struct stat st;
    if (fd_ < 0 || fstat(fd_, &st) != 0) {
        problem = errno == ELOOP ? "a symbolic link" : std::strerror(errno);
        return false;
    }
    facts_.size = static_cast<std::uintmax_t>(st.st_size);
    facts_.links = static_cast<std::uintmax_t>(st.st_nlink);
    facts_.regular = S_ISREG(st.st_mode);
    facts_.writable = (st.st_mode & S_IWUSR) != 0;
    facts_.mode = st.st_mode & 07777;
    facts_.owner = st.st_uid;
    facts_.group = st.st_gid;
    facts = facts_;
    return true;
}

bool SourceFile::Read(std::string& bytes, std::string& problem) {
    bytes.resize(static_cast<std::size_t>(facts_.size));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = read(fd_, &bytes[got], bytes.size() - got);
        if (n <= 0) {
            problem = n == 0 ? "changed while it was read" : std::strerror(errno);
            return false;
        }
        got += static_cast<std::size_t>(n);
    }
    return true;
}

// The temporary beside the file, written, given the file's mode (and owner), renamed over it.
bool WriteBesideAndRename(const fs::path& path, const FileFacts& facts,
                          const std::vector<std::string_view>& pieces, std::string& problem) {
    const fs::path temporary = TemporaryBeside(path, serial++);
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, facts.mode & 0700);
    if (fd < 0) {
        problem = std::string("cannot write beside it: ") + std::strerror(errno);
        return false;
    }
    std::vector<iovec> parts;
    std::size_t total = 0;
    for (std::string_view piece : pieces) {
        parts.push_back({const_cast<char*>(piece.data()), piece.size()});
        total += piece.size();
    }
    std::size_t written = 0;
    for (std::size_t first = 0; written < total;) {
        const ssize_t n = writev(fd, parts.data() + first, static_cast<int>(parts.size() - first));
        if (n <= 0)
            break;
        written += static_cast<std::size_t>(n);
        // What a short write left: the rest of the piece it stopped in, then the others.
        for (std::size_t done = static_cast<std::size_t>(n); first < parts.size() && done > 0;) {
            const std::size_t step = std::min(done, parts[first].iov_len);
            parts[first].iov_base = static_cast<char*>(parts[first].iov_base) + step;
            parts[first].iov_len -= step;
            done -= step;
            if (parts[first].iov_len == 0)
                ++first;
        }
    }
    // The owner first, then the mode: a change of owner may clear the set-id bits.
    const bool ok = written == total &&
                    ((facts.owner == kUser && facts.group == kGroup) ||
                     fchown(fd, facts.owner, facts.group) == 0 || errno == EPERM) &&
                    fchmod(fd, facts.mode) == 0;
    const int error = errno;
    if (close(fd) != 0 || !ok || rename(temporary.c_str(), path.c_str()) != 0) {
        problem = std::strerror(ok ? errno : error);
        unlink(temporary.c_str());
        return false;
    }
    return true;
}
#endif

} // namespace inkwarden
