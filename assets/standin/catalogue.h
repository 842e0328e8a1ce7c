// The built-in asset set: every file and the painter or maker that produces
// it. The images, their sizes and their painters come from the game's image
// list (assets/image_list.inc).
#pragma once

#include <cstdint>
#include <vector>

#include "assets/standin/canvas.h"

namespace standin {

// What one painter call is asked to draw: the design within the family and
// two family-specific numbers (frame count, damage level, ...).
struct Art {
    int kind = 0;
    int a = 0;
    int b = 0;
};

using ImagePainter = void (*)(Canvas& canvas, const Art& art);
using FileMaker = void (*)(std::vector<uint8_t>& bytes);

struct StandinEntry {
    const char* name;
    int width, height;   // images
    ImagePainter paint;  // images
    Art art;
    FileMaker make;      // sounds and songs
};

// Designs within the families, as the catalogue names them.
enum Palette : int {
    PalRed, PalOrange, PalYellow, PalGreen, PalCyan, PalBlue, PalViolet, PalMagenta, PalWhite, PalPink,
};
Rgb paletteCore(int palette);
Rgb paletteGlow(int palette);

enum BulletShape : int {
    BulletOrb,         // round shot with a light core
    BulletRing,        // hollow ring with a spark inside
    BulletStar,        // four-pointed star, turning over the frames
    BulletDiamond,     // faceted diamond
    BulletNeedle,      // long dart pointing down
    BulletCross,       // plus-shaped spark, turning over the frames
    BulletCometLeft,   // comet heading down and to the left
    BulletCometRight,  // comet heading down and to the right
    BulletArrowLeft,   // arrow head turning left
    BulletArrowRight,  // arrow head turning right
    BulletChain,       // cells of a chain bowed downwards
    BulletPairs,       // cells of paired shots: spare, spare, left, single, right
    BulletMissile,     // round warhead with fins and a hot core
    BulletPulse,       // orb with a pulsing halo and a turning highlight
};

enum ShotShape : int {
    ShotBolt,          // straight up
    ShotBoltLeft,      // up and to the left
    ShotBoltRight,     // up and to the right
    ShotDown,          // straight down
    ShotDownLeft,      // down and to the left (art.a: 1 steep, 2 wide)
    ShotDownRight,     // down and to the right
    ShotFlash,         // muzzle flash (art.a: step of an 8-step flash, 0 still)
    ShotFlashLeft,
    ShotFlashRight,
    ShotWave,          // crescent wave going up (art.a: -1 left, 0 up, 1 right)
    ShotPod,           // small shot of an option pod
    ShotHoming,        // homing missile
};

enum ExplosionStyle : int {
    ExplosionFire,       // fireball
    ExplosionFireSmoke,  // fireball that turns to smoke in its last frames
    ExplosionPlasma,     // blue-white plasma burst
    ExplosionToxic,      // green burst
    ExplosionPuff,       // small burst turning to a puff
    ExplosionHuge,       // large boss blast
    ExplosionViolet,     // violet fan burst
};

enum BackgroundLayer : int {
    LayerGirders,    // 1S: lattice girders along the sides
    LayerPipes,      // 2S: plated pipework along the sides
    LayerClouds,     // 3S: drifting clouds
    LayerRocks,      // 4S: floating rocks
    LayerSpace,      // 5S: stars and nebula
    LayerLava,       // 6S: volcanic ground
    LayerTerrain,    // 8S: land and sea far below
};

enum EnemyDesign : int {
    EnemyDrone,      // SZAK1
    EnemyDart,       // SZAK2
    EnemyTwin,       // SZAK3
    EnemyManta,      // SZAK4
    EnemyGunship,    // SZAK5
    EnemySpinner,    // SZAK6
    EnemyBomber,     // SZAK7
    EnemyCruiser,    // SZAK8
    EnemyEscort,     // SZAK8O
    EnemyCarrier,    // SZAK9
    EnemyBattleship, // SZAK10
};

extern const StandinEntry standinEntries[];
extern const int standinEntryCount;

// Index of the entry named exactly `name`, or -1.
int findStandinEntry(const char* name);
// Produces the file's bytes.
void makeStandinEntry(int index, std::vector<uint8_t>& bytes);
// Whether making the entry needs the rendered texts (and so the font library).
bool standinEntryUsesText(int index);

// ---------------------------------------------------------------------------
// Family painters (one file each under assets/standin/)
// ---------------------------------------------------------------------------
// Effects
void paintCoin(Canvas& canvas, const Art& art);           // kind: 0 gold, 1 silver
void paintPickupBurst(Canvas& canvas, const Art& art);    // a: frames
void paintExplosion(Canvas& canvas, const Art& art);      // kind: style, a: frames
void paintWreckSheet(Canvas& canvas, const Art& art);
void paintShard(Canvas& canvas, const Art& art);          // kind: 0 spark, 1 plate shard
// Player
void paintPlayerSheet(Canvas& canvas, const Art& art);
void paintPlayerShip(Canvas& canvas, const Art& art);     // kind: livery, a: roll step (0 level)
void paintExhaust(Canvas& canvas, const Art& art);
void paintOptionPod(Canvas& canvas, const Art& art);
void paintPlayerShot(Canvas& canvas, const Art& art);     // kind: shot design
void paintFanPiece(Canvas& canvas, const Art& art);       // kind: 0 blade disc, 1 ray
void paintLaser(Canvas& canvas, const Art& art);          // kind: beam style, a: frame 1..
void paintLaserPanel(Canvas& canvas, const Art& art);     // kind: 0 lit, 1 idle
void paintPowerUp(Canvas& canvas, const Art& art);
// Enemies
void paintEnemy(Canvas& canvas, const Art& art);          // kind: design
void paintMidBoss(Canvas& canvas, const Art& art);        // kind: 0 stage 2, 1 stage 3
void paintArmLink(Canvas& canvas, const Art& art);        // kind: mid-boss, a: 0 left 1 right
void paintArmBlade(Canvas& canvas, const Art& art);       // kind: mid-boss, a: 0 left 1 right
void paintFlames(Canvas& canvas, const Art& art);         // kind: 0 orange, 1 blue
// Bosses
void paintBoss(Canvas& canvas, const Art& art);           // kind: boss, a: damage 0..3
void paintBossIntro(Canvas& canvas, const Art& art);      // kind: 0 warning, 1 approach
// Shots of enemies and bosses
void paintBullet(Canvas& canvas, const Art& art);         // kind: design, a: frames
// Backgrounds
void paintBackground(Canvas& canvas, const Art& art);     // kind: layer
void paintBase(Canvas& canvas, const Art& art);
// Screens and texts
void paintTitle(Canvas& canvas, const Art& art);
void paintShipSelect(Canvas& canvas, const Art& art);     // kind: 0 ship, 1 control
void paintContinue(Canvas& canvas, const Art& art);
void paintRanking(Canvas& canvas, const Art& art);
void paintEndingBanner(Canvas& canvas, const Art& art);
void paintEndingPicture(Canvas& canvas, const Art& art);  // kind: 1, 2
void paintMessage(Canvas& canvas, const Art& art);
void paintDigits(Canvas& canvas, const Art& art);         // kind: 0 large, 1 medium
void paintPartsSheet(Canvas& canvas, const Art& art);

// Sounds and songs
void makeShotSound(std::vector<uint8_t>& bytes);
void makeBlastSound(std::vector<uint8_t>& bytes);
void makeStageSong(std::vector<uint8_t>& bytes);
void makeEndingSong(std::vector<uint8_t>& bytes);

}  // namespace standin
