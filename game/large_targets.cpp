// The records of the spare large targets, apart from the pass that tests
// them, so that the resets can park them without the weapons linked in.
#include "game/hit_pass.h"

BossBody spareBossA{parkPosition.x, parkPosition.y, 0, spareBossAStartHp, 0, 0};
BossBody spareBossB{parkPosition.x, parkPosition.y, 0, spareBossBStartHp, 0, 0};
DebrisFragment spareBossSparks[2][SparkGroupCount][SparksPerGroup];
int32_t largeTargetSkipHit[LargeTargetCount];
