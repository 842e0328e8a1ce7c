// Every shot pool of every family and stage at once: drawn by the pool draw
// or by the unculled one (support/unculled_draws.h), and the records of all
// of them copied, put back and compared, for tests and benchmarks that hold
// the two draws against each other.
#pragma once

#include <cstring>
#include <iterator>
#include <vector>

#include "game/shots/aimed.h"
#include "game/shots/fan.h"
#include "game/shots/sweep_salvo.h"
#include "game/shots/volley.h"
#include "stages/stage1/ring_spirals.h"
#include "stages/stage3/curving_missiles.h"
#include "support/unculled_draws.h"

namespace everypool {

inline void draw() {
    for (int p = 0; p < AimedPoolCount; ++p) drawAimedPool(p);
    for (int p = 0; p < VolleyPoolCount; ++p) drawVolleyPool(p);
    for (int p = 0; p < SegmentedPoolCount; ++p) drawSegmentedPool(p);
    for (int p = 0; p < FanPoolCount; ++p) drawFanPool(p);
    for (int p = 0; p < SweepPoolCount; ++p) drawSweepPool(p);
    for (int p = 0; p < SalvoPoolCount; ++p) drawSalvoPool(p);
    for (int p = 0; p < RingPoolCount; ++p) drawRingPool(p);
    for (int p = 0; p < MissileStreamCount; ++p) drawMissileStreamPool(p);
}

template <typename Row, std::size_t N, typename Records>
void drawFamilyUnculled(const Row (&rows)[N], Records recordsOf) {
    for (std::size_t p = 0; p < N; ++p) {
        unculled::drawShotPool(recordsOf(static_cast<int>(p)), rows[p].count, rows[p].draw);
    }
}

inline void drawUnculled() {
    drawFamilyUnculled(aimedPools, aimedPoolRecords);
    drawFamilyUnculled(volleyPools, volleyPoolRecords);
    drawFamilyUnculled(segmentedPools, segmentedPoolRecords);
    drawFamilyUnculled(fanPools, fanPoolRecords);
    drawFamilyUnculled(sweepPools, sweepPoolRecords);
    drawFamilyUnculled(salvoPools, salvoPoolRecords);
    drawFamilyUnculled(ringPools, ringPoolRecords);
    drawFamilyUnculled(missileStreamPools, missileStreamPoolRecords);
}

// A copy of every family's records (the state a pool draw may change: the
// animated style steps the frames on), taken into a buffer of the records'
// whole size and put back from it, one family after another.
class Records {
public:
    Records() : bytes(recordBytes()) {
        walk([this](unsigned char* storage, std::size_t at, std::size_t size) {
            std::memcpy(bytes.data() + at, storage, size);
        });
    }
    void restore() const {
        walk([this](unsigned char* storage, std::size_t at, std::size_t size) {
            std::memcpy(storage, bytes.data() + at, size);
        });
    }
    bool operator==(const Records& other) const { return bytes == other.bytes; }
    // Records in flight, of every family.
    static int active() {
        int count = 0;
        forEach([&](auto& storage) {
            for (const auto& record : storage) count += record.active != 0;
        });
        return count;
    }

private:
    template <typename Each>
    static void forEach(Each each) {
        each(aimedShotRecords);
        each(volleyShotRecords);
        each(segmentedShotRecords);
        each(fanShotRecords);
        each(sweepShotRecords);
        each(salvoShotRecords);
        each(ringShotRecords);
        each(curvingMissileRecords);
    }
    // Each family's storage with its offset in the copy and its size.
    template <typename Copy>
    static void walk(Copy copy) {
        std::size_t at = 0;
        forEach([&](auto& storage) {
            copy(reinterpret_cast<unsigned char*>(&storage), at, sizeof storage);
            at += sizeof storage;
        });
    }
    static std::size_t recordBytes() {
        std::size_t total = 0;
        walk([&](unsigned char*, std::size_t, std::size_t size) { total += size; });
        return total;
    }
    std::vector<unsigned char> bytes;
};

}  // namespace everypool
