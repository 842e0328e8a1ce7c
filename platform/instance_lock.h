// The single-instance lock: a lock file and a Unix socket beside it, both in
// a folder that only this user can enter (the user's runtime folder, else a
// folder of this user's own in the temporary folder). The first copy of the
// program locks the file (flock) and listens on the socket; a later copy
// finds the file locked, connects, sends "raise" and gives up. The first
// copy picks the request up when it next polls and brings its window
// forward.
//
// The kernel lets a lock go with the process that held it, so a crashed copy
// never leaves a stale lock behind. Another user can neither enter the
// folder nor make one that is taken for it: a folder is used only when it is
// a real folder (no link) of this user with no access for anyone else. The
// credentials of the other end are checked both ways besides.
#pragma once

#include <string>

namespace plat {

enum class InstanceLockResult {
    Acquired,         // this copy holds the lock
    HeldElsewhere,    // another copy of this user holds it; it has been asked to raise
    HeldByOtherUser,  // a process of another user answered on the socket; run without a lock
    Unavailable,      // no private folder, file or socket could be had; run without a lock
};

// The lock name of the user running this process: `name` and the user id.
std::string userLockName(const char* name);

// Takes the lock of that name in this user's private folder.
InstanceLockResult instanceLockTake(const char* name);
// Accepts pending connections without blocking; true when at least one of
// them (of this user) asked for a raise since the last call.
bool instanceLockPollRaise();
// Closes the socket, the lock file and any pending connection; the name
// becomes free.
void instanceLockDrop();
bool instanceLockHeld();

// The private folder the locks live in ("" when none can be had), and the
// socket path of the lock of `name` in it.
std::string instanceLockFolder();
std::string instanceLockSocketPath(const char* name);

}  // namespace plat
