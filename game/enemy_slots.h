// The ordinary enemies of all three stages: 24 enemy slots, their coins and
// their aimed shots.
#pragma once

#include <cstdint>
#include <span>

#include "game/coin.h"
#include "game/shots/shot_records.h"

struct EnemySlot {
    int32_t burstStage;  // while dying: which of the three bursts plays (0..2)
    int32_t burstFrame;  // while dying: frame within the burst (0..8)
    int32_t animFrame;   // exhaust-flame frame, 0..19
    int32_t variant;     // explosion style
    float x, y;
    float vx, vy;
    float timer;
    float angle;
    float radius;
    int32_t hitGate;
    int32_t alive;
    int32_t dying;
};
constexpr int EnemySlotCount = 24;
constexpr int WeaponTargetSlots = 21;  // slots 0..20 are hit by the weapons
extern EnemySlot enemySlots[EnemySlotCount];
extern Coin slotCoins[EnemySlotCount];
constexpr int AimedFiveSize = 5;
// The records of slot k's aimed shot and of its line of five (rows of the
// aimed family owned by the slot); nullptr for no slot.
AimedShot* slotAimedShot(int slot);
AimedShot* slotAimedFive(int slot);

void spawnDropInEnemy(int slot, int w, int h);
void moveEnemy(int slot, int pattern, int w, int h);
void drawEnemySlot(int slot, int kind);
void killEnemySlot(int slot);
void dropSlotCoin(int slot);
void stepSlotCoin(int slot);
void drawSlotCoin(int slot);
void takeSlotCoin(int slot);
void fireAimedShot(int slot);
void fireAimedFive(int slot);
void stepAimedShot(int slot);
void stepAimedFive(int slot);
// The enemies' animated small shot: 24 cells of 16x16 in one strip.
constexpr int32_t SmallShotSize = 16, SmallShotFrames = 24;
// style 0: the animated small shot; style 1: the 30x30 round shot.
void drawAimedShot(int slot, int style);
// style 0: the animated small shot; styles 1 and 2: the two 30x30 round shots.
void drawAimedFive(int slot, int style);

// The explosion sound of deaths and pick-ups ("SOUND/BOM.WAV").
void playExplosionSound();

// Explosions shared by every enemy record that dies in bursts (enemy slots,
// turning enemies, mid-bosses and their arm parts).
// The blits of one explosion frame at the record's (x, y): `style` picks the
// burst set (0 and 1 the five big bursts, 2 one big and six small, 3 six big);
// with multiBurst at 0 every style draws the first set.
void drawEnemyExplosion(float x, float y, int32_t style, int32_t burstFrame);
// One frame of a burst sequence: the explosion sound on each burst's first
// frame, nine frames a burst. True once burst `lastBurst` has ended; the
// caller then frees the record.
bool advanceEnemyExplosion(int32_t& burstFrame, int32_t& burstIndex, int32_t lastBurst);
// A sprite kind of an enemy: up to two exhaust flames (20x70 cells of a
// 20-frame strip), then the body, at offsets from the record's (x, y).
struct EnemySprite {
    int32_t kind;
    const int32_t* flameImage;  // nullptr: no flames
    int32_t flameCount;
    int32_t flameOffsets[2][2];
    const int32_t* bodyImage;
    int32_t width, height;
    int32_t bodyDX, bodyDY;
};
// Draws the flames (then advances flameFrame, 0..19) and the body.
void drawEnemySprite(const EnemySprite& sprite, float x, float y, int32_t& flameFrame);
// Whether a box of w x h at (x, y) has left the screen; such records are
// freed and parked.
bool enemyOffScreen(float x, float y, int w, int h);

// Records of the enemy-slot layout that are not slots (the mid-bosses and
// their arm parts) share the slots' arming, movement and death.
// The explosion styles a record may draw when put into play.
constexpr int32_t EnemyExplosionStyles = 4;
// Puts a record into play at (x, y): a fresh explosion style (one of the
// first `styles`) and speeds (three random numbers: style, vy, vx) and every
// counter cleared.
void armEnemyRecord(EnemySlot& e, float x, float y, int32_t styles = EnemyExplosionStyles);
// While the record is not dying: draws its sprite of `kind` from the table
// (nothing for a kind the table lacks) and returns true. A dying record is
// left to the caller's explosion.
bool drawLiveEnemyRecord(EnemySlot& e, std::span<const EnemySprite> sprites, int kind);
// One frame of a dying record: its explosion blits, its speeds stopped, the
// burst sequence advanced; once burst `lastBurst` has ended the record is
// freed and parked.
void explodeEnemyRecord(EnemySlot& e, int32_t lastBurst);

// A band of a script's clock, both ends inclusive unless the low end is
// open (the band then starts above `low`).
struct ScriptBand {
    float low, high;
    bool lowOpen;
    bool contains(float t) const { return (lowOpen ? t > low : t >= low) && t <= high; }
};
// A scripted path (movement pattern 11): each band of the clock (10 units a
// second) puts the record at the top or at the hover point (360, 170), or
// moves it; every band that holds the clock applies, in order; then a clock
// at or above `wrap` goes back to `loopStart`.
enum class PathAction { PlaceAtTop, PlaceAtHover, Move };
struct PathStep {
    ScriptBand band;
    PathAction action;
    float vx, vy;  // px/s for Move
};
struct ScriptedPath {
    std::span<const PathStep> steps;
    float wrap, loopStart;
};
// Moves a live record by pattern 0..11 (11: `path`), then culls it against
// the screen, alive or not.
void moveEnemyRecord(EnemySlot& e, int pattern, int w, int h, const ScriptedPath& path);

// A record of this layout freed and parked with a fresh explosion style
// (one random number).
void parkEnemyRecord(EnemySlot& e);
// Every slot, coin and aimed shot freed and parked (part of the play-state
// reset).
void resetEnemySlots();
