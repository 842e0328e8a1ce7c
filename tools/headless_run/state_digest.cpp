#include "headless_run/state_digest.h"

#include <type_traits>

#include "app/ending.h"
#include "engine/eng_system.h"
#include "game/backgrounds.h"
#include "game/boss_debris.h"
#include "game/boss_effects.h"
#include "game/ending_streaks.h"
#include "game/enemy_slots.h"
#include "game/game_flags.h"
#include "game/large_targets.h"
#include "game/mid_boss_arms.h"
#include "game/mid_bosses.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/score.h"
#include "game/shots/aimed.h"
#include "game/shots/fan.h"
#include "game/shots/sweep_salvo.h"
#include "game/shots/volley.h"
#include "game/turning_enemies.h"
#include "game/weapons.h"
#include "stages/stage1/ring_spirals.h"
#include "stages/stage3/curving_missiles.h"

namespace {

// FNV-1a over the bytes of each value, folded to 32 bits.
class Hash {
public:
    template <typename... Values>
    Hash& add(const Values&... values) {
        (bytes(values), ...);
        return *this;
    }
    uint32_t folded() const { return static_cast<uint32_t>(h ^ (h >> 32)); }

private:
    template <typename T>
    void bytes(const T& value) {
        // Records of 32-bit fields only, so that no padding byte enters.
        using Element = std::remove_all_extents_t<T>;
        static_assert(std::is_trivially_copyable_v<Element> && alignof(Element) == 4 && sizeof(Element) % 4 == 0);
        const auto* p = reinterpret_cast<const unsigned char*>(&value);
        for (size_t i = 0; i < sizeof value; ++i) h = (h ^ p[i]) * 0x100000001B3ull;
    }
    uint64_t h = 0xCBF29CE484222325ull;
};

}  // namespace

StateDigest stateDigest() {
    const uint32_t random = engSystem::RandState();
    return StateDigest{{
        {"state", Hash{}
                      .add(gameState, scrollDistance, stageMusicCounter, paused, continuePrompt, clearShots,
                           gameOver, timedMode, timeLeft, level, gameMode, gameSubMode, autoFire, weaponBLock,
                           multiBurst, shipType, noDeath, controlMouse, controlKeyboard)
                      .folded()},
        {"score", Hash{}.add(score, highScore, highScoreTable, lives, powerUpCount).folded()},
        {"random", Hash{}.add(random).folded()},
        {"player", Hash{}
                       .add(playerX, playerY, playerVX, playerVY, playerAlive, respawnGuard, respawnGuardFrames,
                            laserArmed, shotPower, powerUpItem, wreckFragments, optionPods)
                       .folded()},
        {"weapons", Hash{}
                        .add(weaponAShots, weaponBShots, weaponCShots, podShots, missiles, fanPieces, laserLeft,
                             laserRight, laserFrame, weaponACounter, weaponBCounter, weaponCCounter, missileCounter,
                             fanCounter, pod0Counter, pod1Counter, weaponAFired, weaponBFired, weaponCFired)
                        .folded()},
        {"slots", Hash{}
                      .add(enemySlots, slotCoins, turningEnemies, turningEnemyPuffs, midBoss, leftArm, rightArm,
                           leftArmPuffs, rightArmPuffs, stageCoins)
                      .folded()},
        {"pools", Hash{}
                      .add(aimedShotRecords, volleyShotRecords, segmentedShotRecords, fanShotRecords,
                           sweepShotRecords, salvoShotRecords, ringShotRecords, curvingMissileRecords,
                           boss1RingCounters, missileStreamCounters)
                      .folded()},
        {"bosses", Hash{}
                       .add(boss1, boss2, boss3, spareBossA, spareBossB, boss1Timeline, boss2Timeline, boss3Timeline,
                            boss1BigBlasts, boss1SmallBlasts, boss2BigBlasts, boss2SmallBlasts, boss3BigBlasts,
                            boss3SmallBlasts, boss1IntroPicture, boss2IntroPicture, boss1SmokeStep, boss2SmokeStep,
                            boss3SmokeStep, bossSparks, spareBossSparks, largeTargetSkipHit)
                       .folded()},
        {"scene", Hash{}.add(backTiles, stage1BasePicture, endingStreaks).folded()},
    }};
}

void printStateDigest(FILE* out, int32_t frame, const StateDigest& digest) {
    std::fprintf(out, "frame %d digest", frame);
    for (const DigestPart& part : digest) std::fprintf(out, " %s %08x", part.name, part.hash);
    std::fprintf(out, "\n");
}
