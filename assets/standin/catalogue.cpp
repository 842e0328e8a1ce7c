#include "assets/standin/catalogue.h"

#include <cstring>

#include "assets/standin/formats.h"

namespace standin {

// Every image in load order (the duplicate load is listed once), then the
// sounds and the songs. Sizes the game relies on are fixed; the others are
// this set's own choice.
const StandinEntry standinEntries[] = {
    // Coins, bursts and explosions
    {"IMAGE/COIN1.BMP", 30, 30, paintCoin, {0, 0, 0}, nullptr},
    {"IMAGE/COIN2.BMP", 30, 30, paintCoin, {1, 0, 0}, nullptr},
    {"IMAGE/COINBK1.BMP", 800, 80, paintPickupBurst, {0, 0, 0}, nullptr},
    {"IMAGE/ZBAK1B.BMP", 600, 60, paintExplosion, {ExplosionFire, 0, 0}, nullptr},
    {"IMAGE/ZBAK2B.BMP", 720, 80, paintExplosion, {ExplosionFire, 1, 0}, nullptr},
    {"IMAGE/ZBAK3B.BMP", 800, 80, paintExplosion, {ExplosionFireSmoke, 0, 0}, nullptr},
    {"IMAGE/ZBAK4B.BMP", 640, 64, paintExplosion, {ExplosionPlasma, 0, 0}, nullptr},
    {"IMAGE/ZBAK5B.BMP", 480, 48, paintExplosion, {ExplosionToxic, 0, 0}, nullptr},
    {"IMAGE/ZBAK6B.BMP", 360, 40, paintExplosion, {ExplosionPuff, 0, 0}, nullptr},
    {"IMAGE/BBAK1B.BMP", 640, 160, paintExplosion, {ExplosionHuge, 0, 0}, nullptr},
    {"IMAGE/HOMINGL1.BMP", 16, 32, paintPlayerShot, {ShotHoming, 0, PalOrange}, nullptr},
    // Laser: compact beam frames, the beam frames the laser draws, thin beam frames
    {"IMAGE/MYRCL51.BMP", 30, 70, paintLaser, {1, 1, 0}, nullptr},
    {"IMAGE/MYRCL52.BMP", 30, 70, paintLaser, {1, 2, 0}, nullptr},
    {"IMAGE/MYRCL53.BMP", 30, 70, paintLaser, {1, 3, 0}, nullptr},
    {"IMAGE/MYRCL54.BMP", 30, 70, paintLaser, {1, 4, 0}, nullptr},
    {"IMAGE/MYRCL55.BMP", 30, 70, paintLaser, {1, 5, 0}, nullptr},
    {"IMAGE/MYRCL56.BMP", 30, 70, paintLaser, {1, 6, 0}, nullptr},
    {"IMAGE/MYRCL57.BMP", 30, 70, paintLaser, {1, 7, 0}, nullptr},
    {"IMAGE/MYRCL58.BMP", 30, 70, paintLaser, {1, 8, 0}, nullptr},
    {"IMAGE/MYRCL59.BMP", 30, 70, paintLaser, {1, 9, 0}, nullptr},
    {"IMAGE/MYRCL60.BMP", 30, 70, paintLaser, {1, 10, 0}, nullptr},
    {"IMAGE/MYRCL61.BMP", 30, 70, paintLaser, {1, 11, 0}, nullptr},
    {"IMAGE/MYRCL62.BMP", 30, 70, paintLaser, {1, 12, 0}, nullptr},
    {"IMAGE/MYRCL63.BMP", 30, 70, paintLaser, {1, 13, 0}, nullptr},
    {"IMAGE/MYRCL64.BMP", 30, 70, paintLaser, {1, 14, 0}, nullptr},
    {"IMAGE/MYRCL65.BMP", 30, 70, paintLaser, {1, 15, 0}, nullptr},
    {"IMAGE/MYRCL66.BMP", 30, 70, paintLaser, {1, 16, 0}, nullptr},
    {"IMAGE/MYRCL51G.BMP", 240, 280, paintLaser, {0, 1, 0}, nullptr},
    {"IMAGE/MYRCL52G.BMP", 240, 280, paintLaser, {0, 2, 0}, nullptr},
    {"IMAGE/MYRCL53G.BMP", 240, 280, paintLaser, {0, 3, 0}, nullptr},
    {"IMAGE/MYRCL54G.BMP", 240, 280, paintLaser, {0, 4, 0}, nullptr},
    {"IMAGE/MYRCL55G.BMP", 240, 280, paintLaser, {0, 5, 0}, nullptr},
    {"IMAGE/MYRCL56G.BMP", 240, 280, paintLaser, {0, 6, 0}, nullptr},
    {"IMAGE/MYRCL57G.BMP", 240, 280, paintLaser, {0, 7, 0}, nullptr},
    {"IMAGE/MYRCL58G.BMP", 240, 280, paintLaser, {0, 8, 0}, nullptr},
    {"IMAGE/MYRCL59G.BMP", 240, 280, paintLaser, {0, 9, 0}, nullptr},
    {"IMAGE/MYRCL60G.BMP", 240, 280, paintLaser, {0, 10, 0}, nullptr},
    {"IMAGE/MYRCL61G.BMP", 240, 280, paintLaser, {0, 11, 0}, nullptr},
    {"IMAGE/MYRCL62G.BMP", 240, 280, paintLaser, {0, 12, 0}, nullptr},
    {"IMAGE/MYRCL63G.BMP", 240, 280, paintLaser, {0, 13, 0}, nullptr},
    {"IMAGE/MYRCL64G.BMP", 240, 280, paintLaser, {0, 14, 0}, nullptr},
    {"IMAGE/MYRCL65G.BMP", 240, 280, paintLaser, {0, 15, 0}, nullptr},
    {"IMAGE/MYRCL66G.BMP", 240, 280, paintLaser, {0, 16, 0}, nullptr},
    {"IMAGE/MYRCL51TH.BMP", 12, 70, paintLaser, {2, 1, 0}, nullptr},
    {"IMAGE/MYRCL52TH.BMP", 12, 70, paintLaser, {2, 2, 0}, nullptr},
    {"IMAGE/MYRCL53TH.BMP", 12, 70, paintLaser, {2, 3, 0}, nullptr},
    {"IMAGE/MYRCL54TH.BMP", 12, 70, paintLaser, {2, 4, 0}, nullptr},
    {"IMAGE/MYRCL55TH.BMP", 12, 70, paintLaser, {2, 5, 0}, nullptr},
    {"IMAGE/MYRCL56TH.BMP", 12, 70, paintLaser, {2, 6, 0}, nullptr},
    {"IMAGE/MYRCL57TH.BMP", 12, 70, paintLaser, {2, 7, 0}, nullptr},
    {"IMAGE/MYRCL58TH.BMP", 12, 70, paintLaser, {2, 8, 0}, nullptr},
    {"IMAGE/MYRCL59TH.BMP", 12, 70, paintLaser, {2, 9, 0}, nullptr},
    {"IMAGE/MYRCL60TH.BMP", 12, 70, paintLaser, {2, 10, 0}, nullptr},
    {"IMAGE/MYRCL61TH.BMP", 12, 70, paintLaser, {2, 11, 0}, nullptr},
    {"IMAGE/MYRCL62TH.BMP", 12, 70, paintLaser, {2, 12, 0}, nullptr},
    {"IMAGE/MYRCL63TH.BMP", 12, 70, paintLaser, {2, 13, 0}, nullptr},
    {"IMAGE/MYRCL64TH.BMP", 12, 70, paintLaser, {2, 14, 0}, nullptr},
    {"IMAGE/MYRCL65TH.BMP", 12, 70, paintLaser, {2, 15, 0}, nullptr},
    {"IMAGE/MYRCL66TH.BMP", 12, 70, paintLaser, {2, 16, 0}, nullptr},
    {"IMAGE/MYRCL67TH.BMP", 12, 70, paintLaser, {2, 17, 0}, nullptr},
    {"IMAGE/MYRCL68TH.BMP", 12, 70, paintLaser, {2, 18, 0}, nullptr},
    {"IMAGE/MYRCL69TH.BMP", 12, 70, paintLaser, {2, 19, 0}, nullptr},
    {"IMAGE/MYRCL70TH.BMP", 12, 70, paintLaser, {2, 20, 0}, nullptr},
    {"IMAGE/MYRCL71TH.BMP", 12, 70, paintLaser, {2, 21, 0}, nullptr},
    {"IMAGE/GFBAK1.BMP", 480, 120, paintWreckSheet, {0, 0, 0}, nullptr},
    // Player ship: a roll in twenty steps, the sheet, pods, exhaust
    {"IMAGE/MYME1L1.BMP", 60, 70, paintPlayerShip, {0, 1, 0}, nullptr},
    {"IMAGE/MYME1L2.BMP", 60, 70, paintPlayerShip, {0, 2, 0}, nullptr},
    {"IMAGE/MYME1L3.BMP", 60, 70, paintPlayerShip, {0, 3, 0}, nullptr},
    {"IMAGE/MYME1L4.BMP", 60, 70, paintPlayerShip, {0, 4, 0}, nullptr},
    {"IMAGE/MYME1L5.BMP", 60, 70, paintPlayerShip, {0, 5, 0}, nullptr},
    {"IMAGE/MYME1L6.BMP", 60, 70, paintPlayerShip, {0, 6, 0}, nullptr},
    {"IMAGE/MYME1L7.BMP", 60, 70, paintPlayerShip, {0, 7, 0}, nullptr},
    {"IMAGE/MYME1L8.BMP", 60, 70, paintPlayerShip, {0, 8, 0}, nullptr},
    {"IMAGE/MYME1L9.BMP", 60, 70, paintPlayerShip, {0, 9, 0}, nullptr},
    {"IMAGE/MYME1L10.BMP", 60, 70, paintPlayerShip, {0, 10, 0}, nullptr},
    {"IMAGE/MYME1L11.BMP", 60, 70, paintPlayerShip, {0, 11, 0}, nullptr},
    {"IMAGE/MYME1L12.BMP", 60, 70, paintPlayerShip, {0, 12, 0}, nullptr},
    {"IMAGE/MYME1L13.BMP", 60, 70, paintPlayerShip, {0, 13, 0}, nullptr},
    {"IMAGE/MYME1L14.BMP", 60, 70, paintPlayerShip, {0, 14, 0}, nullptr},
    {"IMAGE/MYME1L15.BMP", 60, 70, paintPlayerShip, {0, 15, 0}, nullptr},
    {"IMAGE/MYME1L16.BMP", 60, 70, paintPlayerShip, {0, 16, 0}, nullptr},
    {"IMAGE/MYME1L17.BMP", 60, 70, paintPlayerShip, {0, 17, 0}, nullptr},
    {"IMAGE/MYME1L18.BMP", 60, 70, paintPlayerShip, {0, 18, 0}, nullptr},
    {"IMAGE/MYME1L19.BMP", 60, 70, paintPlayerShip, {0, 19, 0}, nullptr},
    {"IMAGE/MYME1L20.BMP", 60, 70, paintPlayerShip, {0, 20, 0}, nullptr},
    {"IMAGE/MYME1.BMP", 240, 70, paintPlayerSheet, {0, 0, 0}, nullptr},
    {"IMAGE/MYME1OP1.BMP", 60, 60, paintOptionPod, {0, 0, 0}, nullptr},
    {"IMAGE/MYME1OP1ST1.BMP", 16, 24, paintPlayerShot, {ShotPod, 0, PalCyan}, nullptr},
    {"IMAGE/MYME1F1.BMP", 180, 80, paintExhaust, {0, 0, 0}, nullptr},
    {"IMAGE/FRAY1.BMP", 48, 48, paintFanPiece, {1, 0, 0}, nullptr},
    {"IMAGE/FBOM1.BMP", 80, 80, paintFanPiece, {0, 0, 0}, nullptr},
    // Digits and panels
    {"IMAGE/MYMY.BMP", 224, 80, paintPartsSheet, {0, 0, 0}, nullptr},
    {"IMAGE/MYGOODN.BMP", 300, 100, paintEndingBanner, {0, 0, 0}, nullptr},
    {"IMAGE/SUJI09.BMP", 160, 20, paintDigits, {1, 0, 0}, nullptr},
    {"IMAGE/SUJI09_2.BMP", 200, 25, paintDigits, {0, 0, 0}, nullptr},
    {"IMAGE/RANKING1.BMP", 400, 100, paintRanking, {0, 0, 0}, nullptr},
    {"IMAGE/HAHEN.BMP", 24, 24, paintShard, {1, 0, 0}, nullptr},
    {"IMAGE/HAHEN2.BMP", 14, 14, paintShard, {0, 0, 0}, nullptr},
    // Player shots and muzzle flashes
    {"IMAGE/SFLHV1.BMP", 36, 28, paintPlayerShot, {ShotFlash, 0, PalBlue}, nullptr},
    {"IMAGE/SFLHV2.BMP", 36, 28, paintPlayerShot, {ShotFlash, 0, PalGreen}, nullptr},
    {"IMAGE/SFLH1.BMP", 32, 32, paintPlayerShot, {ShotFlash, 1, PalPink}, nullptr},
    {"IMAGE/MYME1B.BMP", 60, 70, paintPlayerShip, {1, 0, 0}, nullptr},
    {"IMAGE/SFLH2.BMP", 32, 32, paintPlayerShot, {ShotFlash, 2, PalPink}, nullptr},
    {"IMAGE/SFLH3.BMP", 32, 32, paintPlayerShot, {ShotFlash, 3, PalPink}, nullptr},
    {"IMAGE/SFLH4.BMP", 32, 32, paintPlayerShot, {ShotFlash, 4, PalPink}, nullptr},
    {"IMAGE/SFLH5.BMP", 32, 32, paintPlayerShot, {ShotFlash, 5, PalPink}, nullptr},
    {"IMAGE/SFLH6.BMP", 32, 32, paintPlayerShot, {ShotFlash, 6, PalPink}, nullptr},
    {"IMAGE/SFLH7.BMP", 32, 32, paintPlayerShot, {ShotFlash, 7, PalPink}, nullptr},
    {"IMAGE/SFLH8.BMP", 32, 32, paintPlayerShot, {ShotFlash, 8, PalPink}, nullptr},
    {"IMAGE/SFLH11.BMP", 32, 32, paintPlayerShot, {ShotFlashLeft, 0, PalPink}, nullptr},
    {"IMAGE/SFLH22.BMP", 32, 32, paintPlayerShot, {ShotFlash, 0, PalPink}, nullptr},
    {"IMAGE/SFLH33.BMP", 32, 32, paintPlayerShot, {ShotFlashRight, 0, PalPink}, nullptr},
    {"IMAGE/FLHST12.BMP", 16, 24, paintPlayerShot, {ShotDownLeft, 1, PalPink}, nullptr},
    {"IMAGE/FLHST11.BMP", 16, 24, paintPlayerShot, {ShotDownLeft, 2, PalPink}, nullptr},
    {"IMAGE/FLHST2.BMP", 16, 24, paintPlayerShot, {ShotDown, 0, PalPink}, nullptr},
    {"IMAGE/FLHST22.BMP", 16, 24, paintPlayerShot, {ShotDownRight, 1, PalPink}, nullptr},
    {"IMAGE/FLHST3.BMP", 12, 28, paintPlayerShot, {ShotBolt, 0, PalPink}, nullptr},
    {"IMAGE/FLHST33.BMP", 16, 24, paintPlayerShot, {ShotDownRight, 2, PalPink}, nullptr},
    {"IMAGE/FLW1_3.BMP", 32, 24, paintPlayerShot, {ShotWave, -1, PalGreen}, nullptr},
    {"IMAGE/FLW2_1.BMP", 32, 24, paintPlayerShot, {ShotWave, 0, PalGreen}, nullptr},
    {"IMAGE/FLW3_2.BMP", 32, 24, paintPlayerShot, {ShotWave, 1, PalGreen}, nullptr},
    {"IMAGE/FLW11.BMP", 24, 20, paintPlayerShot, {ShotWave, -1, PalGreen}, nullptr},
    {"IMAGE/FLW22.BMP", 24, 20, paintPlayerShot, {ShotWave, 0, PalGreen}, nullptr},
    {"IMAGE/FLW33.BMP", 24, 20, paintPlayerShot, {ShotWave, 1, PalGreen}, nullptr},
    {"IMAGE/RAY1.BMP", 10, 30, paintPlayerShot, {ShotBolt, 0, PalBlue}, nullptr},
    {"IMAGE/RAY2.BMP", 12, 40, paintPlayerShot, {ShotBolt, 1, PalBlue}, nullptr},
    {"IMAGE/RAY11.BMP", 18, 30, paintPlayerShot, {ShotBoltLeft, 0, PalBlue}, nullptr},
    {"IMAGE/RAY22.BMP", 18, 30, paintPlayerShot, {ShotBoltRight, 0, PalBlue}, nullptr},
    {"IMAGE/RAY3.BMP", 10, 30, paintPlayerShot, {ShotBolt, 0, PalCyan}, nullptr},
    // Curving missiles of the stage-3 boss
    {"IMAGE/RAY4.BMP", 30, 30, paintBullet, {BulletMissile, 1, PalOrange}, nullptr},
    {"IMAGE/RAY5.BMP", 40, 40, paintBullet, {BulletMissile, 1, PalOrange}, nullptr},
    {"IMAGE/RAY6.BMP", 50, 50, paintBullet, {BulletMissile, 1, PalRed}, nullptr},
    {"IMAGE/RAY7.BMP", 8, 48, paintPlayerShot, {ShotBolt, 2, PalBlue}, nullptr},
    {"IMAGE/RAY8.BMP", 8, 48, paintPlayerShot, {ShotBolt, 2, PalGreen}, nullptr},
    {"IMAGE/RAY10.BMP", 8, 48, paintPlayerShot, {ShotBolt, 2, PalPink}, nullptr},
    {"IMAGE/SPOWER1.BMP", 60, 60, paintPowerUp, {0, 0, 0}, nullptr},
    {"IMAGE/FBAK1.BMP", 512, 64, paintExplosion, {ExplosionViolet, 0, 0}, nullptr},
    // Enemies, mid-bosses and their arms
    {"IMAGE/ZAKU/SZAK1.BMP", 60, 60, paintEnemy, {EnemyDrone, 0, 0}, nullptr},
    {"IMAGE/ZAKU/SZAK2.BMP", 70, 80, paintEnemy, {EnemyDart, 0, 0}, nullptr},
    {"IMAGE/ZAKU/SZAK3.BMP", 80, 80, paintEnemy, {EnemyTwin, 0, 0}, nullptr},
    {"IMAGE/ZAKU/SZAK4.BMP", 80, 80, paintEnemy, {EnemyManta, 0, 0}, nullptr},
    {"IMAGE/ZAKU/SZAK5.BMP", 80, 80, paintEnemy, {EnemyGunship, 0, 0}, nullptr},
    {"IMAGE/ZAKU/SZAK6.BMP", 80, 80, paintEnemy, {EnemySpinner, 0, 0}, nullptr},
    {"IMAGE/ZAKU/SZAK7.BMP", 240, 300, paintEnemy, {EnemyBomber, 0, 0}, nullptr},
    {"IMAGE/ZAKU/SZAK8.BMP", 240, 300, paintEnemy, {EnemyCruiser, 0, 0}, nullptr},
    {"IMAGE/ZAKU/SZAK8O.BMP", 120, 120, paintEnemy, {EnemyEscort, 0, 0}, nullptr},
    {"IMAGE/ZAKU/SZAK9.BMP", 240, 300, paintEnemy, {EnemyCarrier, 0, 0}, nullptr},
    {"IMAGE/ZAKU/SZAK10.BMP", 240, 440, paintEnemy, {EnemyBattleship, 0, 0}, nullptr},
    {"IMAGE/ZAKU/SZAK11_0.BMP", 160, 360, paintMidBoss, {1, 0, 0}, nullptr},
    {"IMAGE/ZAKU/SZAK11_1.BMP", 14, 46, paintArmLink, {1, 0, 0}, nullptr},
    {"IMAGE/ZAKU/SZAK11_2.BMP", 14, 46, paintArmLink, {1, 1, 0}, nullptr},
    {"IMAGE/ZAKU/SZAK11_3.BMP", 60, 360, paintArmBlade, {1, 0, 0}, nullptr},
    {"IMAGE/ZAKU/SZAK11_4.BMP", 60, 360, paintArmBlade, {1, 1, 0}, nullptr},
    {"IMAGE/ZAKU/SZAK12_0.BMP", 160, 360, paintMidBoss, {0, 0, 0}, nullptr},
    {"IMAGE/ZAKU/SZAK12_1.BMP", 14, 46, paintArmLink, {0, 0, 0}, nullptr},
    {"IMAGE/ZAKU/SZAK12_2.BMP", 14, 46, paintArmLink, {0, 1, 0}, nullptr},
    {"IMAGE/ZAKU/SZAK12_3.BMP", 60, 360, paintArmBlade, {0, 0, 0}, nullptr},
    {"IMAGE/ZAKU/SZAK12_4.BMP", 60, 360, paintArmBlade, {0, 1, 0}, nullptr},
    // Salvo shots, laser panels
    {"IMAGE/VAL11.BMP", 16, 16, paintBullet, {BulletOrb, 1, PalYellow}, nullptr},
    {"IMAGE/VAL12.BMP", 16, 16, paintBullet, {BulletOrb, 1, PalBlue}, nullptr},
    {"IMAGE/VAL13.BMP", 16, 16, paintBullet, {BulletDiamond, 1, PalGreen}, nullptr},
    {"IMAGE/VAL1.BMP", 256, 16, paintBullet, {BulletCross, 16, PalYellow}, nullptr},
    {"IMAGE/VAL2.BMP", 16, 16, paintBullet, {BulletCross, 1, PalCyan}, nullptr},
    {"IMAGE/VAL3.BMP", 24, 24, paintBullet, {BulletRing, 1, PalOrange}, nullptr},
    {"IMAGE/RPANEL3R.BMP", 60, 50, paintLaserPanel, {0, 0, 0}, nullptr},
    {"IMAGE/RPANEL2R.BMP", 60, 50, paintLaserPanel, {1, 0, 0}, nullptr},
    // Bosses: full health and three damage pictures each; spare craft; intro pictures
    {"IMAGE/BOSS/BOSS11.BMP", 440, 360, paintBoss, {0, 0, 0}, nullptr},
    {"IMAGE/BOSS/BOSS11_1.BMP", 220, 180, paintBoss, {0, 1, 0}, nullptr},
    {"IMAGE/BOSS/BOSS11_2.BMP", 220, 180, paintBoss, {0, 2, 0}, nullptr},
    {"IMAGE/BOSS/BOSS11_3.BMP", 220, 180, paintBoss, {0, 3, 0}, nullptr},
    {"IMAGE/BOSS/BOSS31.BMP", 160, 120, paintBoss, {3, 0, 0}, nullptr},
    {"IMAGE/BOSS/BOSS41.BMP", 440, 380, paintBoss, {2, 0, 0}, nullptr},
    {"IMAGE/BOSS/BOSS41_1.BMP", 440, 380, paintBoss, {2, 1, 0}, nullptr},
    {"IMAGE/BOSS/BOSS41_2.BMP", 440, 380, paintBoss, {2, 2, 0}, nullptr},
    {"IMAGE/BOSS/BOSS41_3.BMP", 440, 380, paintBoss, {2, 3, 0}, nullptr},
    {"IMAGE/BOSS/BOSS51.BMP", 160, 120, paintBoss, {4, 0, 0}, nullptr},
    {"IMAGE/BOSS/BOSS71.BMP", 500, 400, paintBoss, {1, 0, 0}, nullptr},
    {"IMAGE/BOSS/BOSS71_1.BMP", 500, 400, paintBoss, {1, 1, 0}, nullptr},
    {"IMAGE/BOSS/BOSS71_2.BMP", 500, 400, paintBoss, {1, 2, 0}, nullptr},
    {"IMAGE/BOSS/BOSS71_3.BMP", 500, 400, paintBoss, {1, 3, 0}, nullptr},
    {"IMAGE/BOSS/BOS111.BMP", 480, 480, paintBossIntro, {0, 0, 0}, nullptr},
    {"IMAGE/BOSS/BOS511.BMP", 360, 240, paintBossIntro, {1, 0, 0}, nullptr},
    // Shots of enemies and bosses
    {"IMAGE/VAL16241.BMP", 384, 16, paintBullet, {BulletStar, 24, PalPink}, nullptr},
    {"IMAGE/VAL20241.BMP", 480, 20, paintBullet, {BulletPulse, 24, PalOrange}, nullptr},
    {"IMAGE/VALL20.BMP", 20, 20, paintBullet, {BulletOrb, 1, PalCyan}, nullptr},
    {"IMAGE/VAL201.BMP", 20, 20, paintBullet, {BulletRing, 1, PalYellow}, nullptr},
    {"IMAGE/VAL401.BMP", 40, 40, paintBullet, {BulletPulse, 1, PalBlue}, nullptr},
    {"IMAGE/VAL402.BMP", 200, 40, paintBullet, {BulletChain, 5, PalYellow}, nullptr},
    {"IMAGE/VAL404.BMP", 280, 40, paintBullet, {BulletChain, 7, PalBlue}, nullptr},
    {"IMAGE/VAL405.BMP", 200, 40, paintBullet, {BulletPairs, 5, PalGreen}, nullptr},
    {"IMAGE/VAL40L.BMP", 39, 39, paintBullet, {BulletPulse, 1, PalRed}, nullptr},
    {"IMAGE/VAL40L1.BMP", 39, 39, paintBullet, {BulletPulse, 1, PalViolet}, nullptr},
    {"IMAGE/VAL40L2.BMP", 39, 39, paintBullet, {BulletPulse, 1, PalGreen}, nullptr},
    {"IMAGE/ZAL20.BMP", 20, 20, paintBullet, {BulletStar, 1, PalWhite}, nullptr},
    {"IMAGE/VAL15L.BMP", 15, 15, paintBullet, {BulletOrb, 1, PalRed}, nullptr},
    {"IMAGE/VAL151L.BMP", 15, 15, paintBullet, {BulletOrb, 1, PalMagenta}, nullptr},
    {"IMAGE/VAL30L.BMP", 30, 30, paintBullet, {BulletRing, 1, PalCyan}, nullptr},
    {"IMAGE/VAL20.BMP", 20, 20, paintBullet, {BulletOrb, 1, PalOrange}, nullptr},
    {"IMAGE/VALARM11.BMP", 24, 24, paintBullet, {BulletOrb, 1, PalRed}, nullptr},
    {"IMAGE/VALARM12.BMP", 24, 24, paintBullet, {BulletOrb, 1, PalOrange}, nullptr},
    {"IMAGE/VALARM31.BMP", 24, 24, paintBullet, {BulletDiamond, 1, PalYellow}, nullptr},
    {"IMAGE/VALARM32.BMP", 24, 24, paintBullet, {BulletDiamond, 1, PalGreen}, nullptr},
    {"IMAGE/VALARM33.BMP", 24, 24, paintBullet, {BulletDiamond, 1, PalCyan}, nullptr},
    {"IMAGE/VALARM34.BMP", 24, 24, paintBullet, {BulletDiamond, 1, PalBlue}, nullptr},
    {"IMAGE/VALARM51.BMP", 24, 24, paintBullet, {BulletRing, 1, PalViolet}, nullptr},
    {"IMAGE/VALARM70.BMP", 24, 24, paintBullet, {BulletStar, 1, PalMagenta}, nullptr},
    {"IMAGE/VALARM7.BMP", 24, 24, paintBullet, {BulletStar, 1, PalPink}, nullptr},
    {"IMAGE/VALARM71.BMP", 24, 24, paintBullet, {BulletNeedle, 1, PalRed}, nullptr},
    {"IMAGE/VALARM72.BMP", 24, 24, paintBullet, {BulletNeedle, 1, PalOrange}, nullptr},
    {"IMAGE/VALARM73.BMP", 24, 24, paintBullet, {BulletNeedle, 1, PalYellow}, nullptr},
    {"IMAGE/VALARM74.BMP", 24, 24, paintBullet, {BulletNeedle, 1, PalGreen}, nullptr},
    {"IMAGE/VALARM75.BMP", 24, 24, paintBullet, {BulletNeedle, 1, PalCyan}, nullptr},
    {"IMAGE/VAL20w.BMP", 20, 20, paintBullet, {BulletRing, 1, PalWhite}, nullptr},
    {"IMAGE/VAL21w.BMP", 20, 20, paintBullet, {BulletCross, 1, PalWhite}, nullptr},
    {"IMAGE/VAL30w.BMP", 30, 30, paintBullet, {BulletPulse, 1, PalWhite}, nullptr},
    {"IMAGE/VALL301.BMP", 30, 30, paintBullet, {BulletDiamond, 1, PalMagenta}, nullptr},
    {"IMAGE/VALL3011.BMP", 30, 30, paintBullet, {BulletNeedle, 1, PalViolet}, nullptr},
    {"IMAGE/VALL3013.BMP", 30, 30, paintBullet, {BulletDiamond, 1, PalRed}, nullptr},
    {"IMAGE/VALL3014.BMP", 30, 30, paintBullet, {BulletDiamond, 1, PalOrange}, nullptr},
    {"IMAGE/VALL3015.BMP", 30, 30, paintBullet, {BulletArrowLeft, 1, PalRed}, nullptr},
    {"IMAGE/VALL3016.BMP", 30, 30, paintBullet, {BulletArrowRight, 1, PalRed}, nullptr},
    {"IMAGE/VAL3015A.BMP", 30, 30, paintBullet, {BulletArrowLeft, 1, PalCyan}, nullptr},
    {"IMAGE/VAL3016A.BMP", 30, 30, paintBullet, {BulletArrowRight, 1, PalYellow}, nullptr},
    {"IMAGE/VALL3017.BMP", 30, 30, paintBullet, {BulletCometLeft, 1, PalRed}, nullptr},
    {"IMAGE/VALL3018.BMP", 30, 30, paintBullet, {BulletCometRight, 1, PalRed}, nullptr},
    {"IMAGE/VAL3017A.BMP", 30, 30, paintBullet, {BulletCometLeft, 1, PalCyan}, nullptr},
    {"IMAGE/VAL3018A.BMP", 30, 30, paintBullet, {BulletCometRight, 1, PalYellow}, nullptr},
    {"IMAGE/VALL302.BMP", 30, 30, paintBullet, {BulletRing, 1, PalOrange}, nullptr},
    {"IMAGE/VALL3019.BMP", 30, 30, paintBullet, {BulletRing, 1, PalGreen}, nullptr},
    {"IMAGE/VALL3020.BMP", 30, 30, paintBullet, {BulletRing, 1, PalBlue}, nullptr},
    {"IMAGE/MESO1.BMP", 200, 50, paintMessage, {0, 0, 0}, nullptr},
    {"IMAGE/ZFIRE1.BMP", 400, 70, paintFlames, {0, 0, 0}, nullptr},
    {"IMAGE/ZFIRE2.BMP", 400, 70, paintFlames, {1, 0, 0}, nullptr},
    // Backgrounds
    {"IMAGE/BACK/Kiti01.BMP", 360, 360, paintBase, {0, 0, 0}, nullptr},
    {"IMAGE/BACK/BBACK1S.BMP", 360, 480, paintBackground, {LayerGirders, 0, 0}, nullptr},
    {"IMAGE/BACK/BBACK2S.BMP", 360, 480, paintBackground, {LayerPipes, 0, 0}, nullptr},
    {"IMAGE/BACK/BBACK3S.BMP", 360, 480, paintBackground, {LayerClouds, 0, 0}, nullptr},
    {"IMAGE/BACK/BBACK4S.BMP", 360, 480, paintBackground, {LayerRocks, 0, 0}, nullptr},
    {"IMAGE/BACK/BBACK5S.BMP", 360, 480, paintBackground, {LayerSpace, 0, 0}, nullptr},
    {"IMAGE/BACK/BBACK6S.BMP", 360, 480, paintBackground, {LayerLava, 0, 0}, nullptr},
    {"IMAGE/BACK/BBACK8S.BMP", 360, 480, paintBackground, {LayerTerrain, 0, 0}, nullptr},
    // Screens
    {"IMAGE/TITLEC.BMP", 360, 480, paintTitle, {0, 0, 0}, nullptr},
    {"IMAGE/LRCG1.BMP", 360, 480, paintEndingPicture, {1, 0, 0}, nullptr},
    {"IMAGE/LRCG2.BMP", 360, 480, paintEndingPicture, {2, 0, 0}, nullptr},
    {"IMAGE/LEVEL0.BMP", 360, 480, paintShipSelect, {0, 0, 0}, nullptr},
    {"IMAGE/LEVEL1.BMP", 360, 480, paintShipSelect, {1, 0, 0}, nullptr},
    {"IMAGE/CONTINU1.BMP", 200, 100, paintContinue, {0, 0, 0}, nullptr},
    // Sounds and songs
    {"SOUND/SHOT.WAV", 0, 0, nullptr, {}, makeShotSound},
    {"SOUND/BOM.WAV", 0, 0, nullptr, {}, makeBlastSound},
    {"MIDI/QTX1.MID", 0, 0, nullptr, {}, makeStageSong},
    {"MIDI/QTX4.MID", 0, 0, nullptr, {}, makeEndingSong},
};
const int standinEntryCount = static_cast<int>(sizeof standinEntries / sizeof standinEntries[0]);

Rgb paletteCore(int palette) {
    static const Rgb cores[] = {rgb(255, 220, 200), rgb(255, 240, 190), rgb(255, 255, 210), rgb(220, 255, 210),
                                rgb(210, 255, 255), rgb(215, 230, 255), rgb(240, 215, 255), rgb(255, 210, 245),
                                rgb(255, 255, 255), rgb(255, 225, 240)};
    return cores[palette >= 0 && palette <= PalPink ? palette : 0];
}

Rgb paletteGlow(int palette) {
    static const Rgb glows[] = {rgb(240, 40, 30),  rgb(255, 130, 20), rgb(250, 220, 40), rgb(60, 230, 70),
                                rgb(40, 210, 240), rgb(60, 110, 255), rgb(160, 70, 255), rgb(240, 50, 200),
                                rgb(200, 210, 230), rgb(255, 100, 170)};
    return glows[palette >= 0 && palette <= PalPink ? palette : 0];
}

int findStandinEntry(const char* name) {
    if (name == nullptr) return -1;
    for (int i = 0; i < standinEntryCount; ++i)
        if (std::strcmp(standinEntries[i].name, name) == 0) return i;
    return -1;
}

bool standinEntryUsesText(int index) {
    if (index < 0 || index >= standinEntryCount) return false;
    static const ImagePainter withText[] = {paintTitle,         paintShipSelect, paintContinue,  paintRanking,
                                            paintEndingBanner,  paintEndingPicture, paintMessage, paintDigits,
                                            paintPartsSheet,    paintPowerUp,    paintBossIntro};
    for (ImagePainter painter : withText)
        if (standinEntries[index].paint == painter) return true;
    return false;
}

void makeStandinEntry(int index, std::vector<uint8_t>& bytes) {
    bytes.clear();
    if (index < 0 || index >= standinEntryCount) return;
    const StandinEntry& entry = standinEntries[index];
    if (entry.make != nullptr) {
        entry.make(bytes);
        return;
    }
    Canvas canvas(entry.width, entry.height);
    entry.paint(canvas, entry.art);
    encodeBmp(canvas, bytes);
}

}  // namespace standin
