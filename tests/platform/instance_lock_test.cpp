// The single-instance lock, between real processes.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstddef>
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
    std::memcpy(addr.sun_path + 1, name.data(), name.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());

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

TEST_F(InstanceLock, AnotherUserCanNeitherHoldTheGameBackNorRaiseIt) {
    if (getuid() != 0) GTEST_SKIP() << "switching users needs root";
    const std::string name = lockName("squat");
    // Another user's process sits on this user's name and waits.
    int ready[2], done[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(done), 0);
    const pid_t squatter = fork();
    if (squatter == 0) {
        plat::instanceLockDrop();
        char byte = 0;
        const bool ok = setuid(OtherUser) == 0 && plat::instanceLockTake(name.c_str()) == InstanceLockResult::Acquired;
        (void)!write(ready[1], ok ? "y" : "n", 1);
        (void)!read(done[0], &byte, 1);
        _exit(raiseArrives() ? 1 : 0);  // it is never asked to raise
    }
    char answer = 0;
    ASSERT_EQ(read(ready[0], &answer, 1), 1);
    ASSERT_EQ(answer, 'y');
    EXPECT_EQ(plat::instanceLockTake(name.c_str()), InstanceLockResult::HeldByOtherUser);
    EXPECT_FALSE(plat::instanceLockHeld());
    (void)!write(done[1], "x", 1);
    int status = 0;
    waitpid(squatter, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the squatter got a raise request";

    // The other way round: this user's copy holds the lock, and a raise
    // request from another user is no request.
    ASSERT_EQ(plat::instanceLockTake(name.c_str()), InstanceLockResult::Acquired);
    EXPECT_EQ(inChild([&] {
                  plat::instanceLockDrop();
                  if (setuid(OtherUser) != 0) return 99;
                  return static_cast<int>(plat::instanceLockTake(name.c_str()));
              }),
              static_cast<int>(InstanceLockResult::HeldByOtherUser));
    EXPECT_FALSE(raiseArrives());
    for (int fd : {ready[0], ready[1], done[0], done[1]}) close(fd);
}

}  // namespace
