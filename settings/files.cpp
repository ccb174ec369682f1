// POSIX file access for the settings file. Saving never touches the old file until the new
// one is complete on the disk: temporary file in the same directory, fsync, rename over.
#include "settings/files.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <utility>
#include <vector>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dorvalen {

namespace {

// Closes the descriptor when the scope ends, whatever path it ends on.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now and reports whether the close succeeded (it can report a late write error).
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string reasonForCreate(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return "Das Verzeichnis existiert nicht.";
        case EACCES:
        case EPERM:
        case EROFS:
            return "Das Verzeichnis ist nicht beschreibbar.";
        case ENOSPC:
        case EDQUOT:
            return "Der Datenträger ist voll.";
        default:
            return "Die Datei konnte nicht angelegt werden.";
    }
}

std::string reasonForWrite(int error) {
    if (error == ENOSPC || error == EDQUOT) return "Der Datenträger ist voll.";
    return "Die Datei konnte nicht geschrieben werden.";
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

constexpr std::string_view temporaryInfix = ".tmp";

// A new file beside `path` that did not exist before (O_EXCL), so no other file is ever
// overwritten; a leftover of a crashed save only moves us to the next name. The file is
// locked for as long as this process has it open, which marks it as in use to
// removeStaleTemporaries; a name that a cleaner unlinked before we got the lock is dropped.
int createTemporaryBeside(const std::string& path, std::string& tempPath) {
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        tempPath = path + std::string(temporaryInfix) + std::to_string(::getpid()) + "-" +
                   std::to_string(attempt);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            error = errno;
            continue;
        }
        ::flock(fd, LOCK_EX | LOCK_NB);  // a file system without locks: no cleaner removes it
        struct stat info {};
        if (::fstat(fd, &info) == 0 && info.st_nlink > 0) return fd;
        ::close(fd);
        error = EEXIST;
    }
    errno = error;
    return -1;
}

// The file a save replaces: `path`, or the end of its chain of symbolic links (which need
// not exist yet). Relative link targets count from the link's own folder. Nothing for a
// loop of links.
std::optional<std::string> followLinks(std::string path) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (length <= 0 || static_cast<std::size_t>(length) >= sizeof target) return std::nullopt;
        const std::string next(target, static_cast<std::size_t>(length));
        path = next.front() == '/' ? next : siblingPath(path, next);
    }
    return std::nullopt;
}

// "<name>.tmp<digits>-<digits>" for the file name `name`.
bool isTemporaryName(std::string_view entry, std::string_view name) {
    if (entry.size() <= name.size() + temporaryInfix.size() || entry.substr(0, name.size()) != name)
        return false;
    entry.remove_prefix(name.size());
    if (entry.substr(0, temporaryInfix.size()) != temporaryInfix) return false;
    entry.remove_prefix(temporaryInfix.size());
    const std::size_t dash = entry.find('-');
    const auto allDigits = [](std::string_view digits) {
        return !digits.empty() && digits.size() <= 10 &&
               std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    return dash != std::string_view::npos && allDigits(entry.substr(0, dash)) &&
           allDigits(entry.substr(dash + 1));
}

// Unlinks `tempPath` if no live saver holds its lock and the name still names the file we
// locked (another cleaner may have been faster).
bool removeIfStale(const std::string& tempPath) {
    FileDescriptor file(
        ::open(tempPath.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) return false;
    struct stat opened {};
    if (::fstat(file.get(), &opened) != 0 || !S_ISREG(opened.st_mode)) return false;
    if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) return false;  // in use, or no locks here
    struct stat named {};
    if (::lstat(tempPath.c_str(), &named) != 0 || named.st_ino != opened.st_ino ||
        named.st_dev != opened.st_dev)
        return false;
    return ::unlink(tempPath.c_str()) == 0;
}

}  // namespace

std::optional<std::string> readFilePrefix(const std::string& path, std::size_t maxBytes) {
    // O_NONBLOCK keeps a FIFO under the file's name from blocking the open.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;

    // Reads in chunks up to the cap: the size from fstat may be stale or huge.
    constexpr std::size_t chunk = 64 * 1024;
    std::string bytes;
    while (bytes.size() < maxBytes) {
        const std::size_t filled = bytes.size();
        const std::size_t want = std::min(chunk, maxBytes - filled);
        bytes.resize(filled + want);
        const ssize_t got = ::read(file.get(), bytes.data() + filled, want);
        if (got < 0 && errno == EINTR) {
            bytes.resize(filled);
            continue;
        }
        if (got < 0) return std::nullopt;
        bytes.resize(filled + static_cast<std::size_t>(got));
        if (got == 0) break;
    }
    return bytes;
}

int removeStaleTemporaries(const std::string& path) {
    const std::optional<std::string> target = followLinks(path);
    if (!target) return 0;
    const std::size_t slash = target->rfind('/');
    const std::string name = slash == std::string::npos ? *target : target->substr(slash + 1);
    DIR* directory = ::opendir(directoryOf(*target).c_str());
    if (directory == nullptr) return 0;
    std::vector<std::string> candidates;
    while (const dirent* entry = ::readdir(directory)) {
        if (isTemporaryName(entry->d_name, name)) candidates.emplace_back(entry->d_name);
    }
    ::closedir(directory);
    int removed = 0;
    for (const std::string& candidate : candidates) {
        removed += removeIfStale(siblingPath(*target, candidate)) ? 1 : 0;
    }
    return removed;
}

bool folderIsWritable(const std::string& path) {
    const std::optional<std::string> target = followLinks(path);
    return target && ::access(directoryOf(*target).c_str(), W_OK | X_OK) == 0;
}

PathKind pathKindOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return PathKind::Missing;
    if (S_ISREG(info.st_mode)) return PathKind::Regular;
    if (S_ISDIR(info.st_mode)) return PathKind::Directory;
    if (S_ISFIFO(info.st_mode)) return PathKind::Fifo;
    if (S_ISCHR(info.st_mode)) return PathKind::CharDevice;
    return PathKind::Other;
}

WriteResult writeInPlace(const std::string& path, std::string_view bytes) {
    FileDescriptor file(::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) return {false, reasonForCreate(errno)};
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !(S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode)))
        return {false, "Unter dem Dateinamen liegt keine gewöhnliche Datei."};
    if (!writeAll(file.get(), bytes) || !file.close()) return {false, reasonForWrite(errno)};
    return {true, {}};
}

WriteResult replaceFileContents(const std::string& linkedPath, std::string_view bytes) {
    const std::optional<std::string> target = followLinks(linkedPath);
    if (!target) return {false, "Die Datei konnte nicht angelegt werden."};
    const std::string& path = *target;
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        return {false, "Unter dem Dateinamen liegt ein Verzeichnis."};
    }
    if (exists && !S_ISREG(old.st_mode)) {
        return {false, "Unter dem Dateinamen liegt keine gewöhnliche Datei."};
    }
    removeStaleTemporaries(path);

    std::string tempPath;
    FileDescriptor file(createTemporaryBeside(path, tempPath));
    if (file.get() < 0) return {false, reasonForCreate(errno)};

    const auto fail = [&](std::string reason) {
        ::unlink(tempPath.c_str());
        return WriteResult{false, std::move(reason)};
    };
    if (exists) {
        // The new file takes the old one's place, so it takes its owner and permissions
        // too. Only root may give a file away; a file that stays ours drops set-id bits.
        if (::fchown(file.get(), old.st_uid, old.st_gid) != 0)
            old.st_mode &= ~static_cast<mode_t>(S_ISUID | S_ISGID);
        if (::fchmod(file.get(), old.st_mode & 07777) != 0) return fail(reasonForWrite(errno));
    }
    if (!writeAll(file.get(), bytes) || ::fsync(file.get()) != 0) {
        return fail(reasonForWrite(errno));
    }
    if (::rename(tempPath.c_str(), path.c_str()) != 0) {
        return fail(errno == EISDIR ? "Unter dem Dateinamen liegt ein Verzeichnis."
                                    : "Die alte Datei konnte nicht ersetzt werden.");
    }
    // Closed only after the rename, so the lock covers the temporary for its whole life;
    // the data is on the disk already (fsync), so the close has nothing left to report.
    file.close();

    // Make the rename itself durable; the new contents are already in place, so a failure
    // here changes nothing the user could act on.
    FileDescriptor directory(::open(directoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.get() >= 0) ::fsync(directory.get());
    return {true, {}};
}

std::string siblingPath(const std::string& path, std::string_view name) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return std::string(name);
    return path.substr(0, slash + 1) + std::string(name);
}

void setHiddenAttribute(const std::string& path) { (void)path; }

}  // namespace dorvalen
