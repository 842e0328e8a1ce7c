// The single-instance lock, between real processes.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "platform/instance_lock.h"

namespace {

using plat::InstanceLockResult;

// A name of its own per test process, so that parallel runs and a running
// game never meet.
std::string lockName(const char* tag) { return "md4-lock-test:" + std::to_string(getpid()) + ":" + tag; }

// Runs `body` in a child process and returns its exit status.
template <typename Body>
int inChild(Body body) {
    const pid_t pid = fork();
    if (pid == 0) _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The child starts as a fresh copy of the program would: the lock state it
// inherited from this process is forgotten (its copy of the socket closed;
// ours stays open).
int takeInChild(const std::string& name) {
    return inChild([&] {
        plat::instanceLockDrop();
        return static_cast<int>(plat::instanceLockTake(name.c_str()));
    });
}

// Polls for a while: the request may land a moment after the child exits.
bool raiseArrives() {
    for (int i = 0; i < 50; ++i) {
        if (plat::instanceLockPollRaise()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

class InstanceLock : public ::testing::Test {
protected:
    void TearDown() override { plat::instanceLockDrop(); }
};

TEST_F(InstanceLock, SecondCopyFailsAndTheFirstIsAskedToRaise) {
    const std::string name = lockName("second");
    ASSERT_EQ(plat::instanceLockTake(name.c_str()), InstanceLockResult::Acquired);
    EXPECT_TRUE(plat::instanceLockHeld());
    EXPECT_FALSE(plat::instanceLockPollRaise());

    EXPECT_EQ(takeInChild(name), static_cast<int>(InstanceLockResult::HeldElsewhere));
    EXPECT_TRUE(raiseArrives());
    EXPECT_FALSE(plat::instanceLockPollRaise());  // one request, one raise

    EXPECT_EQ(takeInChild(name), static_cast<int>(InstanceLockResult::HeldElsewhere));
    EXPECT_EQ(takeInChild(name), static_cast<int>(InstanceLockResult::HeldElsewhere));
    EXPECT_TRUE(raiseArrives());
}

TEST_F(InstanceLock, DroppedOrDeadHolderFreesTheName) {
    const std::string name = lockName("free");
    ASSERT_EQ(plat::instanceLockTake(name.c_str()), InstanceLockResult::Acquired);
    plat::instanceLockDrop();
    EXPECT_FALSE(plat::instanceLockHeld());
    EXPECT_EQ(takeInChild(name), static_cast<int>(InstanceLockResult::Acquired));

    // A holder that ends without letting go (it exits inside the child)
    // leaves nothing behind.
    EXPECT_EQ(plat::instanceLockTake(name.c_str()), InstanceLockResult::Acquired);
}

TEST_F(InstanceLock, OtherNamesDoNotCollide) {
    ASSERT_EQ(plat::instanceLockTake(lockName("one").c_str()), InstanceLockResult::Acquired);
    EXPECT_EQ(takeInChild(lockName("two")), static_cast<int>(InstanceLockResult::Acquired));
}

TEST_F(InstanceLock, SilentOrStrangePeersAreNoRaise) {
    const std::string name = lockName("peers");
    ASSERT_EQ(plat::instanceLockTake(name.c_str()), InstanceLockResult::Acquired);

    sockaddr_un addr;
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    const std::string path = plat::instanceLockSocketPath(name.c_str());
    ASSERT_LT(path.size(), sizeof addr.sun_path);
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    const auto length = static_cast<socklen_t>(sizeof addr);

    // One peer stays silent and open, one sends something else; neither may
    // block the poll or count as a raise.
    const int silent = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(connect(silent, reinterpret_cast<const sockaddr*>(&addr), length), 0);
    const int strange = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(connect(strange, reinterpret_cast<const sockaddr*>(&addr), length), 0);
    ASSERT_EQ(send(strange, "hello", 5, 0), 5);
    close(strange);
    EXPECT_FALSE(raiseArrives());

    // Sent in two pieces, the request still counts.
    ASSERT_EQ(send(silent, "ra", 2, 0), 2);
    EXPECT_FALSE(plat::instanceLockPollRaise());
    ASSERT_EQ(send(silent, "ise", 3, 0), 3);
    EXPECT_TRUE(raiseArrives());
    close(silent);
}

// Another user, for the tests that need one: only root can become one.
constexpr uid_t OtherUser = 65534;

TEST_F(InstanceLock, EachUserHasALockOfItsOwn) {
    const std::string mine = plat::userLockName(lockName("users").c_str());
    EXPECT_EQ(mine, lockName("users") + ":" + std::to_string(getuid()));
    if (getuid() != 0) GTEST_SKIP() << "switching users needs root";
    ASSERT_EQ(plat::instanceLockTake(mine.c_str()), InstanceLockResult::Acquired);
    // A copy of another user takes its own lock while this one is held.
    EXPECT_EQ(inChild([&] {
                  plat::instanceLockDrop();
                  if (setuid(OtherUser) != 0) return 99;
                  return static_cast<int>(plat::instanceLockTake(plat::userLockName(lockName("users").c_str()).c_str()));
              }),
              static_cast<int>(InstanceLockResult::Acquired));
}

// Another user sits on every name the lock could use: the old abstract
// socket name, the user's temporary folders (made its own), a runtime folder
// that it owns. This user's copy still takes its lock; a second copy of this
// user is still turned away and raises the first; the squatter is never
// asked to raise.
TEST_F(InstanceLock, AnotherUserCanNeitherHoldTheGameBackNorRaiseIt) {
    if (getuid() != 0) GTEST_SKIP() << "switching users needs root";
    char base[] = "/tmp/md4-lock-test-XXXXXX";
    ASSERT_NE(mkdtemp(base), nullptr);
    ASSERT_EQ(chmod(base, 01777), 0);
    const std::string squatted = std::string(base) + "/squatter";
    setenv("TMPDIR", base, 1);
    setenv("XDG_RUNTIME_DIR", squatted.c_str(), 1);
    const std::string name = plat::userLockName(lockName("squat").c_str());
    int ready[2], done[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(done), 0);
    const pid_t squatter = fork();
    if (squatter == 0) {
        plat::instanceLockDrop();
        char byte = 0;
        bool ok = setuid(OtherUser) == 0 && mkdir(squatted.c_str(), 0700) == 0;
        for (int i = 0; ok && i < 3; ++i) {
            std::string folder = std::string(base) + "/mirvane-delta-4-0";
            if (i != 0) folder.append("-").append(std::to_string(i));
            ok = i == 2 ? symlink(squatted.c_str(), folder.c_str()) == 0 : mkdir(folder.c_str(), 0777) == 0;
        }
        sockaddr_un addr;
        std::memset(&addr, 0, sizeof addr);
        addr.sun_family = AF_UNIX;
        std::memcpy(addr.sun_path + 1, name.data(), name.size());
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        ok = ok && bind(fd, reinterpret_cast<const sockaddr*>(&addr),
                        static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size())) == 0;
        // Its own lock of the same name, in its own folder.
        setenv("XDG_RUNTIME_DIR", squatted.c_str(), 1);
        ok = ok && plat::instanceLockTake(name.c_str()) == InstanceLockResult::Acquired;
        (void)!write(ready[1], ok ? "y" : "n", 1);
        (void)!read(done[0], &byte, 1);
        _exit(raiseArrives() ? 1 : 0);  // it is never asked to raise
    }
    char answer = 0;
    ASSERT_EQ(read(ready[0], &answer, 1), 1);
    ASSERT_EQ(answer, 'y');
    const std::string folder = plat::instanceLockFolder();
    EXPECT_EQ(folder, std::string(base) + "/mirvane-delta-4-0-3");
    EXPECT_EQ(plat::instanceLockTake(name.c_str()), InstanceLockResult::Acquired);
    EXPECT_TRUE(plat::instanceLockHeld());
    EXPECT_EQ(takeInChild(name), static_cast<int>(InstanceLockResult::HeldElsewhere));
    EXPECT_TRUE(raiseArrives());
    // A raise request from another user is no request.
    EXPECT_EQ(inChild([&] {
                  plat::instanceLockDrop();
                  if (setuid(OtherUser) != 0) return 99;
                  sockaddr_un addr;
                  std::memset(&addr, 0, sizeof addr);
                  addr.sun_family = AF_UNIX;
                  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
                  const std::string path = folder + "/" + name + ".socket";
                  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
                  return connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0 ? 1 : 0;
              }),
              0);
    EXPECT_FALSE(raiseArrives());
    (void)!write(done[1], "x", 1);
    int status = 0;
    waitpid(squatter, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the squatter got a raise request";
    for (int fd : {ready[0], ready[1], done[0], done[1]}) close(fd);
    plat::instanceLockDrop();
    unsetenv("TMPDIR");
    unsetenv("XDG_RUNTIME_DIR");
    (void)!system(("rm -rf '" + std::string(base) + "'").c_str());
}

}  // namespace
