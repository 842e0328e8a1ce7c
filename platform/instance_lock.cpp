#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace plat {

namespace {
constexpr char RaiseRequest[] = "raise";
constexpr size_t RaiseLength = sizeof(RaiseRequest) - 1;
// The folder made in the temporary folder when the user has no runtime
// folder: this name and the user id, with a number behind it when another
// user has taken the name first.
constexpr char FolderPrefix[] = "/mirvane-delta-4-";
constexpr int FolderTries = 8;
// A copy that holds the lock binds its socket right after; one that finds
// the lock held gives the holder this long to be reached.
constexpr int ConnectTries = 50;
constexpr long ConnectPauseNs = 10'000'000;

// A connection accepted before its request arrived; read on later polls.
struct PendingPeer {
    int fd = -1;
    size_t received = 0;
    char buffer[RaiseLength] = {};
};
constexpr int MaxPendingPeers = 4;

int lockFd = -1;
int listenFd = -1;
PendingPeer pendingPeers[MaxPendingPeers];

// A real folder (not a link) of this user that no one else may enter.
bool privateFolder(const std::string& path) {
    struct stat st;
    return !path.empty() && path[0] == '/' && lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == getuid() && (st.st_mode & 077) == 0 && (st.st_mode & 0700) == 0700;
}

// The socket address of a path; false when the path does not fit.
bool socketAddress(const std::string& path, sockaddr_un& addr) {
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof addr.sun_path) return false;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    return true;
}

// True when the process at the other end of `fd` runs as this user.
bool peerIsThisUser(int fd) {
    ucred credentials{};
    socklen_t length = sizeof credentials;
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) == 0 && length == sizeof credentials &&
           credentials.uid == getuid();
}

void closePeer(PendingPeer& peer) {
    if (peer.fd >= 0) close(peer.fd);
    peer = PendingPeer{};
}

// Reads what the peer has sent so far. true when the request is complete
// and asks for a raise; the peer is closed once it is done either way.
bool readPeer(PendingPeer& peer) {
    for (;;) {
        const ssize_t got = recv(peer.fd, peer.buffer + peer.received, RaiseLength - peer.received, MSG_DONTWAIT);
        if (got > 0) {
            peer.received += static_cast<size_t>(got);
            if (peer.received < RaiseLength) continue;
            const bool raise = std::memcmp(peer.buffer, RaiseRequest, RaiseLength) == 0;
            closePeer(peer);
            return raise;
        }
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return false;  // not yet
        closePeer(peer);  // closed early or failed
        return false;
    }
}

// Asks the holder of the lock to raise its window. Only a copy of this user
// can hold a lock in the user's private folder; the holder is still asked
// only once its credentials say so.
InstanceLockResult sendRaiseRequest(const sockaddr_un& addr) {
    const timespec pause{0, ConnectPauseNs};
    for (int attempt = 0; attempt < ConnectTries; ++attempt) {
        // Non-blocking: a holder that does not accept must not hang this copy.
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0) return InstanceLockResult::Unavailable;
        if (connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0) {
            const bool ours = peerIsThisUser(fd);
            if (ours) (void)send(fd, RaiseRequest, RaiseLength, MSG_NOSIGNAL);
            close(fd);
            return ours ? InstanceLockResult::HeldElsewhere : InstanceLockResult::HeldByOtherUser;
        }
        close(fd);
        nanosleep(&pause, nullptr);
    }
    // The holder is a copy of this user (no one else can lock the file) that
    // does not answer: this copy still stays out of its way.
    return InstanceLockResult::HeldElsewhere;
}

// The lock's file name in the folder: the name with any slash replaced.
std::string fileName(const char* name) {
    std::string file = name ? name : "";
    for (char& c : file)
        if (c == '/') c = '_';
    return file;
}

// The path of the lock's file with `suffix` (".lock", ".socket") in `folder`.
std::string pathIn(const std::string& folder, const char* name, const char* suffix) {
    return folder + "/" + fileName(name) + suffix;
}
}  // namespace

std::string userLockName(const char* name) {
    return std::string(name ? name : "") + ":" + std::to_string(static_cast<unsigned long>(getuid()));
}

std::string instanceLockFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && privateFolder(runtime)) return runtime;
    const char* temporary = std::getenv("TMPDIR");
    struct stat st;
    std::string base = temporary != nullptr && temporary[0] == '/' && stat(temporary, &st) == 0 && S_ISDIR(st.st_mode)
                           ? temporary
                           : "/tmp";
    base += FolderPrefix + std::to_string(static_cast<unsigned long>(getuid()));
    // The first name that is, or can be made, a private folder of this
    // user; every copy of the user walks the same names in the same order.
    for (int i = 0; i < FolderTries; ++i) {
        const std::string folder = i == 0 ? base : base + "-" + std::to_string(i);
        if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) continue;
        if (privateFolder(folder)) return folder;
    }
    return {};
}

std::string instanceLockSocketPath(const char* name) {
    const std::string folder = instanceLockFolder();
    return folder.empty() ? folder : pathIn(folder, name, ".socket");
}

InstanceLockResult instanceLockTake(const char* name) {
    if (lockFd >= 0) return InstanceLockResult::Acquired;
    const std::string folder = instanceLockFolder();
    sockaddr_un addr;
    if (folder.empty() || !socketAddress(pathIn(folder, name, ".socket"), addr)) return InstanceLockResult::Unavailable;
    const std::string lockPath = pathIn(folder, name, ".lock");
    const int fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) return InstanceLockResult::Unavailable;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != getuid()) {
        close(fd);
        return InstanceLockResult::Unavailable;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        close(fd);
        return error == EWOULDBLOCK ? sendRaiseRequest(addr) : InstanceLockResult::Unavailable;
    }
    lockFd = fd;
    // A socket left by a copy that ended without tidying up is in the way.
    unlink(addr.sun_path);
    const int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener >= 0 && bind(listener, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0 &&
        listen(listener, 8) == 0) {
        listenFd = listener;
    } else if (listener >= 0) {
        close(listener);  // the lock holds; later copies are only not raised
    }
    return InstanceLockResult::Acquired;
}

bool instanceLockPollRaise() {
    if (listenFd < 0) return false;
    bool raise = false;
    for (PendingPeer& peer : pendingPeers)
        if (peer.fd >= 0 && readPeer(peer)) raise = true;
    for (;;) {
        const int fd = accept4(listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR) continue;
            break;  // nothing pending (or a transient failure: try next poll)
        }
        if (!peerIsThisUser(fd)) {  // another user's request is no request
            close(fd);
            continue;
        }
        PendingPeer* slot = nullptr;
        for (PendingPeer& peer : pendingPeers)
            if (peer.fd < 0) {
                slot = &peer;
                break;
            }
        if (slot == nullptr) {  // too many silent peers: drop the oldest
            slot = &pendingPeers[0];
            closePeer(*slot);
        }
        slot->fd = fd;
        if (readPeer(*slot)) raise = true;
    }
    return raise;
}

void instanceLockDrop() {
    // Only closed: a process that inherited these descriptors (a fresh copy
    // started by fork) must not take the lock away from its parent.
    for (PendingPeer& peer : pendingPeers) closePeer(peer);
    if (listenFd >= 0) close(listenFd);
    if (lockFd >= 0) close(lockFd);
    listenFd = -1;
    lockFd = -1;
}

bool instanceLockHeld() { return lockFd >= 0; }

}  // namespace plat
