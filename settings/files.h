// The file system as the settings file needs it: a bounded read, an all-or-nothing write
// and the hidden attribute. Plain C++ over POSIX calls.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace dorvalen {

// A settings file is a few hundred bytes; reading stops after 1 MiB, so a huge or endless
// file costs at most that much memory and time.
inline constexpr std::size_t maxReadBytes = std::size_t{1} << 20;

// The first `maxBytes` bytes of a regular file, or nothing when it cannot be opened or is
// not a regular file (a directory, a pipe or a device is never read, so nothing blocks).
std::optional<std::string> readFilePrefix(const std::string& path,
                                          std::size_t maxBytes = maxReadBytes);

struct WriteResult {
    bool ok = false;
    std::string reason;  // short German text when !ok
};

// Writes `bytes` to a new file beside `path`, flushes it to the disk and renames it over
// `path`. On any failure the temporary file is removed and `path` is left as it was.
// A symbolic link is followed: its final target is replaced in the target's own folder and
// the link stays. The old file's permission bits (and owner, where allowed) are kept. A
// target that is not a regular file (a FIFO, a device, a directory) is never replaced.
// Stale temporaries of earlier interrupted saves of the same file are removed first.
WriteResult replaceFileContents(const std::string& path, std::string_view bytes);

// Whether replaceFileContents could create its temporary: the folder of the link-resolved
// `path` exists and may be written.
bool folderIsWritable(const std::string& path);

// What `path` names after following symbolic links.
enum class PathKind { Missing, Regular, Directory, Fifo, CharDevice, Other };
PathKind pathKindOf(const std::string& path);

// Writes `bytes` into an existing FIFO or character device as it is: nothing is created,
// truncated or replaced. A FIFO waits for its reader, as any writer to it does.
WriteResult writeInPlace(const std::string& path, std::string_view bytes);

// Removes the temporaries "<name>.tmp<pid>-<n>" that replaceFileContents left beside the
// (link-resolved) `path` when its process died mid-save. A saver holds a lock on its
// temporary while it lives, so one that is still being written is never touched; no other
// file is. Returns the number removed.
int removeStaleTemporaries(const std::string& path);

// The path of `name` in the directory that holds `path` (a bare name stays in the working
// directory).
std::string siblingPath(const std::string& path, std::string_view name);

// Marks a file hidden where the file system has such an attribute. POSIX has none (hidden
// means a leading dot, and renaming the file is not wanted), so this does nothing here.
void setHiddenAttribute(const std::string& path);

}  // namespace dorvalen
