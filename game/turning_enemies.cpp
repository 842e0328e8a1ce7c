#include "game/turning_enemies.h"

#include <cmath>
#include <iterator>

#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/enemy_slots.h"
#include "game/play_state.h"
#include "game/player.h"
#include "game/shots/fan.h"

TurningEnemy turningEnemies[TurningEnemyCount];
Puff turningEnemyPuffs[TurningEnemyCount][PuffsPerSet];

namespace {

bool validEnemy(int i) { return i >= 0 && i < TurningEnemyCount; }

// Entry: straight down until the clock reaches 30, then the curve, which
// loops back from 181 to 31 and so never ends.
constexpr float enemyClockRate = 10.0f;
constexpr float entrySpeed = 120.0f;
constexpr float curveWrap = 181.0f;
constexpr float curveLoopStart = 31.0f;
// Heading change per frame by turning type 1..4.
constexpr float headingSteps[] = {-piTimes(1.0 / 180.0), piTimes(1.0 / 180.0), -0.0251327f, 0.0251327f};
constexpr int TurningTypeCount = 4;

constexpr int32_t TurningEnemyLastBurst = 4;  // five bursts

const EnemySprite turningSprites[] = {
    {0, nullptr, 0, {}, &imgSzak1, 60, 60, 5, 10},
    {1, &imgZfire2, 2, {{12, -42}, {48, -42}}, &imgSzak4, 80, 80, 0, 0},
    {2, &imgZfire2, 2, {{12, -42}, {48, -42}}, &imgSzak5, 80, 80, 0, 0},
    {3, &imgZfire2, 2, {{12, -42}, {48, -42}}, &imgSzak6, 80, 80, 0, 0},
    {4, &imgZfire2, 2, {{12, -72}, {48, -72}}, &imgSzak8o, 120, 120, -20, -20},
};
constexpr int TurningSpriteCount = static_cast<int>(std::size(turningSprites));

// Puffs: hp at or below this makes an enemy smoke.
constexpr float smokeHp = 1200.0f;

// Each enemy's bank of fan shots is a row of the fan family, enemy after enemy.
constexpr int firstEnemyFanRow = findFanBank(FanOwner::TurningEnemy, 0);
constexpr int enemyFanRow(int i) { return firstEnemyFanRow + i; }
constexpr bool enemyFanRowsInOrder() {
    for (int i = 0; i < TurningEnemyCount; ++i) {
        if (findFanBank(FanOwner::TurningEnemy, i) != enemyFanRow(i)) return false;
        if (fanPools[enemyFanRow(i)].count != FanShotsPerEnemy) return false;
    }
    return true;
}
static_assert(firstEnemyFanRow >= 0 && enemyFanRowsInOrder());

}  // namespace

// ---------------------------------------------------------------------------
// Turning enemies
// ---------------------------------------------------------------------------

void spawnTurningEnemy(int i, int w, int h, int side) {
    if (!validEnemy(i)) return;
    TurningEnemy& e = turningEnemies[i];
    if (e.alive != 0) return;
    if (side == 1) {
        e.x = static_cast<float>(screenX(260));
    } else if (side == 2) {
        e.x = static_cast<float>(screenX(540) - w);
    } else {
        return;
    }
    // Cleared for either side, so no count of an earlier death carries over.
    e.burstCount = 0;
    e.y = static_cast<float>(-h);
    e.burstStyle = engSystem::Rand() % 4;
    e.heading = piTimes(0.5);
    e.timer = 0;
    e.flameFrame = 0;
    e.burstFrame = 0;
    e.dying = 0;
    e.alive = 1;
    e.speedX = entrySpeed;
    e.speedY = entrySpeed;
}

void moveTurningEnemy(int i, int type, int w, int h) {
    if (!validEnemy(i)) return;
    TurningEnemy& e = turningEnemies[i];
    const float dt = frameTime;
    if (e.alive != 0 && type >= 1 && type <= TurningTypeCount) {
        e.timer += enemyClockRate * dt;
        // At exactly 30 both moves apply.
        if (e.timer >= 0.0f && e.timer <= 30.0f) e.y += e.speedY * dt;
        if (e.timer >= 30.0f && e.timer <= 200.0f) {
            // Cosine and sine in double of the float heading; each step in
            // double, stored as float.
            const double heading = static_cast<double>(e.heading);
            e.x = static_cast<float>(static_cast<double>(e.x) +
                                     std::cos(heading) * static_cast<double>(e.speedX) * static_cast<double>(dt));
            e.y = static_cast<float>(static_cast<double>(e.y) +
                                     std::sin(heading) * static_cast<double>(e.speedY) * static_cast<double>(dt));
            e.heading += headingSteps[type - 1];
        }
        if (e.timer >= curveWrap) e.timer = curveLoopStart;
    }
    if (enemyOffScreen(e.x, e.y, w, h)) {
        e.alive = 0;
        parkRecord(e);
    }
}

void drawTurningEnemy(int i, int kind) {
    if (!validEnemy(i)) return;
    TurningEnemy& e = turningEnemies[i];
    if (e.dying < 1) {
        if (kind >= 0 && kind < TurningSpriteCount) drawEnemySprite(turningSprites[kind], e.x, e.y, e.flameFrame);
        return;
    }
    drawEnemyExplosion(e.x, e.y, e.burstStyle, e.burstFrame);
    e.speedX = 0;
    e.speedY = 0;
    if (advanceEnemyExplosion(e.burstFrame, e.burstCount, TurningEnemyLastBurst)) {
        // Still alive: the next cull frees it.
        e.dying = 0;
        e.hitGate = 0;
        e.burstFrame = 0;
        e.burstCount = 0;
        parkRecord(e);
    }
}

void killTurningEnemy(int i) {
    if (!validEnemy(i)) return;
    if (turningEnemies[i].dying == 0) turningEnemies[i].dying = 1;
}

// ---------------------------------------------------------------------------
// Puffs
// ---------------------------------------------------------------------------

void spawnTurningEnemyPuffs(int i, int w, int h) {
    if (!validEnemy(i)) return;
    const TurningEnemy& e = turningEnemies[i];
    spawnPuffSet(turningEnemyPuffs[i], Position{e.x, e.y}, w, h, e.hp <= smokeHp, false);
}

void stepTurningEnemyPuffs(int i, int w, int h) {
    if (!validEnemy(i)) return;
    const TurningEnemy& e = turningEnemies[i];
    const Position holder{e.x, e.y};
    stepPuffSet(turningEnemyPuffs[i], &holder, 1, w, h);
}

void drawTurningEnemyPuffs(int i) {
    if (!validEnemy(i)) return;
    drawPuffSet(turningEnemyPuffs[i]);
}

// ---------------------------------------------------------------------------
// Fan waves: each enemy's bank is a row of the fan family
// ---------------------------------------------------------------------------

FanShot* turningEnemyFanShots(int i) { return validEnemy(i) ? fanPoolRecords(enemyFanRow(i)) : nullptr; }

void tickEnemyFanWaves(int i) {
    if (validEnemy(i)) tickFanWaves(enemyFanRow(i));
}

void stepEnemyFanShots(int i) {
    if (validEnemy(i)) moveFanShotPool(enemyFanRow(i));
}

void drawEnemyFanShots(int i, int style) {
    if (validEnemy(i)) drawFanPoolInStyle(enemyFanRow(i), style);
}

// ---------------------------------------------------------------------------
// Reset
// ---------------------------------------------------------------------------

void resetTurningEnemies() {
    for (TurningEnemy& e : turningEnemies) {
        e.burstCount = 0;
        e.burstFrame = 0;
        e.flameFrame = 0;
        e.timer = 0;
        e.burstStyle = engSystem::Rand() % 4;
        parkRecord(e);
        e.speedX = 0;
        e.speedY = 0;
        e.alive = 0;
        e.dying = 0;
        e.hitGate = 0;
        e.hp = 2000.0f;
    }
    parkFanPools(FanOwner::TurningEnemy, ShotRecordType::Fan);
    for (auto& puffs : turningEnemyPuffs) parkPuffSet(puffs);
}
