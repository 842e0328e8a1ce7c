// Stage 2 (game state 3): its frame routine and its timeline, the boss's
// pattern windows on boss2Timeline and the enemy schedule on the stage
// clock.
#pragma once

// The stage clock gains this many units a second.
constexpr float stage2ScrollRate = 18.0f;
// The boss is up while 2200 < scrollDistance < 11100; from 11000 a living
// boss is forced to 0 hp.
constexpr float stage2BossFrom = 2200.0f, stage2BossUntil = 11100.0f;
constexpr float stage2ForcedClearFrom = 11000.0f;
// Its patterns run while 0 < hp < 980, on counts 1..2300.
constexpr float boss2PatternHpBelow = 980.0f;

// One frame of stage 2.
void stage2Frame();
