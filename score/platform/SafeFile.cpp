// SafeFile: the crash-safe replacement of a file through a temporary file and a rename.
#include "score/platform/SafeFile.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace {

// Links followed at most, as many as the system follows in one lookup.
constexpr int kMaxLinks = 40;

// The folder holding path ("." for a bare file name).
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows the symbolic links at the end of path, as opening it would, so that path names the
// file itself (which need not exist yet). A relative link is read from the link's own folder.
// False when a link cannot be read or there are too many of them.
bool followLinks(std::string& path) {
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        char target[PATH_MAX];
        const ssize_t length = readlink(path.c_str(), target, sizeof target);
        if (length < 0) {
            return errno == EINVAL || errno == ENOENT; // not a link, or nothing there yet
        }
        if (static_cast<std::size_t>(length) == sizeof target) {
            return false;
        }
        const std::string next(target, static_cast<std::size_t>(length));
        path = next[0] == '/' ? next : folderOf(path) + "/" + next;
    }
    return false;
}

// Whether the existing file may be written. The system lets a privileged process (root) open
// even a file without any write bit, but a player who took the write bits away wants the file
// kept as it is; so a file without a write bit counts as read-only for every process.
bool mayWrite(const std::string& path, const struct stat& info) {
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return false;
    }
    return faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// Gives the new file the old one's owner and permission bits, or for a first file the bits a
// plain open would give it. An owner this process may not give away stays its own, as with any
// file it creates; the bits always follow (set after the owner, which may clear some of them).
bool takeAttributes(int fd, const struct stat* old) {
    if (old == nullptr) {
        const mode_t mask = umask(0);
        umask(mask);
        return fchmod(fd, 0666 & ~mask) == 0;
    }
    if (fchown(fd, old->st_uid, old->st_gid) != 0 && errno != EPERM) {
        return false;
    }
    return fchmod(fd, old->st_mode & 07777) == 0;
}

// Writes all of data to fd; false on an error or a full disk.
bool writeAll(int fd, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    while (size > 0) {
        const ssize_t written = write(fd, bytes, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

#ifdef __EMSCRIPTEN__
// In the browser the files live in memory until the page copies them to its lasting storage
// (IndexedDB, page.js): the copy starts here and finishes on its own.
EM_JS(void, keepStoredFiles, (), { zembrixPage.keep(); });

void syncFolder(const std::string& /*folder*/) {
    keepStoredFiles();
}
#else
// Makes a rename in folder durable. The new file is in place already if this fails.
void syncFolder(const std::string& folder) {
    const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
}
#endif

} // namespace

bool writeFileSafely(const char* path, const void* data, std::size_t size) {
    std::string target = path;
    if (!followLinks(target)) {
        return false;
    }
    struct stat info;
    const bool exists = stat(target.c_str(), &info) == 0;
    if (!exists && errno != ENOENT) {
        return false;
    }
    if (exists && (!S_ISREG(info.st_mode) || !mayWrite(target, info))) {
        return false;
    }
    std::string temp = target + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        return false;
    }
    bool ok =
        takeAttributes(fd, exists ? &info : nullptr) && writeAll(fd, data, size) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && std::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        unlink(temp.c_str());
        return false;
    }
    syncFolder(folderOf(target));
    return true;
}
