// Stage 3 (game state 6): its frame routine and its timeline, the boss's
// pattern windows on boss3Timeline and the enemy schedule on the stage
// clock. The stage has no exit check: only its boss's defeat (or T) ends it.
#pragma once

// The stage clock gains this many units a second.
constexpr float stage3ScrollRate = 16.0f;
// The boss is up while 2650 < scrollDistance < 11100; from 11000 a living
// boss is forced to 0 hp.
constexpr float stage3BossFrom = 2650.0f, stage3BossUntil = 11100.0f;
constexpr float stage3ForcedClearFrom = 11000.0f;
// Its patterns run while 0 < hp < 780, on counts 1..4900.
constexpr float boss3PatternHpBelow = 780.0f;

// One frame of stage 3.
void stage3Frame();

// Hooks stage 3 into the kit at start-up: the pool reset parks the boss's
// curving missile streams.
void installStage3();
