// The ship's five weapons (A to E), the option pods of ship type 2 and the
// laser of ship type 1: their fixed record pools, sequencers and spawners.
#pragma once

#include <cstdint>

// Shots of weapons A, B, C and the pod shots. Records are grouped in bands of
// 26; the band of record i is i / 26 and decides the direction of travel.
struct PlayerShot {
    int32_t x, y;
    int32_t stepX;  // px per frame, sideways
    int32_t stepY;  // px per frame, along the band's direction
    int32_t active;
};
constexpr int ShotBandSize = 26;
constexpr int WeaponAShotCount = 78;
constexpr int WeaponBShotCount = 156;
constexpr int WeaponCShotCount = 78;
constexpr int PodShotCount = 100;  // pod p uses records 50p..50p+49
constexpr int PodShotsPerPod = 50;
extern PlayerShot weaponAShots[WeaponAShotCount];
extern PlayerShot weaponBShots[WeaponBShotCount];
extern PlayerShot weaponCShots[WeaponCShotCount];
extern PlayerShot podShots[PodShotCount];

// Weapon D: four groups of 50 (group g = records 50g..50g+49).
struct Missile {
    int32_t x, y;
    float timer;  // path clock
    int32_t active;
};
constexpr int MissileCount = 200;
constexpr int MissileGroupSize = 50;
extern Missile missiles[MissileCount];

// Weapon E: 80 records, of which 0..39 are fired and drawn.
struct FanPiece {
    int32_t x, y;
    int32_t speed;  // px per frame, -30 when fired
    int32_t active;
    float angle;
};
constexpr int FanPieceCount = 80;
constexpr int FanPiecesUsed = 40;
extern FanPiece fanPieces[FanPieceCount];

struct OptionPod {
    float x, y;
    float angle;
};
extern OptionPod optionPods[2];

// The laser: a left and a right beam table of 16 records each.
struct LaserRecord {
    int32_t x, y;
    int32_t tracking;  // follows the ship once weapon A fires while the laser is armed
};
constexpr int LaserRecordsPerBeam = 16;
extern LaserRecord laserLeft[LaserRecordsPerBeam];
extern LaserRecord laserRight[LaserRecordsPerBeam];
extern int32_t laserFrame;

// Sequencer counters (0 after the reset).
extern int32_t weaponACounter, weaponBCounter, weaponCCounter, missileCounter, fanCounter;
extern int32_t pod0Counter, pod1Counter;

// Fire flags: set by a spawner when its volley leaves the ship, shown as a
// muzzle flash by the next drawPlayerShots, which clears them.
extern int32_t weaponAFired, weaponBFired, weaponCFired;

// Where the weapon records lie while out of play.
constexpr int32_t weaponParkX = -500, weaponParkY = 500;
// Where a shot or fan piece goes when a target stops it.
constexpr int32_t retiredShotPosition = 5000;

// Sequencers, called once a frame per held fire input.
void tickNarrowTripleFire();  // weapon A
void tickSpreadFire();        // weapon B
void tickWideTripleFire();    // weapon C
void tickMissileFire();       // weapon D
void tickFanFire();           // weapon E
void tickPod0Fire();
void tickPod1Fire();

// Spawners.
void fireNarrowTriple(int a, int b, int c);
void fireWideTriple(int a, int b, int c);
void fireSpreadShot(int a, int b, int c, int d, int e, int f);
void fireMissileSet(int a, int b, int c, int d);
void fireFanPiece(int k);
void firePodShot(int pod, int k);

void drawPlayerShots();
void drawOptionPods();
void runLaser();
void drawFanPieces();
void stepFanPieces();

// Every weapon record parked and freed, the counters at 0, the pods at their
// starting angles (part of the play-state reset).
void resetWeapons();
