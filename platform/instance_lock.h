// The single-instance lock: an abstract Unix socket bound under the lock's
// name. The first copy of the program binds it and listens; a later copy
// finds the name taken, connects, sends "raise" and gives up. The first copy
// picks the request up when it next polls and brings its window forward.
//
// Abstract sockets vanish with the process that bound them, so a crashed
// copy never leaves a stale lock behind.
#pragma once

namespace plat {

enum class InstanceLockResult {
    Acquired,       // this copy holds the lock
    HeldElsewhere,  // another copy holds it; it has been asked to raise
    Unavailable,    // no socket could be made; run without a lock
};

// Binds the lock socket of that name (at most 107 bytes are used).
InstanceLockResult instanceLockTake(const char* name);
// Accepts pending connections without blocking; true when at least one of
// them asked for a raise since the last call.
bool instanceLockPollRaise();
// Closes the socket and any pending connection; the name becomes free.
void instanceLockDrop();
bool instanceLockHeld();

}  // namespace plat
