// The weapon records, the sequencers that count held-fire frames and the
// spawners that arm records at the ship, and the weapons' part of the
// play-state reset.
#include "game/weapons.h"

#include <numbers>

#include "assets/asset_list.h"
#include "engine/eng_sound.h"
#include "game/game_flags.h"
#include "game/player.h"
#include "game/shots/shot_records.h"

PlayerShot weaponAShots[WeaponAShotCount];
PlayerShot weaponBShots[WeaponBShotCount];
PlayerShot weaponCShots[WeaponCShotCount];
PlayerShot podShots[PodShotCount];
Missile missiles[MissileCount];
FanPiece fanPieces[FanPieceCount];
OptionPod optionPods[2];
LaserRecord laserLeft[LaserRecordsPerBeam];
LaserRecord laserRight[LaserRecordsPerBeam];
int32_t laserFrame;

int32_t weaponACounter, weaponBCounter, weaponCCounter, missileCounter, fanCounter;
int32_t pod0Counter, pod1Counter;
int32_t weaponAFired, weaponBFired, weaponCFired;

namespace {

// A sequencer fires volley k on the call whose new count is step x k
// (k = 1..lastVolley) and starts again from 0 once the count reaches wrapAt.
// A count of 0 never fires, so record 0 of each band is never used.
struct Cadence {
    int32_t step;
    int32_t lastVolley;
    int32_t wrapAt;
};
constexpr Cadence tripleCadence{4, 25, 100};   // weapons A, B, C: every 4 frames
constexpr Cadence missileCadence{3, 49, 147};  // weapon D: every 3 frames
constexpr Cadence podCadence{4, 49, 196};      // the pods: every 4 frames

// Weapon E fires its groups of five pieces every 3 frames: groups 1..7 on
// the counts 3..21, then all eight groups on 24..45, and wraps at 48.
constexpr int32_t fanStep = 3;
constexpr int32_t fanFirstRunEnd = 21;
constexpr int32_t fanSecondRunStart = 24;
constexpr int32_t fanSecondRunEnd = 45;
constexpr int32_t fanWrapAt = 48;
constexpr int fanGroupSize = 5;

// Speeds in px per frame; a powered shot (shotPower 1) is twice as fast.
constexpr int32_t shotStepY = 10;
constexpr int32_t podShotStepY = 12;
constexpr int32_t fanPieceSpeed = -30;

// Where shots leave the ship, from its top-left corner.
constexpr float shotUpY = -38.0f;
constexpr float shotDownY = 28.0f;
constexpr float missileLeftX = 12.0f, missileRightX = 28.0f, missileY = 10.0f;
constexpr float fanPieceOffset = -10.0f;
constexpr float podShotX = 22.0f, podShotY = 6.0f;

// The centre shot of weapons A and C and its two side shots.
struct TripleVolley {
    PlayerShot* pool;
    int count;
    float sideOffset;   // side shots start this far left and right
    int32_t sideStepX;  // unpowered
    int32_t* fired;
    bool aimsLaser;     // the laser's records start tracking the ship
};
const TripleVolley narrowTriple{weaponAShots, WeaponAShotCount, 15.0f, 2, &weaponAFired, true};
const TripleVolley wideTriple{weaponCShots, WeaponCShotCount, 30.0f, 3, &weaponCFired, false};

// Weapon B's six shots: one up, five down and outward.
struct SpreadShot {
    float offsetX, offsetY;
    int32_t stepX;  // unpowered
};
constexpr SpreadShot spreadShots[6] = {
    {0.0f, shotUpY, 0},     {-15.0f, shotDownY, 2}, {-15.0f, shotDownY, 1},
    {0.0f, shotDownY, 0},   {15.0f, shotDownY, 1},  {15.0f, shotDownY, 2},
};

int32_t powerFactor() { return shotPower == 1 ? 2 : 1; }

int32_t nextVolley(int32_t& counter, const Cadence& cadence) {
    counter += 1;
    const int32_t count = counter;
    if (counter >= cadence.wrapAt) counter = 0;
    if (count % cadence.step != 0) return 0;
    const int32_t volley = count / cadence.step;
    return volley >= 1 && volley <= cadence.lastVolley ? volley : 0;
}

// The record at `index` if it exists and is free.
template <typename Record>
Record* freeRecord(Record* pool, int count, int index) {
    if (index < 0 || index >= count || pool[index].active != 0) return nullptr;
    return &pool[index];
}

bool armShot(PlayerShot* pool, int count, int index, float x, float y, int32_t stepX, int32_t stepY) {
    PlayerShot* shot = freeRecord(pool, count, index);
    if (shot == nullptr) return false;
    shot->x = pixelOf(x);
    shot->y = pixelOf(y);
    shot->stepX = stepX;
    shot->stepY = stepY;
    shot->active = 1;
    return true;
}

void playShotSound() { engSound::Play(sndShot, -1); }

void fireTriple(const TripleVolley& volley, int a, int b, int c) {
    const int32_t power = powerFactor();
    if (armShot(volley.pool, volley.count, a, playerX, playerY + shotUpY, 0, shotStepY * power)) {
        *volley.fired = 1;
        playShotSound();
    }
    if (laserArmed != 1) return;
    const int32_t sideStepX = volley.sideStepX * power;
    armShot(volley.pool, volley.count, b, playerX - volley.sideOffset, playerY + shotUpY, sideStepX,
            shotStepY * power);
    armShot(volley.pool, volley.count, c, playerX + volley.sideOffset, playerY + shotUpY, sideStepX,
            shotStepY * power);
    if (volley.aimsLaser) {
        for (LaserRecord& record : laserLeft) record.tracking = 1;
        for (LaserRecord& record : laserRight) record.tracking = 1;
    }
}

void armMissile(int index, float offsetX) {
    Missile* missile = freeRecord(missiles, MissileCount, index);
    if (missile == nullptr) return;
    missile->x = pixelOf(playerX + offsetX);
    missile->y = pixelOf(playerY + missileY);
    missile->active = 1;
}

void fireFanGroup(int32_t group) {
    for (int k = 0; k < fanGroupSize; ++k) fireFanPiece(group * fanGroupSize + k);
}

template <int N>
void parkShots(PlayerShot (&pool)[N]) {
    for (PlayerShot& shot : pool) shot = PlayerShot{weaponParkX, weaponParkY, 0, 0, 0};
}

void tickPodFire(int pod, int32_t& counter) {
    if (shipType != 2) return;
    const int32_t volley = nextVolley(counter, podCadence);
    if (volley != 0) firePodShot(pod, volley);
}

}  // namespace

void tickNarrowTripleFire() {
    const int32_t k = nextVolley(weaponACounter, tripleCadence);
    if (k != 0) fireNarrowTriple(k, ShotBandSize + k, 2 * ShotBandSize + k);
}

void tickWideTripleFire() {
    const int32_t k = nextVolley(weaponCCounter, tripleCadence);
    if (k != 0) fireWideTriple(k, ShotBandSize + k, 2 * ShotBandSize + k);
}

void tickSpreadFire() {
    const int32_t k = nextVolley(weaponBCounter, tripleCadence);
    if (k != 0) {
        fireSpreadShot(k, ShotBandSize + k, 2 * ShotBandSize + k, 3 * ShotBandSize + k, 4 * ShotBandSize + k,
                       5 * ShotBandSize + k);
    }
}

void tickMissileFire() {
    const int32_t k = nextVolley(missileCounter, missileCadence);
    if (k != 0) fireMissileSet(k, MissileGroupSize + k, 2 * MissileGroupSize + k, 3 * MissileGroupSize + k);
}

void tickFanFire() {
    fanCounter += 1;
    const int32_t count = fanCounter;
    if (count % fanStep == 0 && count >= fanStep && count <= fanFirstRunEnd) fireFanGroup(count / fanStep);
    if ((count - fanSecondRunStart) % fanStep == 0 && count >= fanSecondRunStart && count <= fanSecondRunEnd) {
        fireFanGroup((count - fanSecondRunStart) / fanStep);
    }
    if (fanCounter >= fanWrapAt) fanCounter = 0;
}

void tickPod0Fire() { tickPodFire(0, pod0Counter); }
void tickPod1Fire() { tickPodFire(1, pod1Counter); }

void fireNarrowTriple(int a, int b, int c) { fireTriple(narrowTriple, a, b, c); }
void fireWideTriple(int a, int b, int c) { fireTriple(wideTriple, a, b, c); }

void fireSpreadShot(int a, int b, int c, int d, int e, int f) {
    const int records[6] = {a, b, c, d, e, f};
    const int32_t power = powerFactor();
    for (int i = 0; i < 6; ++i) {
        const SpreadShot& shot = spreadShots[i];
        const bool armed = armShot(weaponBShots, WeaponBShotCount, records[i], playerX + shot.offsetX,
                                   playerY + shot.offsetY, shot.stepX * power, shotStepY * power);
        if (i == 0 && armed) {
            weaponBFired = 1;
            playShotSound();
        }
    }
}

void fireMissileSet(int a, int b, int c, int d) {
    if (laserArmed == 1) {
        armMissile(a, missileLeftX);
        armMissile(b, missileRightX);
    }
    armMissile(c, missileLeftX);
    armMissile(d, missileRightX);
}

void fireFanPiece(int k) {
    FanPiece* piece = freeRecord(fanPieces, FanPieceCount, k);
    if (piece == nullptr) return;
    piece->active = 1;
    piece->x = pixelOf(playerX + fanPieceOffset);
    piece->y = pixelOf(playerY + fanPieceOffset);
    piece->speed = fanPieceSpeed;
    // Pieces lie ten degrees apart; the negative speed flies each against
    // its angle.
    const double degrees = (k - 5) * 10 + 90 - 20 + 180;
    piece->angle = static_cast<float>(degrees * std::numbers::pi / 180.0);
}

void firePodShot(int pod, int k) {
    if (pod < 0 || pod > 1 || k < 0 || k >= PodShotsPerPod) return;
    const OptionPod& owner = optionPods[pod];
    armShot(podShots, PodShotCount, pod * PodShotsPerPod + k, owner.x + podShotX, owner.y + podShotY, 0,
            podShotStepY);
}

void resetWeapons() {
    parkShots(weaponAShots);
    parkShots(weaponBShots);
    parkShots(weaponCShots);
    parkShots(podShots);
    for (Missile& missile : missiles) missile = Missile{weaponParkX, weaponParkY, 0.0f, 0};
    for (FanPiece& piece : fanPieces) piece = FanPiece{weaponParkX, weaponParkY, 0, 0, 0.0f};
    for (LaserRecord& record : laserLeft) record = LaserRecord{weaponParkX, weaponParkY, 0};
    for (LaserRecord& record : laserRight) record = LaserRecord{weaponParkX, weaponParkY, 0};
    weaponAFired = weaponBFired = weaponCFired = 0;

    optionPods[0] = OptionPod{parkPosition.x, parkPosition.y, 0.0f};
    optionPods[1] = OptionPod{parkPosition.x, parkPosition.y, static_cast<float>(std::numbers::pi)};

    weaponACounter = weaponBCounter = weaponCCounter = missileCounter = fanCounter = 0;
    pod0Counter = pod1Counter = 0;
}
