#include "files/file_io.h"

#include "files/tree.h"

#include <atomic>
#include <fstream>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace inkwarden {

namespace fs = std::filesystem;

bool ReadWholeFile(const fs::path& path, std::string& bytes, std::string& problem) {
    std::ifstream in(path, std::ios::binary);
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!in || ec) {
        problem = ec ? ec.message() : "cannot be opened";
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size));
    in.read(&bytes[0], static_cast<std::streamsize>(size));
    if (in.gcount() != static_cast<std::streamsize>(size)) {
        problem = "changed while it was read";
        return false;
    }
    return true;
}

bool ReplaceFile(const fs::path& path, const std::vector<std::string_view>& pieces, std::string& problem) {
    static std::atomic<unsigned> serial{0};
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::is_regular_file(status)) {
        problem = ec ? ec.message() : "is no longer a file";
        return false;
    }
    // Root may write any file, and a rename never asks the file: a file its owner may not
    // write is read-only for this program too.
    if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) {
        problem = "read-only";
        return false;
    }
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
    fs::permissions(temporary, status.permissions(), ec);
#ifndef _WIN32
    struct stat owner;
    if (::stat(path.c_str(), &owner) == 0 && chown(temporary.c_str(), owner.st_uid, owner.st_gid) != 0) {
        // Not the owner's to give away: the file stays the writer's, as an editor would leave it.
    }
#endif
    fs::rename(temporary, path, ec);
    if (ec) {
        problem = ec.message();
        fs::remove(temporary, ec);
        return false;
    }
    return true;
}

} // namespace inkwarden
