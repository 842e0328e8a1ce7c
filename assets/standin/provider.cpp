// The store behind the built-in asset set: makes every file once, in the
// background or on request, and serves it as a program resource.
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <thread>

#include <cstdio>
#include <cstring>

#include <sys/resource.h>
#include <unistd.h>

#include "assets/standin/canvas.h"
#include "assets/standin/catalogue.h"
#include "assets/standin/formats.h"
#include "assets/standin/standin.h"
#include "assets/standin/text.h"
#include "platform/resources.h"
#include "platform/threads.h"

namespace {

using standin::standinEntryCount;

// The program shows the title before anything else, and loads these two
// sounds before its first frame.
constexpr const char* FirstShownPicture = "IMAGE/TITLEC.BMP";
constexpr const char* FirstLoadedSounds[] = {"SOUND/SHOT.WAV", "SOUND/BOM.WAV"};
// Niceness of the workers that make what is needed later.
constexpr int BackgroundNice = 10;

// Every file of the set, made once. Background workers make them ahead of
// the requests; a request for a file nobody has started makes it on the
// requesting thread, one for a file being made waits for it.
class Store {
public:
    Store() : files_(std::make_unique<File[]>(static_cast<size_t>(standinEntryCount))) {
        // The pictures are kept side by side in one block, taken in huge
        // pages where offered (their sizes are known before they are made).
        for (int i = 0; i < standinEntryCount; ++i) {
            const standin::StandinEntry& e = standin::standinEntries[i];
            File& file = files_[static_cast<size_t>(i)];
            file.offset = pictureBytes_;
            file.expected = e.paint != nullptr ? standin::bmpFileSize(e.width, e.height) : 0;
            pictureBytes_ += file.expected;
        }
        // Without room for the block, each picture keeps bytes of its own.
        try {
            pictures_ = static_cast<uint8_t*>(standin::allocateLarge(pictureBytes_));
        } catch (const std::bad_alloc&) {
            pictures_ = nullptr;
        }

        // One worker goes in load order, but with what the start needs (the
        // title and the first sounds) ahead of all; the others take the
        // biggest pictures first, so that no large one is left to the end.
        loadOrder_.order.resize(static_cast<size_t>(standinEntryCount));
        for (int i = 0; i < standinEntryCount; ++i) loadOrder_.order[static_cast<size_t>(i)] = i;
        bySize_.order = loadOrder_.order;
        shownFirst_ = standin::findStandinEntry(FirstShownPicture);
        shownFirstMade_ = shownFirst_ < 0;  // no title: nothing to wait for
        auto ahead = loadOrder_.order.begin();
        for (const char* name : {FirstShownPicture, FirstLoadedSounds[0], FirstLoadedSounds[1]}) {
            const auto found = std::find(ahead, loadOrder_.order.end(), standin::findStandinEntry(name));
            if (found != loadOrder_.order.end()) std::rotate(ahead++, found, found + 1);
        }
        std::stable_sort(bySize_.order.begin(), bySize_.order.end(), [](int a, int b) {
            const standin::StandinEntry& ea = standin::standinEntries[a];
            const standin::StandinEntry& eb = standin::standinEntries[b];
            return ea.width * ea.height > eb.width * eb.height;
        });
    }
    ~Store() {
        stopWorkers();
        if (pictures_ != nullptr) standin::freeLarge(pictures_, pictureBytes_);
    }

    void stopWorkers() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        madeOne_.notify_all();
        for (std::thread& t : workers_) plat::joinThread(t);
    }

    // Starts the workers and returns. The first makes the title, then goes
    // on in load order. The others wait until the title is made (the start
    // needs nothing else so soon, and the processor to itself), then take
    // the biggest pictures first, at a lower priority than the program's
    // own threads.
    void startWorkers() {
        std::call_once(started_, [this] {
            unsigned cores = std::thread::hardware_concurrency();
            unsigned count = std::clamp(cores > 1 ? cores - 1 : 1u, 1u, 16u);
            // One worker runs ahead of the loader in load order; the others,
            // at low priority once the title is made, take the biggest
            // pictures first.
            for (unsigned i = 0; i < count; ++i) {
                std::thread worker = i == 0 ? plat::startThread([this] { work(loadOrder_); })
                                            : plat::startThread([this] {
                                                  setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()),
                                                              BackgroundNice);
                                                  {
                                                      std::unique_lock<std::mutex> lock(mutex_);
                                                      madeOne_.wait(lock, [this] {
                                                          return shownFirstMade_ || stopping_.load() ||
                                                                 aheadStopped_.load();
                                                      });
                                                  }
                                                  work(bySize_);
                                              });
                if (!worker.joinable()) {
                    // Without workers every file is made when it is asked for.
                    std::fprintf(stderr, "assets: no thread to make the built-in set ahead; each file is made when "
                                         "it is needed\n");
                    break;
                }
                workers_.push_back(std::move(worker));
            }
        });
    }

    bool ready(int index) const {
        return files_[static_cast<size_t>(index)].state.load(std::memory_order_acquire) == Ready;
    }

    // The file's bytes, made first if need be; they stay put for the run.
    // Throws std::bad_alloc when there is no memory to make them.
    void obtain(int index, const uint8_t** data, size_t* size) {
        File& file = files_[static_cast<size_t>(index)];
        // A worker that runs out of memory gives its file back unmade: this
        // thread then makes it itself.
        while (file.state.load(std::memory_order_acquire) != Ready && !make(index, true)) {
            std::unique_lock<std::mutex> lock(mutex_);
            madeOne_.wait(lock, [&] { return file.state.load(std::memory_order_acquire) != Making; });
        }
        *data = file.data;
        *size = file.size;
    }

private:
    enum State : int { Waiting, Making, Ready };
    struct File {
        std::atomic<int> state{Waiting};
        const uint8_t* data = nullptr;
        size_t size = 0;
        size_t offset = 0, expected = 0;  // place and size in the block of pictures
        std::vector<uint8_t> own;         // sounds and songs
    };

    // Makes the file unless another thread has begun it; true if this one
    // did. Out of memory, the file is given back unmade; a worker then stops
    // making files ahead, a request (`requested`) throws std::bad_alloc.
    bool make(int index, bool requested) {
        File& file = files_[static_cast<size_t>(index)];
        int expected = Waiting;
        if (!file.state.compare_exchange_strong(expected, Making, std::memory_order_acq_rel)) return false;
        thread_local std::vector<uint8_t> made;  // kept between files, so its memory is reused
        int state = Ready;
        try {
            standin::makeStandinEntry(index, made);
            if (pictures_ != nullptr && file.expected != 0 && made.size() == file.expected) {
                std::memcpy(pictures_ + file.offset, made.data(), made.size());
                file.data = pictures_ + file.offset;
            } else {
                file.own = made;
                file.data = file.own.data();
            }
            file.size = made.size();
        } catch (const std::bad_alloc&) {
            state = Waiting;
            std::vector<uint8_t>().swap(made);
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            file.state.store(state, std::memory_order_release);
            if (index == shownFirst_ && state == Ready) shownFirstMade_ = true;
            if (state != Ready && !requested && !aheadStopped_ && !stopping_) {
                aheadStopped_ = true;
                std::fprintf(stderr, "assets: not enough memory to make the built-in set ahead; each file is made "
                                     "when it is needed\n");
            }
        }
        madeOne_.notify_all();
        if (state != Ready && requested) throw std::bad_alloc();
        return state == Ready;
    }

    struct Queue {
        std::vector<int> order;
        std::atomic<int> next{0};
    };

    // Once any worker has run out of memory, none takes another file (the
    // others wake from their wait for the title to that news too).
    void work(Queue& queue) {
        while (!stopping_ && !aheadStopped_) {
            int job = queue.next.fetch_add(1);
            if (job >= standinEntryCount) return;
            make(queue.order[static_cast<size_t>(job)], false);
        }
    }

    std::unique_ptr<File[]> files_;
    uint8_t* pictures_ = nullptr;
    size_t pictureBytes_ = 0;
    Queue loadOrder_, bySize_;
    std::mutex mutex_;
    std::condition_variable madeOne_;
    std::atomic<bool> stopping_{false};
    std::once_flag started_;
    int shownFirst_ = -1;
    bool shownFirstMade_ = false;  // guarded by mutex_
    std::atomic<bool> aheadStopped_{false};  // a worker ran out of memory
    std::vector<std::thread> workers_;
};

Store& store() {
    static Store instance;
    return instance;
}

}  // namespace

void installStandinAssets() {
    plat::setResourceProvider(standinResource);
    // Loaders may take a picture's slot before the picture is made.
    plat::setResourceStateQuery(standinResourceState);
    store().startWorkers();
}

void stopStandinAssets() { store().stopWorkers(); }

plat::ResourceState standinResourceState(const char* name) {
    const int index = standin::findStandinEntry(name);
    if (index < 0) return plat::ResourceState::Absent;
    return store().ready(index) ? plat::ResourceState::Ready : plat::ResourceState::Coming;
}

bool standinResource(const char* name, const uint8_t** data, size_t* size) {
    int index = standin::findStandinEntry(name);
    if (index < 0 || data == nullptr || size == nullptr) return false;
    store().obtain(index, data, size);
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
