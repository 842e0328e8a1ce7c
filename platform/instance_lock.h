// The single-instance lock: an abstract Unix socket bound under the lock's
// name. The first copy of the program binds it and listens; a later copy
// finds the name taken, connects, sends "raise" and gives up. The first copy
// picks the request up when it next polls and brings its window forward.
//
// Abstract sockets vanish with the process that bound them, so a crashed
// copy never leaves a stale lock behind.
//
// The lock is each user's own: its name carries the user id, and the
// credentials of the other end are checked both ways, so that a process of
// another user can neither hold a user's game back nor raise its window.
#pragma once

#include <string>

namespace plat {

enum class InstanceLockResult {
    Acquired,         // this copy holds the lock
    HeldElsewhere,    // another copy of this user holds it; it has been asked to raise
    HeldByOtherUser,  // a process of another user sits on the name; run without a lock
    Unavailable,      // no socket could be made; run without a lock
};

// The lock name of the user running this process: `name` and the user id.
std::string userLockName(const char* name);

// Binds the lock socket of that name (at most 107 bytes are used).
InstanceLockResult instanceLockTake(const char* name);
// Accepts pending connections without blocking; true when at least one of
// them (of this user) asked for a raise since the last call.
bool instanceLockPollRaise();
// Closes the socket and any pending connection; the name becomes free.
void instanceLockDrop();
bool instanceLockHeld();

}  // namespace plat
