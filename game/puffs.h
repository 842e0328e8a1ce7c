// Smoke puffs: sets of eight that rise from a damaged turning enemy or from
// a mid-boss arm. One routine per role serves every owner; the owner names
// the box the puffs leave from and the boxes that hold them.
#pragma once

#include <cstdint>

#include "game/shots/shot_records.h"

struct Puff {
    int32_t frame;  // 0..6
    float x, y;
    float vx, vy;   // px/s
    int32_t active;
};
constexpr int PuffsPerSet = 8;

// Arms every free puff of the set in the w x h box at `from` while `smokes`
// holds: x spread over the box's width less a puff's (a box no wider than a
// puff gives offset 0, the number still drawn), y at the box's middle less
// half a puff, rising at 100..199 px/s and drifting -50..49 px/s sideways.
// Random numbers per puff armed: the x offset, one that nothing reads when
// `unreadDraw` is set, vy, vx.
void spawnPuffSet(Puff* puffs, Position from, int w, int h, bool smokes, bool unreadDraw);
// For each puff, once per holding box in order: an active puff moves by its
// speeds, then it is freed and put at (-500, -2550) unless it lies inside the
// box's band: not above its top less h less a fresh 0..99, nor more than 40
// px left of it, nor more than w + 40 px right of it. One random number per
// puff and box, free puffs too.
void stepPuffSet(Puff* puffs, const Position* holders, int holderCount, int w, int h);
// Each active puff: one frame of the puff strip, then its frame steps on.
void drawPuffSet(Puff* puffs);
// Every puff of the set freed and parked (part of the play-state reset).
void parkPuffSet(Puff* puffs);
