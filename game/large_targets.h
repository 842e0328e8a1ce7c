// The large targets the weapons test: the three stage bosses and two spare
// targets, with the flags that can take a target out of the tests.
#pragma once

#include <cstdint>

#include "game/boss_debris.h"
#include "game/shots/shot_records.h"

// The two spare large targets. No stage places them: the resets keep them
// parked, so the weapons' tests against them never succeed.
extern BossBody spareBossA, spareBossB;
constexpr float spareBossAStartHp = 1500.0f;
constexpr float spareBossBStartHp = 1000.0f;
// Their spark pools, filled like the bosses' and never shown.
extern DebrisFragment spareBossSparks[2][SparkGroupCount][SparksPerGroup];

// The large targets in the order the weapons test them.
enum LargeTarget : int32_t {
    TargetBoss1,
    TargetSpareA,
    TargetBoss3,
    TargetSpareB,
    TargetBoss2,
    LargeTargetCount,
};
// A target is tested only while its flag is 0; nothing in the game sets one.
extern int32_t largeTargetSkipHit[LargeTargetCount];
