// A file is read from the descriptor it was opened with: one replaced under
// its name after the open is still read whole, one cut short is refused.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/resources.h"

TEST(OpenedFile, ReadsTheFileItOpenedOrRefusesWhatWasCutShort) {
    const std::filesystem::path dir =
        std::filesystem::path(::testing::TempDir()) / ("md4_opened_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "A.BIN").string(), other = (dir / "B.BIN").string();
    std::ofstream(path) << "first file";
    std::ofstream(other) << "other";
    plat::OpenedFile file;
    ASSERT_EQ(plat::openFile(path.c_str(), file), plat::FileOpenResult::Opened);
    EXPECT_EQ(file.size, 10u);
    ASSERT_EQ(std::rename(other.c_str(), path.c_str()), 0);
    char bytes[10] = {};
    EXPECT_TRUE(plat::readOpened(file, 0, reinterpret_cast<uint8_t*>(bytes), sizeof bytes));
    EXPECT_EQ(std::string(bytes, sizeof bytes), "first file");
    plat::closeFile(file);

    ASSERT_EQ(plat::openFile(path.c_str(), file), plat::FileOpenResult::Opened);
    ASSERT_EQ(truncate(path.c_str(), 2), 0);
    EXPECT_FALSE(plat::readOpened(file, 0, reinterpret_cast<uint8_t*>(bytes), 5));
    plat::closeFile(file);
    EXPECT_EQ(plat::openFile((dir / "NONE").string().c_str(), file), plat::FileOpenResult::Absent);
    EXPECT_EQ(plat::openFile(dir.string().c_str(), file), plat::FileOpenResult::NotRegular);
    EXPECT_EQ(file.fd, -1);
    std::filesystem::remove_all(dir);
}

// A low soft limit is raised towards the hard one; a hard limit too low is
// told, with the limit in force.
TEST(FileDescriptorLimit, IsRaisedWherePossibleElseTold) {
    const pid_t child = fork();
    if (child == 0) {
        rlimit files{5, 64};
        long limit = 0;
        if (setrlimit(RLIMIT_NOFILE, &files) != 0 || !plat::haveFileDescriptors(8, limit) || limit != 8) _exit(1);
        files = {5, 5};
        if (setrlimit(RLIMIT_NOFILE, &files) != 0 || plat::haveFileDescriptors(8, limit) || limit != 5) _exit(2);
        _exit(0);
    }
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
