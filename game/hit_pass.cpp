#include "game/hit_pass.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <span>

#include "assets/asset_list.h"
#include "engine/eng_system.h"
#include "game/coin.h"
#include "game/enemy_slots.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/score.h"
#include "game/turning_enemies.h"
#include "game/weapons.h"

namespace {

// An inclusive box relative to a target's whole-pixel position.
struct RelativeBox {
    int32_t left, right, top, bottom;
};
bool inside(int32_t x, int32_t y, int32_t originX, int32_t originY, const RelativeBox& box) {
    return x >= originX + box.left && x <= originX + box.right && y >= originY + box.top &&
           y <= originY + box.bottom;
}

// Enemy slots and turning enemies are tested only from this depth down.
constexpr int32_t enemyTestTop = 10;
constexpr int32_t largeTargetTop = 10, largeTargetBottom = 200;

// What one weapon does to what it meets.
struct WeaponRule {
    bool passesHitGates;  // hits enemies whatever their hitGate
    RelativeBox slotBox;
    RelativeBox turningBox;
    float turningDamage;  // hp per second of overlap
    int32_t targetLeft[LargeTargetCount], targetRight[LargeTargetCount];
    int32_t targetPoints[LargeTargetCount];
    float targetDamage;   // hp per second of overlap
};

// Indexed by HitWeapon; targets in the order Boss1, SpareA, Boss3, SpareB, Boss2.
constexpr RelativeBox shotSlotBox{-40, 50, -60, 50};
constexpr RelativeBox shotTurningBox{-60, 60, -80, 50};
constexpr RelativeBox podBox{10, 70, 0, 50};
constexpr WeaponRule weaponRules[] = {
    // A
    {false, shotSlotBox, shotTurningBox, 100.0f, {80, 80, 80, 50, 50}, {300, 320, 300, 270, 390},
     {50, 50, 50, 50, 60}, 100.0f},
    // B
    {false, shotSlotBox, shotTurningBox, 100.0f, {80, 80, 80, 50, 50}, {300, 320, 300, 270, 390},
     {100, 100, 100, 100, 250}, 100.0f},
    // C
    {false, shotSlotBox, shotTurningBox, 100.0f, {80, 80, 80, 50, 50}, {300, 320, 300, 270, 390},
     {100, 100, 100, 100, 250}, 100.0f},
    // pod shots
    {false, podBox, podBox, 10.0f, {80, 80, 80, 50, 50}, {344, 364, 344, 314, 434}, {50, 50, 50, 50, 60},
     10.0f},
    // missiles
    {false, shotSlotBox, shotTurningBox, 100.0f, {80, 80, 80, 50, 50}, {340, 360, 340, 310, 430},
     {50, 50, 50, 50, 60}, 3.0f},
    // fan pieces: the slots' box for the turning enemies too; the large
    // targets as weapon B
    {true, shotSlotBox, shotSlotBox, 100.0f, {80, 80, 80, 50, 50}, {300, 320, 300, 270, 390},
     {100, 100, 100, 100, 250}, 100.0f},
};
static_assert(std::size(weaponRules) == static_cast<size_t>(HitWeapon::FanPiece) + 1);
const WeaponRule& ruleOf(HitWeapon weapon) { return weaponRules[static_cast<int>(weapon)]; }

struct TargetHooks {
    BossBody* body;
    void (*mark)();
    void (*sparks)();
};
const TargetHooks targets[LargeTargetCount] = {
    {&boss1, markStage1BossHit, spawnStage1BossSparks},
    {&spareBossA, markSpareBossAHit, spawnSpareBossASparks},
    {&boss3, markStage3BossHit, spawnStage3BossSparks},
    {&spareBossB, markSpareBossBHit, spawnSpareBossBSparks},
    {&boss2, markStage2BossHit, spawnStage2BossSparks},
};

void hitEnemies(int32_t x, int32_t y, const WeaponRule& rule) {
    for (int j = 0; j < WeaponTargetSlots; ++j) {
        const EnemySlot& e = enemySlots[j];
        if (e.hitGate != 0 && !rule.passesHitGates) continue;
        const int32_t ey = pixelOf(e.y);
        if (ey < enemyTestTop) continue;
        if (inside(x, y, pixelOf(e.x), ey, rule.slotBox)) {
            killEnemySlot(j);
            addScore(EnemyHitPoints);
        }
    }
    for (int i = 0; i < WeaponTargetTurningEnemies; ++i) {
        TurningEnemy& e = turningEnemies[i];
        if (e.hitGate != 0 && !rule.passesHitGates) continue;
        const int32_t ey = pixelOf(e.y);
        if (ey < enemyTestTop) continue;
        if (inside(x, y, pixelOf(e.x), ey, rule.turningBox)) {
            addScore(EnemyHitPoints);
            e.hp -= frameTime * rule.turningDamage;
            if (e.hp <= 0.0f) killTurningEnemy(i);
        }
    }
}

void retire(PlayerShot& shot) {
    shot.active = 0;
    shot.x = shot.y = retiredShotPosition;
}

// Directions of a shot's band (records in bands of 26): -1 up or left,
// +1 down or right.
struct BandDirection {
    int32_t ySign, xSign;
};
constexpr BandDirection spreadBands[] = {{-1, 0}, {1, -1}, {1, -1}, {1, 0}, {1, 1}, {1, 1}};  // weapon B
constexpr BandDirection tripleBands[] = {{-1, 0}, {-1, -1}, {-1, 1}};                        // weapons A, C
constexpr int32_t shotTopExit = -60;

void runShotPool(PlayerShot* shots, int count, const BandDirection* bands, bool leavesAtBottom, HitWeapon weapon) {
    const WeaponRule& rule = ruleOf(weapon);
    for (int i = 0; i < count; ++i) {
        PlayerShot& shot = shots[i];
        if (shot.active == 0) continue;
        const BandDirection& band = bands[i / ShotBandSize];
        shot.y += band.ySign * shot.stepY;
        shot.x += band.xSign * shot.stepX;
        if (shot.y < shotTopExit || (leavesAtBottom && shot.y > 600)) retire(shot);
        const int32_t x = shot.x, y = shot.y;
        hitEnemies(x, y, rule);
        // Every large target sees the position from before a retirement.
        if (hitLargeTargets(x, y, weapon)) retire(shot);
    }
}

constexpr int32_t podShotTopExit = -16;

void runPodShots() {
    const WeaponRule& rule = ruleOf(HitWeapon::Pod);
    for (PlayerShot& shot : podShots) {
        if (shot.active == 0) continue;
        shot.y -= shot.stepY;
        if (shot.y <= podShotTopExit) shot.active = 0;  // left where it is
        const int32_t x = shot.x, y = shot.y;
        hitEnemies(x, y, rule);
        if (hitLargeTargets(x, y, HitWeapon::Pod)) retire(shot);
    }
}

// A missile's path: whole-pixel steps per frame by its clock (20 units a
// second). Bands are inclusive; a clock between two bands gives no step.
struct MissilePathBand {
    float low, high;
    int32_t dx, dy;  // group 0 and 2; groups 1 and 3 mirror dx
};
constexpr MissilePathBand innerPath[] = {  // groups 0 and 1
    {0, 3, -6, 0},    {4, 6, -6, -3},   {7, 9, -6, -6},   {10, 12, -3, -6}, {13, 15, 0, -6},
    {16, 18, 1, -6},  {19, 21, 2, -6},  {22, 24, 3, -6},  {25, 27, 4, -6},  {28, 200, 5, -6},
};
constexpr MissilePathBand outerPath[] = {  // groups 2 and 3
    {0, 3, -6, 0},   {4, 6, -6, -3},  {7, 9, -6, -6}, {10, 12, -3, -6},
    {13, 15, 0, -6}, {16, 18, 1, -6}, {19, 21, 2, -6}, {22, 250, 3, -6},
};
constexpr float missileClockRate = 20.0f;
constexpr int32_t missileTopExit = -60;

void stepMissile(Missile& missile, int group) {
    using Path = std::span<const MissilePathBand>;
    const Path path = group < 2 ? Path(innerPath) : Path(outerPath);
    const int32_t mirror = (group % 2 == 0) ? 1 : -1;
    for (const MissilePathBand& band : path) {
        if (missile.timer >= band.low && missile.timer <= band.high) {
            missile.x += mirror * band.dx;
            missile.y += band.dy;
            return;
        }
    }
}

void runMissiles() {
    const WeaponRule& rule = ruleOf(HitWeapon::Missile);
    for (int i = 0; i < MissileCount; ++i) {
        Missile& missile = missiles[i];
        if (missile.active == 0) continue;
        missile.timer += frameTime * missileClockRate;
        stepMissile(missile, i / MissileGroupSize);
        if (missile.y < missileTopExit) {
            missile.active = 0;
            missile.x = missile.y = retiredShotPosition;
            missile.timer = 0;
        }
        hitEnemies(missile.x, missile.y, rule);
        // A missile goes on through a target, scoring in every frame.
        hitLargeTargets(missile.x, missile.y, HitWeapon::Missile);
    }
}

bool playerWithin(float x, float y, int32_t left, int32_t right, int32_t top, int32_t bottom) {
    const int32_t px = pixelOf(playerX), py = pixelOf(playerY);
    const int32_t ix = pixelOf(x), iy = pixelOf(y);
    return px >= ix + left && px <= ix + right && py >= iy + top && py <= iy + bottom;
}

// Coins pay while the ship overlaps them, in every such frame.
bool coinTouched(const Coin& coin) {
    return coin.pickupGate == 0 && pixelOf(coin.y) >= -10 && playerWithin(coin.x, coin.y, -60, 60, -60, 40);
}

constexpr int SlotCoinsTested = 23;  // slot coins 0..22
struct StageCoinPool {
    void (*take)(int i);
    int32_t points;
};
const StageCoinPool stageCoinPools[BossCount] = {
    {takeStage1Coin, 1556},
    {takeStage2Coin, 1556},
    {takeStage3Coin, 2556},
};

void pickUpItems() {
    if (powerUpItem.active != 0 && pixelOf(powerUpItem.y) > 50 &&
        playerWithin(powerUpItem.x, powerUpItem.y, -60, 60, -60, 60)) {
        takePowerUp();
        addScore(PowerUpPoints);
    }
    for (int i = 0; i < SlotCoinsTested; ++i) {
        if (!coinTouched(slotCoins[i])) continue;
        takeSlotCoin(i);
        addScore(SlotCoinPoints);
    }
    for (int stage = 0; stage < BossCount; ++stage) {
        for (int i = 0; i < StageCoinCount; ++i) {
            if (!coinTouched(stageCoins[stage][i])) continue;
            stageCoinPools[stage].take(i);
            addScore(stageCoinPools[stage].points);
        }
    }
}

void takeStageCoin(int stage, int i) {
    if (i < 0 || i >= StageCoinCount) return;
    stageCoins[stage][i].taken = 1;
    playExplosionSound();
}

// Every dead fragment of each missile's group comes alive at the missile.
void lightSpareSparks(int spare) {
    for (int i = 0; i < MissileCount; ++i) lightSparkGroup(spareBossSparks[spare][i], missiles[i].x, missiles[i].y);
}

static_assert(SparkGroupCount == MissileCount, "one spark group per missile");

void lightBossSparks(int stage) {
    for (int i = 0; i < MissileCount; ++i) spawnSparkGroup(stage, i, missiles[i].x, missiles[i].y);
}

}  // namespace

void hitEnemies(int32_t x, int32_t y, HitWeapon weapon) { hitEnemies(x, y, ruleOf(weapon)); }

bool hitLargeTargets(int32_t x, int32_t y, HitWeapon weapon) {
    const WeaponRule& rule = ruleOf(weapon);
    bool hit = false;
    for (int t = 0; t < LargeTargetCount; ++t) {
        BossBody& body = *targets[t].body;
        if (largeTargetSkipHit[t] != 0) continue;
        const int32_t ty = pixelOf(body.y);
        if (ty < 0) continue;
        const RelativeBox box{rule.targetLeft[t], rule.targetRight[t], largeTargetTop, largeTargetBottom};
        if (!inside(x, y, pixelOf(body.x), ty, box)) continue;
        hit = true;
        if (weapon == HitWeapon::Missile) targets[t].sparks();
        targets[t].mark();
        addScore(rule.targetPoints[t]);
        body.hp -= frameTime * rule.targetDamage;
    }
    return hit;
}

void runHitPass() {
    pickUpItems();
    runShotPool(weaponBShots, WeaponBShotCount, spreadBands, true, HitWeapon::B);
    runShotPool(weaponCShots, WeaponCShotCount, tripleBands, false, HitWeapon::C);
    runShotPool(weaponAShots, WeaponAShotCount, tripleBands, false, HitWeapon::A);
    runPodShots();
    runMissiles();
}

void addScore(int32_t points) {
    // Points count in the run's modes, which every run is in.
    const bool scoringMode = (gameMode == 1 || gameMode == 2) && (gameSubMode == 0 || gameSubMode == 1);
    if (scoringMode) {
        const int64_t sum = std::clamp<int64_t>(int64_t{score} + points, INT32_MIN, ScoreCap);
        score = static_cast<int32_t>(sum);
    }
    highScore = std::max(highScore, score);
}

void markStage1BossHit() { boss1.hitFlag = 1; }
void markStage2BossHit() { boss2.hitFlag = 1; }
void markStage3BossHit() { boss3.hitFlag = 1; }
void markSpareBossAHit() { spareBossA.hitFlag = 1; }
void markSpareBossBHit() { spareBossB.hitFlag = 1; }

void takePowerUp() {
    powerUpItem.taken = 1;
    playExplosionSound();
}
void takeStage1Coin(int i) { takeStageCoin(0, i); }
void takeStage2Coin(int i) { takeStageCoin(1, i); }
void takeStage3Coin(int i) { takeStageCoin(2, i); }

void spawnStage1BossSparks() { lightBossSparks(1); }
void spawnStage2BossSparks() { lightBossSparks(2); }
void spawnStage3BossSparks() { lightBossSparks(3); }
void spawnSpareBossASparks() { lightSpareSparks(0); }
void spawnSpareBossBSparks() { lightSpareSparks(1); }
