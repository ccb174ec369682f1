// File access: the read cap, files that are not regular files, and a replacement that
// fails half way (a real write error, which root cannot bypass) leaving the old file.
#include "settings/files.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dorvalen {
namespace {

namespace fs = std::filesystem;

class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "dorvalen-files-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::ptrdiff_t entries() const {
        return std::distance(fs::directory_iterator(path_), fs::directory_iterator{});
    }

private:
    fs::path path_;
};

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(ReadFilePrefix, StopsAtTheCap) {
    TempDir dir;
    const std::string path = dir.file("big");
    // A sparse gigabyte: costs no disk, and reading it whole would cost a gigabyte.
    std::ofstream(path).close();
    fs::resize_file(path, std::uintmax_t{1} << 30);
    const auto bytes = readFilePrefix(path);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->size(), maxReadBytes);
    EXPECT_EQ(readFilePrefix(path, 10)->size(), 10u);

    std::ofstream(dir.file("small"), std::ios::binary) << std::string("a\0b", 3);
    EXPECT_EQ(*readFilePrefix(dir.file("small")), std::string("a\0b", 3));
}

TEST(ReadFilePrefix, OnlyRegularFiles) {
    TempDir dir;
    EXPECT_FALSE(readFilePrefix(dir.file("missing")).has_value());
    fs::create_directory(dir.file("folder"));
    EXPECT_FALSE(readFilePrefix(dir.file("folder")).has_value());
    // A FIFO with no writer would block a plain open or read for ever.
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    EXPECT_FALSE(readFilePrefix(dir.file("pipe")).has_value());
}

TEST(ReplaceFileContents, WritesAndReplaces) {
    TempDir dir;
    const std::string path = dir.file("Dorvalen.dat");
    ASSERT_TRUE(replaceFileContents(path, "one").ok);
    ASSERT_TRUE(replaceFileContents(path, "two").ok);
    EXPECT_EQ(readBytes(path), "two");
    EXPECT_EQ(dir.entries(), 1);
}

// Writing beyond RLIMIT_FSIZE fails with EFBIG for every user, root included.
TEST(ReplaceFileContents, WriteErrorLeavesTheOldFileByteForByte) {
    TempDir dir;
    const std::string path = dir.file("Dorvalen.dat");
    const std::string old = "Ortsname = Alt\r\n";
    ASSERT_TRUE(replaceFileContents(path, old).ok);

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 8;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const WriteResult result = replaceFileContents(path, std::string(64, 'n'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reason, "Die Datei konnte nicht geschrieben werden.");
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(dir.entries(), 1) << "temporary file left behind";
}

TEST(ReplaceFileContents, NamedDirectoryOrMissingFolderFails) {
    TempDir dir;
    fs::create_directory(dir.file("Dorvalen.dat"));
    const WriteResult onDirectory = replaceFileContents(dir.file("Dorvalen.dat"), "x");
    EXPECT_FALSE(onDirectory.ok);
    EXPECT_EQ(onDirectory.reason, "Unter dem Dateinamen liegt ein Verzeichnis.");
    EXPECT_TRUE(fs::is_directory(dir.file("Dorvalen.dat")));

    const WriteResult missing = replaceFileContents(dir.file("none/Dorvalen.dat"), "x");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.reason, "Das Verzeichnis existiert nicht.");
    EXPECT_EQ(dir.entries(), 1);
}

mode_t permissionsOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

TEST(ReplaceFileContents, KeepsPermissionBits) {
    for (const mode_t mode : {mode_t{0600}, mode_t{0640}, mode_t{0604}}) {
        TempDir dir;
        const std::string path = dir.file("Dorvalen.dat");
        ASSERT_TRUE(replaceFileContents(path, "old").ok);
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        ASSERT_TRUE(replaceFileContents(path, "new").ok);
        EXPECT_EQ(permissionsOf(path), mode) << std::oct << mode;
        EXPECT_EQ(readBytes(path), "new");
    }
}

// Users keep the settings in a synced folder and link to it: the link stays a link and
// the file it leads to gets the new contents, replaced in its own folder.
TEST(ReplaceFileContents, WritesThroughSymbolicLinks) {
    const struct {
        const char* fault;
        std::string linkTarget;  // as stored in the link; "synced/" is a folder beside it
        bool chain;              // a second link in between
        bool targetExists;
    } rows[] = {
        {"absolute link replaced by a file", "", false, true},
        {"relative link resolved against the working directory", "synced/Dorvalen.dat", false, true},
        {"chain of links not followed to its end", "synced/middle", true, true},
        {"dangling link replaced instead of its target created", "synced/Dorvalen.dat", false, false},
    };
    for (const auto& row : rows) {
        TempDir dir;
        fs::create_directory(dir.file("synced"));
        const std::string target = dir.file("synced/Dorvalen.dat");
        if (row.targetExists) {
            std::ofstream(target, std::ios::binary) << "old";
            ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
        }
        if (row.chain) fs::create_symlink("Dorvalen.dat", dir.file("synced/middle"));
        const std::string stored = row.linkTarget.empty() ? target : row.linkTarget;
        fs::create_symlink(stored, dir.file("Dorvalen.dat"));

        ASSERT_TRUE(replaceFileContents(dir.file("Dorvalen.dat"), "new").ok) << row.fault;
        EXPECT_TRUE(fs::is_symlink(dir.file("Dorvalen.dat"))) << row.fault;
        EXPECT_EQ(fs::read_symlink(dir.file("Dorvalen.dat")).string(), stored) << row.fault;
        EXPECT_EQ(readBytes(target), "new") << row.fault;
        if (row.targetExists) {
            EXPECT_EQ(permissionsOf(target), 0600u) << row.fault;
        }
        EXPECT_EQ(dir.entries(), 2) << row.fault << ": temporary left in the link's folder";
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.file("synced")), fs::directory_iterator{}),
                  row.chain ? 2 : 1)
            << row.fault << ": temporary left in the target's folder";
    }
}

TEST(ReplaceFileContents, NeverReplacesAFifoOrALoopOfLinks) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("Dorvalen.dat").c_str(), 0600), 0);
    const WriteResult onFifo = replaceFileContents(dir.file("Dorvalen.dat"), "x");
    EXPECT_FALSE(onFifo.ok);
    EXPECT_EQ(onFifo.reason, "Unter dem Dateinamen liegt keine gewöhnliche Datei.");
    EXPECT_EQ(pathKindOf(dir.file("Dorvalen.dat")), PathKind::Fifo);

    fs::create_symlink("b", dir.file("a"));
    fs::create_symlink("a", dir.file("b"));
    EXPECT_FALSE(replaceFileContents(dir.file("a"), "x").ok);
    EXPECT_TRUE(fs::is_symlink(dir.file("a")));
    EXPECT_EQ(dir.entries(), 3);
}

// Leftovers of savers that died mid-save go with the next save; a temporary whose saver
// still holds it, and every file of another name, stay.
TEST(ReplaceFileContents, RemovesOnlyStaleTemporariesOfItsOwnName) {
    TempDir dir;
    const std::string path = dir.file("Dorvalen.dat");
    const char* stale[] = {"Dorvalen.dat.tmp999999-0", "Dorvalen.dat.tmp1-7"};
    const char* foreign[] = {"Dorvalen.dat.tmp12",   "Dorvalen.dat.tmpx-1", "Other.dat.tmp5-0",
                             "Dorvalen.dat.tmp5-0.bak", "Dorvalen.dat.tmp-1", "Dorvalen.dat.tmp5-"};
    for (const char* name : stale) std::ofstream(dir.file(name)) << "half";
    for (const char* name : foreign) std::ofstream(dir.file(name)) << "keep";
    // A saver in the middle of its save holds the lock on its temporary.
    const std::string busy = dir.file("Dorvalen.dat.tmp4242-0");
    std::ofstream(busy) << "busy";
    const int held = ::open(busy.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);

    ASSERT_TRUE(replaceFileContents(path, "new").ok);
    for (const char* name : stale) EXPECT_FALSE(fs::exists(dir.file(name))) << name;
    for (const char* name : foreign) EXPECT_TRUE(fs::exists(dir.file(name))) << name;
    EXPECT_TRUE(fs::exists(busy)) << "a temporary still being written was removed";
    ::close(held);
    EXPECT_EQ(removeStaleTemporaries(path), 1) << "the finished saver's temporary stayed";
    EXPECT_EQ(readBytes(path), "new");
}

TEST(SiblingPath, StaysInTheSameDirectory) {
    EXPECT_EQ(siblingPath("Dorvalen.dat", "Einstellungen.dat"), "Einstellungen.dat");
    EXPECT_EQ(siblingPath("/a/b/Dorvalen.dat", "Einstellungen.dat"), "/a/b/Einstellungen.dat");
    EXPECT_EQ(siblingPath("/Dorvalen.dat", "E"), "/E");
}

}  // namespace
}  // namespace dorvalen
