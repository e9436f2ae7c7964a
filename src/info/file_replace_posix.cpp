#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>

#include "info/file_replace.h"

namespace rpanel {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Opens a new file beside path, under a name nobody else uses.
int CreateTemporaryBeside(const std::filesystem::path& target, std::string* temporary) {
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        const std::string name =
            "." + target.filename().string() + "." + std::to_string(random()) + ".tmp";
        *temporary = (target.parent_path() / name).string();
        const int fd = ::open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// Renaming over a file needs only the folder's permission; a file that the user may not write
// (one marked read-only, say) must stay as it is all the same, as it does where files are
// written in place. The permission is asked with the identity that opens files.
bool MayReplace(const std::string& path) {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 || errno == ENOENT;
}

// Makes the rename itself durable; the file is already in place whatever this answers.
void SyncFolder(const std::filesystem::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

bool ReplaceFileContents(const std::string& path, std::string_view bytes) {
    if (!MayReplace(path)) {
        return false;
    }
    const std::filesystem::path target(path);
    std::string temporary;
    const int fd = CreateTemporaryBeside(target, &temporary);
    if (fd < 0) {
        return false;
    }
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(target.parent_path());
    return true;
}

}  // namespace rpanel
