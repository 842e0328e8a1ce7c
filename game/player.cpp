// The player's ship: keys and mouse, movement, the hit state with its
// respawn guard, and the falling power-up.
#include "game/player.h"

#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "engine/variant.h"
#include "game/enemy_slots.h"
#include "game/game_flags.h"
#include "game/play_state.h"
#include "game/shots/shot_records.h"
#include "game/weapons.h"

float playerX, playerY;
float playerVX, playerVY;
int32_t playerAlive;
int32_t respawnGuard;
int32_t respawnGuardFrames;
int32_t lives;
int32_t exhaustFrame;
int32_t laserArmed, shotPower;

int32_t keyStateLeft, keyStateRight, keyStateUp, keyStateDown;
int32_t keyStateC, keyStateV, keyStateB, keyStateN, keyStateM;
int32_t keyStateShift, keyStateCtrl;

WreckFragment wreckFragments[WreckFragmentCount];
PowerUpItem powerUpItem;

namespace {

// Ship sprite and exhaust cells.
constexpr int shipWidth = 60, shipHeight = 70;
constexpr int shipSheetLeft = 180;
constexpr int exhaustWidth = 60, exhaustHeight = 80;
constexpr int32_t exhaustFrameCount = 3;

// The power-up item: where it appears and how fast it falls.
constexpr int powerUpDropLeft = 210;
constexpr int powerUpDropSpan = 320;
constexpr float powerUpDropY = -60.0f;
constexpr int powerUpMinSpeed = 100;
constexpr int powerUpSpeedSpan = 130;
constexpr float powerUpFloor = 600.0f;
constexpr int powerUpSize = 60;

bool held(int32_t keyState) { return keyState == KeyHeld; }

void drawShip() {
    const int x = pixelOf(playerX);
    const int y = pixelOf(playerY);
    if (scrollDistance >= exhaustFromDistance) {
        const int left = exhaustWidth * exhaustFrame;
        engDraw::Blit(x, y, imgMyme1f1, left, 0, left + exhaustWidth, exhaustHeight);
        exhaustFrame += 1;
        if (exhaustFrame >= exhaustFrameCount) exhaustFrame = 0;
    }
    engDraw::Blit(x, y, imgMyme1, shipSheetLeft, 0, shipSheetLeft + shipWidth, shipHeight);
}

// Out of play; its speed and taken flag stay as they are.
void retirePowerUp() {
    parkRecord(powerUpItem);
    powerUpItem.active = 0;
}

}  // namespace

void pollPlayerKeys() {
    using namespace plat::VirtualKey;
    engSystem::GetKey(Left, keyStateLeft);
    engSystem::GetKey(Right, keyStateRight);
    engSystem::GetKey(Up, keyStateUp);
    engSystem::GetKey(Down, keyStateDown);
    engSystem::GetKey(C, keyStateC);
    engSystem::GetKey(V, keyStateV);
    engSystem::GetKey(B, keyStateB);
    engSystem::GetKey(N, keyStateN);
    engSystem::GetKey(M, keyStateM);
    engSystem::GetKey(Shift, keyStateShift);
    engSystem::GetKey(Control, keyStateCtrl);

    // With both keys of an axis held the later test wins: right, down.
    if (shipType == 1 || shipType == 2) {
        const float speed = shipType == 1 ? shipSpeedType1 : shipSpeedType2;
        if (held(keyStateLeft)) playerVX = -speed;
        if (held(keyStateRight)) playerVX = speed;
        if (held(keyStateUp)) playerVY = -speed;
        if (held(keyStateDown)) playerVY = speed;
    }

    // Two inputs of one weapon step its sequencer twice.
    if (held(keyStateShift) || mouseLeftDown != 0) tickNarrowTripleFire();
    if (held(keyStateCtrl) || mouseRightDown != 0) tickSpreadFire();
    if (held(keyStateC)) tickNarrowTripleFire();
    if (held(keyStateV)) tickWideTripleFire();
    if (held(keyStateB)) tickSpreadFire();
    if (held(keyStateN)) tickMissileFire();
    if (held(keyStateM)) tickFanFire();
}

void movePlayer() {
    playerVX = 0;
    playerVY = 0;
    pollPlayerKeys();
    playerX += playerVX * frameTime;
    if (playerX < screenX(playerMinX)) playerX = screenX(playerMinX);
    if (playerX > screenX(playerMaxX)) playerX = screenX(playerMaxX);
    playerY += playerVY * frameTime;
    if (playerY < playerMinY) playerY = playerMinY;
    if (playerY > playerMaxY) playerY = playerMaxY;
}

void updatePlayerShip() {
    if (controlKeyboard == 1) drawShip();
    if (controlMouse == 1) {
        // Drawn where the last frame left it, then pinned to the cursor;
        // movePlayer clamps it later in the frame.
        drawShip();
        playerX = static_cast<float>(mouseX - mouseGripOffset);
        playerY = static_cast<float>(mouseY - mouseGripOffset);
    }

    if (playerAlive != 0) {
        if (respawnGuard != 0) {
            respawnGuardFrames += 1;
            if (respawnGuardFrames >= respawnGuardLength) {
                respawnGuardFrames = 0;
                playerAlive = 1;
                respawnGuard = 0;
                for (WreckFragment& fragment : wreckFragments) parkWreckFragment(fragment);
            }
        }
    } else if (respawnGuard != 0) {
        playerAlive = 1;  // forgiven
    } else if (noDeath != 0) {
        // Left down: no enemy shot tests the ship again until a reset.
    } else {
        spawnWreckRings();
        drawWreckFragments();
        stepWreckFragments();
        playExplosionSound();
        laserArmed = 0;
        shotPower = 0;
    }
}

void parkPowerUp() {
    powerUpItem = PowerUpItem{};
    parkRecord(powerUpItem);
}

void dropPowerUp() {
    if (powerUpItem.active != 0) return;
    powerUpItem.x = static_cast<float>(screenX(powerUpDropLeft + engSystem::Rand() % powerUpDropSpan));
    powerUpItem.y = powerUpDropY;
    powerUpItem.speed = static_cast<float>(powerUpMinSpeed + engSystem::Rand() % powerUpSpeedSpan);
    powerUpItem.active = 1;
    powerUpItem.taken = 0;
}

void stepPowerUp() {
    if (powerUpItem.active == 0) return;
    powerUpItem.y += powerUpItem.speed * frameTime;
    if (powerUpItem.y > powerUpFloor) retirePowerUp();
}

void drawPowerUp() {
    if (powerUpItem.taken != 0) {
        laserArmed = 1;
        shotPower = 1;
        powerUpItem.taken = 0;
        retirePowerUp();
        return;
    }
    engDraw::Blit(pixelOf(powerUpItem.x), pixelOf(powerUpItem.y), imgSpower1, 0, 0, powerUpSize,
                  powerUpSize);
}
