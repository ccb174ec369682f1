// File access: the read cap, files that are not regular files, and a replacement that
// fails half way (a real write error, which root cannot bypass) leaving the old file.
#include "settings/files.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
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

TEST(SiblingPath, StaysInTheSameDirectory) {
    EXPECT_EQ(siblingPath("Dorvalen.dat", "Einstellungen.dat"), "Einstellungen.dat");
    EXPECT_EQ(siblingPath("/a/b/Dorvalen.dat", "Einstellungen.dat"), "/a/b/Einstellungen.dat");
    EXPECT_EQ(siblingPath("/Dorvalen.dat", "E"), "/E");
}

}  // namespace
}  // namespace dorvalen
