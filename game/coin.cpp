#include "game/coin.h"

#include "assets/asset_list.h"
#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "game/shots/shot_records.h"

namespace {

constexpr int32_t CoinSize = 30;
constexpr int32_t BurstSize = 80;
constexpr int32_t BurstOffset = 25;  // the burst is centred on the coin

}  // namespace

void parkCoin(Coin& coin) {
    coin = Coin{};
    parkRecord(coin);
}

void stepCoin(Coin& coin) {
    if (coin.falling != 0) coin.y += coin.vy * frameTime;
    if (coin.y > 600.0f) {
        coin.falling = 0;
        parkRecord(coin);
    }
}

void drawCoin(Coin& coin, int32_t coinImage) {
    const int32_t x = pixelOf(coin.x), y = pixelOf(coin.y);
    if (coin.taken <= 0) {
        engDraw::Blit(x, y, coinImage, 0, 0, CoinSize, CoinSize);
        return;
    }
    if (coin.frame < 0 || coin.frame > coinBurstLastFrame) coin.frame = 0;
    const int32_t left = BurstSize * coin.frame;
    engDraw::Blit(x - BurstOffset, y - BurstOffset, imgCoinbk1, left, 0, left + BurstSize, BurstSize);
    coin.frame += 1;
    if (coin.frame > coinBurstLastFrame) {
        coin.loopCount += 1;
        coin.frame = 0;
    }
    if (coin.loopCount > coinBurstLastLoop) {
        // Its fall speed stays; the next drop sets a new one.
        coin.pickupGate = coin.falling = coin.taken = coin.frame = coin.loopCount = 0;
        parkRecord(coin);
    }
}
