// Saves killed at random moments: a child process saves two records in turn for ever and
// is killed with SIGKILL after a random delay. After every kill the file holds one of the
// two records byte for byte, and the next save leaves no temporary behind.
// DORVALEN_KILLS sets the number of kills (default 40; a thousand for a long run).
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

#include "settings/settings_file.h"

namespace dorvalen {
namespace {

namespace fs = std::filesystem;

int killCount() {
    const char* text = std::getenv("DORVALEN_KILLS");
    const int n = text != nullptr ? std::atoi(text) : 0;
    return n > 0 ? n : 40;
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

int entriesIn(const fs::path& dir) {
    return static_cast<int>(std::distance(fs::directory_iterator(dir), fs::directory_iterator{}));
}

TEST(SaveKill, FileIsWhollyOldOrNewAndNoTemporaryOutlivesTheNextSave) {
    std::string pattern = (fs::temp_directory_path() / "dorvalen-kill-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const fs::path dir = pattern;
    const std::string path = (dir / "Dorvalen.dat").string();

    ClockSettings first;
    ClockSettings second;
    second.placeName = std::string(40, 'x');  // another length, so a torn file shows
    second.latitude = -33.52;
    second.dialColor = 0x123456;
    const std::string firstBytes = formatSettings(first);
    const std::string secondBytes = formatSettings(second);
    ASSERT_TRUE(saveSettings(first, path).ok);

    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> delayMicros(0, 30000);
    const int kills = killCount();
    int leftovers = 0;
    for (int kill = 0; kill < kills; ++kill) {
        const pid_t saver = ::fork();
        ASSERT_GE(saver, 0);
        if (saver == 0) {
            for (bool one = false;; one = !one) saveSettings(one ? first : second, path);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicros(random)));
        ::kill(saver, SIGKILL);
        int status = 0;
        ::waitpid(saver, &status, 0);

        const std::string bytes = readBytes(path);
        ASSERT_TRUE(bytes == firstBytes || bytes == secondBytes)
            << "kill " << kill << " left a torn file:\n" << bytes;
        leftovers += entriesIn(dir) - 1;
        ASSERT_TRUE(saveSettings(first, path).ok);
        ASSERT_EQ(entriesIn(dir), 1) << "kill " << kill << ": a temporary survived the next save";
    }
    std::cout << kills << " kills, " << leftovers
              << " left a temporary; every file whole, every temporary removed\n";
    fs::remove_all(dir);
}

}  // namespace
}  // namespace dorvalen
