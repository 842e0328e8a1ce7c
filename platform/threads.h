// The platform layer: threads that may not be had. A low process limit or
// little address space makes thread creation fail; the caller then carries
// on without the thread (doing the work itself, or doing without), rather
// than ending on an exception.
#pragma once

#include <functional>
#include <thread>

namespace plat {

// Runs `body` on a new thread. A thread that is not joinable when the
// system has no room for another one (nothing is run then).
std::thread startThread(std::function<void()> body);

// Waits for the thread to end, unless it is the calling thread itself
// (then it is let go instead). Nothing to do for a thread not joinable.
void joinThread(std::thread& thread);

// For tests: the next `count` calls of startThread fail as when the system
// has no room for a thread.
void failThreadStarts(int count);

}  // namespace plat
