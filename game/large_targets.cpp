#include "game/large_targets.h"

BossBody spareBossA{parkPosition.x, parkPosition.y, 0, spareBossAStartHp, 0, 0};
BossBody spareBossB{parkPosition.x, parkPosition.y, 0, spareBossBStartHp, 0, 0};
DebrisFragment spareBossSparks[2][SparkGroupCount][SparksPerGroup];
int32_t largeTargetSkipHit[LargeTargetCount];
