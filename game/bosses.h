// What the three stage bosses share, each routine driven by a boss's own
// constants: the movement script as rows of windows on the script clock,
// the body's draw (damage blasts, the sprite of its hp band, the low-hp
// smoke), the defeat's blasts and clock, and the hand-over to the next state
// once a defeat is over.
#pragma once

#include <cstdint>
#include <limits>
#include <span>

#include "game/boss_effects.h"
#include "game/shots/shot_records.h"

// ---------------------------------------------------------------------------
// Movement script
// ---------------------------------------------------------------------------
enum class BossStep : int32_t {
    ShowIntro,   // draw the intro picture where it is, then put it at (x, y) with `speed`
    RaiseIntro,  // draw the intro picture, set its x, move it up; park it once it is gone
    Place,       // the boss's top-left at (x, y)
    Move,        // the boss moves by (x, y) px/s
};
enum class ScriptBounds : int32_t {
    Inclusive,  // low <= t <= high
    AfterLow,   // low < t <= high
};
// One window of a script, tested on the clock's new value. Positions are
// full-screen ones (the windowed build moves them with screenX).
struct BossScriptRow {
    float low, high;
    ScriptBounds bounds;
    BossStep step;
    float x, y;
    float speed;  // ShowIntro only
};

// A picture that crosses the screen before the boss comes down.
struct BossIntro {
    MovingPicture* picture;  // nullptr: the boss has none
    int32_t* image;
    int32_t width, height;
};
// The intro picture is parked once its y is above this.
constexpr float bossIntroGoneY = -480.0f;

struct BossScript {
    std::span<const BossScriptRow> rows;
    float rewindAt;  // once the clock is at or past this, it goes back to
    float rewindTo;  // this, and the script repeats from there
    BossIntro intro;
};
constexpr float bossScriptRate = 10.0f;  // the script clock's units per second

// One frame: the clock goes on by 10 a second, then every row whose window
// holds the clock's new value acts, in table order.
void runBossScript(BossBody& boss, const BossScript& script);

// ---------------------------------------------------------------------------
// The body
// ---------------------------------------------------------------------------
// The sprite drawn while above < hp <= upTo.
struct BossSpriteBand {
    float above, upTo;
    int32_t* image;
};
constexpr float anyHp = std::numeric_limits<float>::infinity();

// Two smoke sprites while 0 < hp <= hpUpTo, at (x + leftX, y + dy + 28s)
// and (x + rightX, y + dy + 28s), s the smoke step.
struct BossSmoke {
    float hpUpTo;
    float leftX, rightX, dy;
};
constexpr int BossSmokePairs = 2;

struct BossLook {
    std::span<const BossSpriteBand> sprites;
    int32_t width, height;
    BossSmoke smoke[BossSmokePairs];
};

// The damage explosions (8 big blasts shared by every boss, each with its
// sound, while hp lies in one of three bands), the sprite of the hp band
// (clearing the hit flag), the smoke, and the smoke step on by one.
void drawBossBody(BossBody& boss, const BossLook& look, int32_t& smokeStep);

// ---------------------------------------------------------------------------
// Defeat
// ---------------------------------------------------------------------------
struct BossDefeat {
    BossBlast* bigBlasts;    // BigBlastCount of them
    BossBlast* smallBlasts;  // SmallBlastCount of them
    // Blasts are re-placed over this much of the boss: every blast over
    // spreadX, the big ones over spreadY and the small ones over smallSpreadY.
    int32_t spreadX, spreadY, smallSpreadY;
};
// The defeat lasts until its clock, at 10 a second, is above this.
constexpr float bossDefeatEnd = 70.0f;

// One call of a defeat: nothing while hp > 0; else every blast drawn and
// re-placed, the explosion sound once, and the clock on. True when the clock
// has just passed its end: the caller then hands over to the next state.
bool stepBossDefeat(BossBody& boss, const BossDefeat& defeat);

// The end of a stage: the play state and the pools reset, a snapshot of the
// screen wiped away over `wipeSteps` frames of the next state, which starts
// at once.
void handOverAfterDefeat(int32_t wipeSteps, int32_t nextState);
