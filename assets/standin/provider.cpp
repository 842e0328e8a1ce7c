#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "assets/standin/catalogue.h"
#include "assets/standin/standin.h"
#include "assets/standin/text.h"
#include "platform/resources.h"

namespace {

using standin::standinEntryCount;

// Every file of the set, made once. Workers make them in list order; a
// request for a file nobody has started makes it on the requesting thread.
class Store {
public:
    Store() : files_(std::make_unique<File[]>(static_cast<size_t>(standinEntryCount))) {
        // Workers take the biggest pictures first, so that no large one is
        // left to the end; requests still come in load order.
        order_.resize(static_cast<size_t>(standinEntryCount));
        for (int i = 0; i < standinEntryCount; ++i) order_[static_cast<size_t>(i)] = i;
        std::stable_sort(order_.begin(), order_.end(), [](int a, int b) {
            const standin::StandinEntry& ea = standin::standinEntries[a];
            const standin::StandinEntry& eb = standin::standinEntries[b];
            return ea.width * ea.height > eb.width * eb.height;
        });
    }
    ~Store() {
        stopping_ = true;
        for (std::thread& t : workers_) t.join();
    }

    void startWorkers() {
        std::call_once(started_, [this] {
            // The texts use the font library, which is kept off the workers.
            standin::prepareTexts();
            unsigned cores = std::thread::hardware_concurrency();
            unsigned count = std::clamp(cores > 1 ? cores - 1 : 1u, 1u, 16u);
            for (unsigned i = 0; i < count; ++i) workers_.emplace_back([this] { work(); });
        });
    }

    const std::vector<uint8_t>& obtain(int index) {
        File& file = files_[static_cast<size_t>(index)];
        if (file.state.load(std::memory_order_acquire) != Ready && !make(index)) {
            std::unique_lock<std::mutex> lock(mutex_);
            madeOne_.wait(lock, [&] { return file.state.load(std::memory_order_acquire) == Ready; });
        }
        return file.bytes;
    }

private:
    enum State : int { Waiting, Making, Ready };
    struct File {
        std::atomic<int> state{Waiting};
        std::vector<uint8_t> bytes;
    };

    // Makes the file unless another thread has begun it; true if this one did.
    bool make(int index) {
        File& file = files_[static_cast<size_t>(index)];
        int expected = Waiting;
        if (!file.state.compare_exchange_strong(expected, Making, std::memory_order_acq_rel)) return false;
        standin::makeStandinEntry(index, file.bytes);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            file.state.store(Ready, std::memory_order_release);
        }
        madeOne_.notify_all();
        return true;
    }

    void work() {
        while (!stopping_) {
            int job = nextJob_.fetch_add(1);
            if (job >= standinEntryCount) return;
            make(order_[static_cast<size_t>(job)]);
        }
    }

    std::unique_ptr<File[]> files_;
    std::vector<int> order_;
    std::mutex mutex_;
    std::condition_variable madeOne_;
    std::atomic<int> nextJob_{0};
    std::atomic<bool> stopping_{false};
    std::once_flag started_;
    std::vector<std::thread> workers_;
};

Store& store() {
    static Store instance;
    return instance;
}

}  // namespace

void installStandinAssets() {
    plat::setResourceProvider(standinResource);
    store().startWorkers();
}

bool standinResource(const char* name, const uint8_t** data, size_t* size) {
    int index = standin::findStandinEntry(name);
    if (index < 0 || data == nullptr || size == nullptr) return false;
    const std::vector<uint8_t>& bytes = store().obtain(index);
    *data = bytes.data();
    *size = bytes.size();
    return true;
}

int standinFileCount() { return standinEntryCount; }

const char* standinFileName(int index) {
    return (index >= 0 && index < standinEntryCount) ? standin::standinEntries[index].name : nullptr;
}

bool makeStandinFile(const char* name, std::vector<uint8_t>& bytes) {
    int index = standin::findStandinEntry(name);
    if (index < 0) return false;
    standin::makeStandinEntry(index, bytes);
    return true;
}
