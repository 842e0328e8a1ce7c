// What every stage boss does the same way, driven by each boss's own
// tables: the movement script on the boss's clock, the damage explosions,
// the sprite of its hp band, the low-hp smoke, and the defeat sequence that
// ends the stage and hands over to the next state behind an opening wipe.
#pragma once

#include <cstdint>
#include <limits>
#include <span>

#include "game/boss_effects.h"
#include "game/shots/shot_records.h"

// ---------------------------------------------------------------------------
// Movement script
// ---------------------------------------------------------------------------
enum class BossMove : int32_t {
    ShowIntro,   // draw the intro picture where it is, then put it at (a, b) with speed c
    RaiseIntro,  // draw the intro picture, set its x to a, move it up by its speed;
                 // once its y is below -480 stop it and park it
    Place,       // put the boss at (a, b)
    Slide,       // move the boss by (a, b) px/s times frameTime
    LoopTo,      // set the boss's clock back to a
};

constexpr float scriptOpenEnd = std::numeric_limits<float>::infinity();

// One window of a script on the boss's clock t: low < t or low <= t (by
// lowOpen), and t <= high. Positions a, b of Place, ShowIntro and RaiseIntro
// are in full-screen coordinates.
struct BossScriptStep {
    float low, high;
    bool lowOpen;
    BossMove move;
    float a, b, c;
};

struct BossScript {
    BossBody* body;
    std::span<const BossScriptStep> steps;
    MovingPicture* intro;      // nullptr: the boss has no intro picture
    const int32_t* introImage;
    int32_t introWidth, introHeight;
};

// The boss's clock gains 10 per second; then every window that holds the
// new value runs, in table order.
void runBossScript(const BossScript& script);

// ---------------------------------------------------------------------------
// Drawing and defeat
// ---------------------------------------------------------------------------
// A boss picture for low < hp <= high.
struct BossSpriteBand {
    float low, high;
    const int32_t* image;
};

// Two smoke sprites while 0 < hp <= hpMax, at (x + leftX, y + dy + 28 s)
// and (x + rightX, y + dy + 28 s) of the boss, s its smoke step.
struct BossSmokePair {
    float hpMax;
    float leftX, rightX, dy;
};

// Where a blast goes: x + rand() % xRange + xOffset, then
// y + rand() % yRange + yOffset, of the boss.
struct BlastSpread {
    int32_t xRange, xOffset, yRange, yOffset;
};

struct BossLook {
    BossBody* body;
    int32_t width, height;                    // the sprite's size
    std::span<const BossSpriteBand> sprites;
    int32_t* smokeStep;
    BossSmokePair smoke[2];
    BossBlast* defeatBigBlasts;               // BigBlastCount records
    BossBlast* defeatSmallBlasts;             // SmallBlastCount records
    BlastSpread bigSpread, smallSpread;
    float musicStopLow, musicStopHigh;        // StopMidi while low < defeatTimer < high
    int32_t wipeSteps;                        // the opening wipe into the next state
    int32_t nextState;
};

// The damage explosions: while hp lies in 470..530, 270..330 or 120..180
// (upper bounds inclusive), each of the eight shared big blasts is drawn,
// stepped, re-placed around the boss and sounds once.
void drawBossDamageBlasts(const BossBody& boss);
// The damage explosions, the sprite of the hp band (the hit flag cleared),
// the smoke, the smoke step advanced; then the defeat routine.
void drawBoss(const BossLook& look);
// Nothing while hp > 0. Otherwise one frame of the defeat: the boss's big and
// small blasts, one explosion sound, the defeat clock +10 per second; above
// 70 the stage ends (finishBossDefeat).
void runBossDefeat(const BossLook& look);
// The resets, a screen grab into image slot 1, the next state behind an
// opening wipe of kind 3 and `wipeSteps` steps.
void finishBossDefeat(int32_t wipeSteps, int32_t nextState);

// The defeat clock passes this to end the stage.
constexpr float bossDefeatEnd = 70.0f;
