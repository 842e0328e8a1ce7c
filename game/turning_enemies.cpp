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

TurningEnemy turningEnemies[TurningEnemyCount];
Puff turningEnemyPuffs[TurningEnemyCount][PuffsPerSet];
FanShot turningEnemyFanShots[TurningEnemyCount][FanShotsPerEnemy];

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

// Fan waves: every 260 ticks five fans of three, 40 ticks apart.
constexpr int32_t fanWaveCycle = 260;
constexpr int32_t fanWaveSize = 3;
constexpr int32_t fanWaveCount = FanShotsPerEnemy / fanWaveSize;
constexpr int32_t fanWaveSpacing = 40;
constexpr float fanShotSpeed = 220.0f;
constexpr float fanAimOffset = 10.0f;
constexpr float fanTurnStep = piTimes(12.0 / 180.0);
constexpr HitBox fanShotPlayerBox{-10, 30, 0, 30};
constexpr int32_t FanLargeShotSize = 39;
constexpr int32_t fanShotPhases = 7;  // first frames drawn by the reset

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
// Fan waves
// ---------------------------------------------------------------------------

void tickFanWaveBank(FanShot* bank, int owner, void (*spawn)(int owner, int k, int first)) {
    if (bank == nullptr || spawn == nullptr) return;
    for (int k = 0; k < FanShotsPerEnemy; ++k) {
        bank[k].waveCounter += 1;
        if (bank[k].waveCounter >= fanWaveCycle) bank[k].waveCounter = 0;
    }
    for (int wave = 0; wave < fanWaveCount; ++wave) {
        const int first = wave * fanWaveSize;
        for (int k = first; k < first + fanWaveSize; ++k) {
            if (bank[k].waveCounter == (wave + 1) * fanWaveSpacing) spawn(owner, k, first);
        }
    }
}

void armFanWaveShot(FanShot& shot, float startX, float startY, int k, int first) {
    if (shot.active != 0) return;
    shot.active = 1;
    shot.speed = fanShotSpeed;
    shot.x = shot.startX = startX;
    shot.y = shot.startY = startY;
    const float turn = static_cast<float>(k - first) * fanTurnStep - fanTurnStep;
    shot.angle = aimAngle(shot.x, shot.y, fanAimOffset, turn, shot.dx, shot.dy);
}

void stepFanWaveBank(FanShot* bank) {
    if (bank == nullptr) return;
    int32_t aliveCopy = playerAlive == 1 ? 1 : 0;
    for (int k = 0; k < FanShotsPerEnemy; ++k) {
        FanShot& shot = bank[k];
        if (shot.active == 0) continue;
        flyAlongAngle(shot.x, shot.y, shot.angle, shot.speed);
        if (shot.x > rightEdgeX(800.0f) || shot.x < -40.0f || shot.y > 600.0f || shot.y < -40.0f ||
            clearShots == 1) {
            shot.active = 0;
            parkRecord(shot);
        }
        testPlayerHit(aliveCopy, shot.x, shot.y, fanShotPlayerBox);
    }
}

void drawFanWaveBank(FanShot* bank, int style) {
    if (bank == nullptr) return;
    for (int k = 0; k < FanShotsPerEnemy; ++k) {
        FanShot& shot = bank[k];
        const int32_t x = pixelOf(shot.x), y = pixelOf(shot.y);
        if (style == 1) {
            drawStripFrame(shot.frame, SmallShotFrames, imgVal16241, SmallShotSize, SmallShotSize, x + 12, y + 12);
        }
        if (style == 2) engDraw::Blit(x, y, imgVal40l2, 0, 0, FanLargeShotSize, FanLargeShotSize);
    }
}

void tickEnemyFanWaves(int i) {
    if (!validEnemy(i)) return;
    tickFanWaveBank(turningEnemyFanShots[i], i, spawnEnemyFanShot);
}

void spawnEnemyFanShot(int i, int k, int first) {
    if (!validEnemy(i) || k < 0 || k >= FanShotsPerEnemy) return;
    const TurningEnemy& e = turningEnemies[i];
    armFanWaveShot(turningEnemyFanShots[i][k], e.x + 20.0f, e.y + 20.0f, k, first);
}

void stepEnemyFanShots(int i) {
    if (!validEnemy(i)) return;
    stepFanWaveBank(turningEnemyFanShots[i]);
}

void drawEnemyFanShots(int i, int style) {
    if (!validEnemy(i)) return;
    drawFanWaveBank(turningEnemyFanShots[i], style);
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
    for (auto& bank : turningEnemyFanShots) {
        for (FanShot& shot : bank) parkFanShot(shot, fanShotPhases);
    }
    for (auto& puffs : turningEnemyPuffs) parkPuffSet(puffs);
}
