#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

#include "core/string_ids.h"
#include "core/string_table.h"
#include "info/file_replace.h"

namespace rpanel {
namespace {

// The kernel gives up on a chain of symbolic links after as many.
constexpr int kMaxLinkHops = 40;

bool Fail(std::string* failure, const std::string& path, const std::string& why) {
    *failure = path + ": " + why;
    return false;
}

bool FailWithErrno(std::string* failure, const std::string& path, int error) {
    return Fail(failure, path, std::system_category().message(error));
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a write through path reaches: symbolic links followed, the last one even when what
// it names does not exist yet (the save then creates it there, and the link keeps working).
bool FollowLinks(std::string path, std::string* target, int* error) {
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            *target = path;
            return true;
        }
        std::string link(static_cast<std::size_t>(status.st_size > 0 ? status.st_size : 4096) + 1,
                         '\0');
        const ssize_t length = ::readlink(path.c_str(), link.data(), link.size());
        if (length < 0) {
            *error = errno;
            return false;
        }
        link.resize(static_cast<std::size_t>(length));
        path = link.front() == '/' ? link : FolderOf(path) + "/" + link;
    }
    *error = ELOOP;
    return false;
}

// Writes all of bytes at offset 0.
bool WriteAll(int fd, std::string_view bytes) {
    off_t offset = 0;
    while (!bytes.empty()) {
        const ssize_t written = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = EIO;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        offset += written;
    }
    return true;
}

// Opens a new file in folder under a short name nobody else uses: a file name that is already
// as long as the system allows leaves no room for anything longer.
int CreateTemporaryIn(const std::string& folder, std::string* temporary) {
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "/.rpanel-%08x.tmp", static_cast<unsigned>(random()));
        *temporary = folder + name;
        const int fd = ::open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

// Writes the file where it is, so that its links, owner and permissions stay as they are. The
// whole new size is reserved first: a full disk then stops the save before the file changes.
bool WriteInPlace(const std::string& path, const std::string& target, std::string_view bytes,
                  std::string* failure) {
    // Not blocking, and not following a link: a pipe or a link put in the file's place since it
    // was looked at does not hang the save or lead it elsewhere.
    const int fd = ::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return FailWithErrno(failure, path, errno);
    }
    struct stat status {};
    int error = 0;
    if (::fstat(fd, &status) != 0) {
        error = errno;
    } else if (!S_ISREG(status.st_mode)) {
        ::close(fd);
        return Fail(failure, path, LoadText(text::kNotRegularFile));
    } else if (const int reserved = ::posix_fallocate(fd, 0, static_cast<off_t>(bytes.size()));
               reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL) {
        error = reserved;  // nothing written yet
    } else if (!WriteAll(fd, bytes) || ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 ||
               ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    return error == 0 || FailWithErrno(failure, path, error);
}

// Makes the rename itself durable; the file is already in place whatever this answers.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

enum class Replaced { Yes, No, KeepsNoOwner };

// Writes a new file beside target and renames it over target. An existing file's owner, group
// and permissions go to the new one first (the owner first: changing it clears set-id bits).
Replaced ReplaceByNewFile(const std::string& path, const std::string& target,
                          const struct stat* existing, std::string_view bytes,
                          std::string* failure) {
    const std::string folder = FolderOf(target);
    std::string temporary;
    const int fd = CreateTemporaryIn(folder, &temporary);
    if (fd < 0) {
        FailWithErrno(failure, path, errno);
        return Replaced::No;
    }
    if (existing != nullptr && ::fchown(fd, existing->st_uid, existing->st_gid) != 0) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return Replaced::KeepsNoOwner;
    }
    int error = 0;
    if (existing != nullptr && ::fchmod(fd, existing->st_mode & 07777) != 0) {
        error = errno;
    } else if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        FailWithErrno(failure, path, error);
        return Replaced::No;
    }
    SyncFolder(folder);
    return Replaced::Yes;
}

// Asked with the identity that opens files.
bool MayWrite(const std::string& path, int mode) {
    return ::faccessat(AT_FDCWD, path.c_str(), mode, AT_EACCESS) == 0;
}

}  // namespace

bool ReplaceFileContents(const std::string& path, std::string_view bytes, std::string* failure) {
    std::string target;
    int error = 0;
    if (!FollowLinks(path, &target, &error)) {
        return FailWithErrno(failure, path, error);
    }
    struct stat status {};
    if (::lstat(target.c_str(), &status) != 0) {
        if (errno != ENOENT) {
            return FailWithErrno(failure, path, errno);
        }
        return ReplaceByNewFile(path, target, nullptr, bytes, failure) == Replaced::Yes;
    }
    if (!S_ISREG(status.st_mode)) {
        return Fail(failure, path, LoadText(text::kNotRegularFile));
    }
    // Renaming over a file needs only the folder's permission; a file that the user may not
    // write (one marked read-only, say) must stay as it is all the same.
    if (!MayWrite(target, W_OK)) {
        return FailWithErrno(failure, path, errno);
    }
    if (status.st_nlink == 1 && MayWrite(FolderOf(target), W_OK | X_OK)) {
        const Replaced replaced = ReplaceByNewFile(path, target, &status, bytes, failure);
        if (replaced != Replaced::KeepsNoOwner) {
            return replaced == Replaced::Yes;
        }
    }
    return WriteInPlace(path, target, bytes, failure);
}

}  // namespace rpanel
