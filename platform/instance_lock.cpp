#include "platform/instance_lock.h"

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace plat {

namespace {
constexpr char RaiseRequest[] = "raise";
constexpr size_t RaiseLength = sizeof(RaiseRequest) - 1;

// A connection accepted before its request arrived; read on later polls.
struct PendingPeer {
    int fd = -1;
    size_t received = 0;
    char buffer[RaiseLength] = {};
};
constexpr int MaxPendingPeers = 4;

int listenFd = -1;
PendingPeer pendingPeers[MaxPendingPeers];

socklen_t abstractAddress(const char* name, sockaddr_un& addr) {
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    // sun_path[0] stays 0: the abstract namespace. The name is not
    // terminated; its length is part of the address.
    size_t length = name ? std::strlen(name) : 0;
    if (length > sizeof addr.sun_path - 1) length = sizeof addr.sun_path - 1;
    if (length > 0) std::memcpy(addr.sun_path + 1, name, length);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
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

// Asks the holder of the name to raise its window, when it is a process of
// this user. false when it is not (or cannot be told).
bool sendRaiseRequest(const sockaddr_un& addr, socklen_t length) {
    // Non-blocking: a holder that does not accept must not hang this copy.
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return true;
    bool ours = true;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&addr), length) == 0) {
        ours = peerIsThisUser(fd);
        if (ours) (void)send(fd, RaiseRequest, RaiseLength, MSG_NOSIGNAL);
    }
    close(fd);
    return ours;
}
}  // namespace

std::string userLockName(const char* name) {
    return std::string(name ? name : "") + ":" + std::to_string(static_cast<unsigned long>(getuid()));
}

InstanceLockResult instanceLockTake(const char* name) {
    if (listenFd >= 0) return InstanceLockResult::Acquired;
    sockaddr_un addr;
    const socklen_t length = abstractAddress(name, addr);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return InstanceLockResult::Unavailable;
    if (bind(fd, reinterpret_cast<const sockaddr*>(&addr), length) != 0) {
        const int error = errno;
        close(fd);
        if (error != EADDRINUSE) return InstanceLockResult::Unavailable;
        return sendRaiseRequest(addr, length) ? InstanceLockResult::HeldElsewhere
                                              : InstanceLockResult::HeldByOtherUser;
    }
    if (listen(fd, 8) != 0) {
        close(fd);
        return InstanceLockResult::Unavailable;
    }
    listenFd = fd;
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
    for (PendingPeer& peer : pendingPeers) closePeer(peer);
    if (listenFd >= 0) close(listenFd);
    listenFd = -1;
}

bool instanceLockHeld() { return listenFd >= 0; }

}  // namespace plat
