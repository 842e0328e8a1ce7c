// The bosses' shot records, the boss bodies, and the conventions every shot
// pool follows: parking, aiming at the player, flying along an angle, the
// player test and the one routine that draws a pool.
//
// The pools themselves are data, one constant table per family, each in its
// own module (game/shots/aimed.h, volley.h, fan.h, sweep_salvo.h; the pools
// only one stage has sit in that stage's folder). Row i of a table is
// "stage-S family pool K" with S and K given in the row; a stage names a pool
// by its row, findPoolRow(table, S, K), in a constexpr. A row holds every
// constant of its pool (record count, geometry, speeds, timer cycle and fire
// counts, player box, draw style and image); the records of all pools of a
// family lie in one fixed global array, pool after pool. Every routine of a
// role (arming, fire timers, moving, drawing, parking) is one routine per
// family that takes the pool's row index `int pool`.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "assets/asset_list.h"

// ---------------------------------------------------------------------------
// Positions of free and dead records
// ---------------------------------------------------------------------------
struct Position {
    float x, y;
};
// Free enemy, shot and effect records wait here, far outside the clip.
constexpr Position parkPosition{-500.0f, 2550.0f};
// Curving missiles after the pool reset (whole pixels).
constexpr int32_t missileParkX = -500, missileParkY = 500;
// Dead debris fragments.
constexpr Position deadDebrisPosition{1000.0f, 5000.0f};

// Moves a record with float x and y to the park position.
template <typename Record>
void parkRecord(Record& record) {
    record.x = parkPosition.x;
    record.y = parkPosition.y;
}

// ---------------------------------------------------------------------------
// Record types (fields in this order; positions are the sprite's top-left)
// ---------------------------------------------------------------------------
struct AimedShot {
    int32_t frame;        // animation frame (every aimed pool draws plain)
    float x, y;
    float dx, dy;         // aim vector at arming; not read afterwards
    float startX, startY; // start point at arming; not read afterwards
    float angle;          // radians, 0 towards +x, pi/2 straight down
    float speed;          // px/s
    float sideStepTimer;  // side-step pools only
    int32_t active;
};

struct FanShot {
    int32_t frame;
    int32_t waveCounter;  // the pool's fan-wave timer counter, one per record
    float x, y;
    float dx, dy;
    float startX, startY;
    float angle;
    float speed;
    int32_t active;
};

// Stage-3 three-way fans and the stage-2 rings keep the fan shot's fields in
// the same order; the record type only decides their random phase at reset.
using CompactFanShot = FanShot;

struct VolleyShot {
    int32_t frame;         // 0..23 or 0..15 under the animated style
    int32_t timerCounter;  // the pool's fire-timer counter, one per record
    float x, y;
    float vx;              // sideways speed where the pool has one
    float vy;              // fall speed, rewritten by the mover every frame
    int32_t active;
};

struct SweepShot {
    float x, y;
    float driftX, driftY;  // px/s
    float angle;
    float speed;           // px/s
    float turnTimer;
    int32_t active;
};

struct CurvingMissile {
    int32_t x, y;  // whole pixels
    float timer;   // flight clock
    int32_t active;
    int32_t param; // written by the launcher, never read
};

struct DebrisFragment {
    float x, y;
    int32_t alive;
};

struct BossBody {
    float x, y;          // top-left of the boss sprite
    float moveTimer;     // the movement script's clock
    float hp;
    float defeatTimer;   // the defeat sequence's clock
    int32_t hitFlag;     // set by the hit pass when a weapon hits the boss
};

// ---------------------------------------------------------------------------
// Records out of play (the resets)
// ---------------------------------------------------------------------------
// Each clears every field and parks the record. The animated records draw a
// random first frame, so that the shots of one pool do not blink in step:
// one engSystem::Rand() per record.
void parkAimedShot(AimedShot& shot);                       // frame 0..9
void parkFanShot(FanShot& shot, int32_t phaseCount);       // frame 0..phaseCount - 1
void parkVolleyShot(VolleyShot& shot);                     // frame 0..9
void parkSweepShot(SweepShot& shot);
void parkCurvingMissile(CurvingMissile& missile);          // at (missileParkX, missileParkY)

// Which kind of record a pool holds.
enum class ShotRecordType : int32_t { Aimed, Fan, CompactFan, Volley, Sweep, CurvingMissile };

// ---------------------------------------------------------------------------
// Global boss state (set by resetObjectPools)
// ---------------------------------------------------------------------------
extern BossBody boss1, boss2, boss3;
constexpr float boss1StartHp = 1020.0f;
constexpr float boss2StartHp = 1000.0f;
constexpr float boss3StartHp = 1000.0f;

// Boss pattern counters: +1 per frame in the pattern window, back to 0 at the
// stage's cycle length.
extern uint32_t boss1Timeline, boss2Timeline, boss3Timeline;
constexpr uint32_t boss1TimelineCycle = 4300;
constexpr uint32_t boss2TimelineCycle = 2300;
constexpr uint32_t boss3TimelineCycle = 4900;

// The boss of stage 1, 2 or 3 (stage 1 for anything else).
BossBody& bossOfStage(int stage);

// ---------------------------------------------------------------------------
// Who fires a pool
// ---------------------------------------------------------------------------
// A pool's shots leave from offsets to its owner's top-left: the boss of a
// stage, one of the 24 enemy slots or one of the turning enemies.
enum class ShotOwnerKind : int32_t { StageBoss, EnemySlot, TurningEnemy };
struct ShotOwner {
    ShotOwnerKind kind;
    int32_t index;  // the stage (1..3), the slot or the enemy
};
constexpr ShotOwner stageBoss(int stage) { return {ShotOwnerKind::StageBoss, stage}; }
constexpr ShotOwner enemySlotOwner(int slot) { return {ShotOwnerKind::EnemySlot, slot}; }
constexpr ShotOwner turningEnemyOwner(int enemy) { return {ShotOwnerKind::TurningEnemy, enemy}; }
// The owner's top-left (the park position for an enemy that does not exist).
Position shotOwnerOrigin(const ShotOwner& owner);

// ---------------------------------------------------------------------------
// Aiming, flight and the player test
// ---------------------------------------------------------------------------
constexpr double PiD = 3.14159265358979323846;
constexpr float Pi = static_cast<float>(PiD);
// A fixed turn of pi times `fraction`, as a single-precision constant.
constexpr float piTimes(double fraction) { return static_cast<float>(PiD * fraction); }

// Angle from (startX, startY) towards the player's top-left plus aimOffset,
// turned by angleOffset. Writes the aim vector to dx, dy. Quotient in single
// precision, arctangent in double rounded to single, then the offset and the
// half turn added in single precision.
float aimAngle(float startX, float startY, float aimOffset, float angleOffset, float& dx, float& dy);

// One frame of flight: y first, then x, by sin/cos(angle) * speed * frameTime.
void flyAlongAngle(float& x, float& y, float angle, float speed);
// The same steps taken times `sign`: -1 flies against the angle.
void flyAlongAngle(float& x, float& y, float angle, float speed, float sign);

// A pool's player box, relative to the player's top-left; both ends inclusive.
struct HitBox {
    float x0, x1, y0, y1;
};
// Whether a shot at (x, y) lies inside the box around the player.
bool insidePlayerBox(float x, float y, const HitBox& box);
// The mover's test of one record: only while aliveCopy is not 0; a hit sets
// playerAlive and aliveCopy to 0, so a call counts at most one hit.
bool testPlayerHit(int32_t& aliveCopy, float x, float y, const HitBox& box);

// A float position cut to whole pixels towards 0, held inside the range an
// int can take (far-off records stay far off). Every draw of every record
// asks it, so it is inline.
inline int32_t pixelOf(float position) {
    // Far beyond any surface either way; NaN counts as far below.
    constexpr float limit = 1.0e9f;
    if (!(position < limit)) return static_cast<int32_t>(limit);
    if (position <= -limit) return -static_cast<int32_t>(limit);
    return static_cast<int32_t>(position);
}

// Blits cell `frame` of a strip of `frameCount` cells of w x h (source
// (frame x w, 0, frame x w + w, h)) at (x, y), then steps `frame` on, back
// to 0 after the last cell. A frame outside the strip starts it again.
void drawStripFrame(int32_t& frame, int32_t frameCount, int32_t image, int32_t w, int32_t h, int32_t x, int32_t y);
// The same steps without the blit: returns the cell to draw.
int32_t stepStripFrame(int32_t& frame, int32_t frameCount);

// ---------------------------------------------------------------------------
// Drawing a pool
// ---------------------------------------------------------------------------
enum class DrawStyle : int32_t {
    Plain,        // every record, one fixed rectangle
    Animated,     // every record, frame `frame` of a strip, frame advanced
    ActiveOnly,   // active records, (0, 0, w, h)
    SweepLine,    // active records of a sweep line; record 6 uses the second image
    Chain,        // every record k, cell k mod P of a strip, fixed per record
    Alternating,  // every record, even and odd records from two cuts of one sheet
};

struct ShotPoolDraw {
    DrawStyle style;
    int32_t* image;        // slot global of the asset list (filled at start-up)
    int32_t* secondImage;  // sweepLine: the leading record's image
    int32_t left, top;     // plain: origin of the cut
    int32_t width, height; // cell size
    int32_t frames;        // animated: strip length N; chain: period P
    int32_t offsetX = 0, offsetY = 0;  // added to each record's whole-pixel position
};

// The leading record of a sweep line, drawn with the second image.
constexpr int SweepLeadRecord = 6;

// Draws `count` records in the pool's style with engDraw::Blit at their
// positions cut to whole pixels. Parked and dead records fall outside the
// clip rectangle and show nothing: a record whose blit the clip would cut
// away whole is not blitted at all (the animated style still steps its
// frame on), so a pool with nothing on the field costs a walk over its
// positions.
void drawShotPool(AimedShot* records, int count, const ShotPoolDraw& draw);
void drawShotPool(FanShot* records, int count, const ShotPoolDraw& draw);
void drawShotPool(VolleyShot* records, int count, const ShotPoolDraw& draw);
void drawShotPool(SweepShot* records, int count, const ShotPoolDraw& draw);
void drawShotPool(CurvingMissile* records, int count, const ShotPoolDraw& draw);

// ---------------------------------------------------------------------------
// Table helpers
// ---------------------------------------------------------------------------
template <typename Row, std::size_t N>
constexpr std::array<int32_t, N> firstRecordIndices(const Row (&rows)[N]) {
    std::array<int32_t, N> first{};
    int32_t next = 0;
    for (std::size_t i = 0; i < N; ++i) {
        first[i] = next;
        next += rows[i].count;
    }
    return first;
}

template <typename Row, std::size_t N>
constexpr int32_t totalRecordCount(const Row (&rows)[N]) {
    int32_t total = 0;
    for (const Row& row : rows) total += row.count;
    return total;
}

// Row index of stage-S pool K of a family table, -1 when it has no such pool.
template <typename Row, std::size_t N>
constexpr int findPoolRow(const Row (&rows)[N], int stage, int ordinal) {
    for (std::size_t i = 0; i < N; ++i) {
        if (rows[i].stage == stage && rows[i].ordinal == ordinal) return static_cast<int>(i);
    }
    return -1;
}

// A fixed turn of pi * num / den radians, as a single-precision constant.
constexpr float piFraction(double num, double den) { return static_cast<float>(PiD * num / den); }

// The records of row `pool` of a family table in the family's storage
// (nullptr for a row that does not exist).
template <typename Record, std::size_t M, typename Row, std::size_t N>
Record* recordsOfPool(Record (&storage)[M], const Row (&)[N], const std::array<int32_t, N>& first, int pool) {
    if (pool < 0 || static_cast<std::size_t>(pool) >= N) return nullptr;
    return storage + first[static_cast<std::size_t>(pool)];
}


// ---------------------------------------------------------------------------
// Draw styles that serve several families
// ---------------------------------------------------------------------------
inline constexpr ShotPoolDraw plainVall20{DrawStyle::Plain, &imgVall20, nullptr, 0, 0, 20, 20, 0};
inline constexpr ShotPoolDraw animatedVal20241{DrawStyle::Animated, &imgVal20241, nullptr, 0, 0, 20, 20, 24};

// Draws the records of row `pool` of a family table in the row's style.
template <typename Record, typename Row, std::size_t N>
void drawPoolRow(Record* records, const Row (&rows)[N], int pool) {
    if (records == nullptr || pool < 0 || static_cast<std::size_t>(pool) >= N) return;
    drawShotPool(records, rows[static_cast<std::size_t>(pool)].count, rows[static_cast<std::size_t>(pool)].draw);
}

// ---------------------------------------------------------------------------
// Fire timers
// ---------------------------------------------------------------------------
// One call of a pool's fire timer. Every record's counter (the member
// `counter`) steps on by 1 and back to 0 once it reaches `cycle`, so it runs
// 1 .. cycle - 1, 0 and never holds `cycle`. Then, group after group and
// record after record in index order, a record whose counter equals its
// group's fire count is handed to arm(i, first record of its group). Groups
// that have no fire count in the list never fire.
template <typename Record, typename Arm>
void tickFireTimer(Record* records, int count, int groupSize, int32_t cycle, std::span<const int32_t> fireCounts,
                   int32_t Record::*counter, Arm arm) {
    if (records == nullptr || groupSize <= 0) return;
    for (int i = 0; i < count; ++i) {
        int32_t& value = records[i].*counter;
        value += 1;
        if (value >= cycle) value = 0;
    }
    const int groups = count / groupSize;
    for (int g = 0; g < groups && static_cast<std::size_t>(g) < fireCounts.size(); ++g) {
        const int first = g * groupSize;
        for (int i = first; i < first + groupSize; ++i) {
            if (records[i].*counter == fireCounts[static_cast<std::size_t>(g)]) arm(i, first);
        }
    }
}
