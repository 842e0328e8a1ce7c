#include "platform/threads.h"

#include <atomic>
#include <new>
#include <system_error>
#include <utility>

namespace plat {

namespace {
std::atomic<int> failingStarts{0};

bool takeSimulatedFailure() {
    int left = failingStarts.load();
    while (left > 0 && !failingStarts.compare_exchange_weak(left, left - 1)) {
    }
    return left > 0;
}
}  // namespace

std::thread startThread(std::function<void()> body) {
    if (takeSimulatedFailure()) return std::thread();
    try {
        return std::thread(std::move(body));
    } catch (const std::system_error&) {
        return std::thread();
    } catch (const std::bad_alloc&) {
        return std::thread();
    }
}

void joinThread(std::thread& thread) {
    if (!thread.joinable()) return;
    if (thread.get_id() == std::this_thread::get_id())
        thread.detach();
    else
        thread.join();
}

void failThreadStarts(int count) { failingStarts.store(count > 0 ? count : 0); }

}  // namespace plat
