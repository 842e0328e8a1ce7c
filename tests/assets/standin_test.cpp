// Tests of the built-in asset set: every file the game loads is served under
// its exact name as a well-formed file, pictures have the sizes and cells the
// game draws from, and the set is the same on every run.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "assets/asset_list.h"
#include "assets/standin/catalogue.h"
#include "assets/standin/standin.h"
#include "engine/eng_draw.h"
#include "platform/resources.h"

namespace {

struct Picture {
    int w = 0, h = 0;
    std::vector<uint32_t> rgb;  // 0xRRGGBB
    uint32_t at(int x, int y) const { return rgb[static_cast<size_t>(y) * w + x]; }
    bool ink(int x, int y) const { return at(x, y) != 0; }
    // Share of non-key pixels in the box.
    double inkShare(int x0, int y0, int x1, int y1) const {
        int count = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) count += ink(x, y) ? 1 : 0;
        return static_cast<double>(count) / ((x1 - x0) * (y1 - y0));
    }
};

std::vector<uint8_t> served(const char* name) {
    const uint8_t* data = nullptr;
    size_t size = 0;
    if (!standinResource(name, &data, &size)) return {};
    return std::vector<uint8_t>(data, data + size);
}

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t le16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }
uint32_t be32(const std::vector<uint8_t>& b, size_t at) {
    return (static_cast<uint32_t>(b[at]) << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}

// Decodes a bitmap with SDL, as the engine does.
Picture decode(const std::vector<uint8_t>& bytes) {
    Picture picture;
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    SDL_Surface* loaded = stream != nullptr ? SDL_LoadBMP_RW(stream, 1) : nullptr;
    if (loaded == nullptr) return picture;
    SDL_Surface* surface = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(loaded);
    if (surface == nullptr) return picture;
    picture.w = surface->w;
    picture.h = surface->h;
    picture.rgb.resize(static_cast<size_t>(picture.w) * picture.h);
    SDL_LockSurface(surface);
    for (int y = 0; y < picture.h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(surface->pixels) +
                                                            static_cast<size_t>(y) * surface->pitch);
        for (int x = 0; x < picture.w; ++x) picture.rgb[static_cast<size_t>(y) * picture.w + x] = row[x] & 0xFFFFFF;
    }
    SDL_UnlockSurface(surface);
    SDL_FreeSurface(surface);
    return picture;
}

Picture picture(const char* name) { return decode(served(name)); }

class StandinSet : public ::testing::Test {
protected:
    static void SetUpTestSuite() { installStandinAssets(); }
    // Later suites bring their own resources.
    static void TearDownTestSuite() { plat::setResourceProvider(nullptr); }
};

// ---------------------------------------------------------------------------
// The load list and the pictures
// ---------------------------------------------------------------------------

TEST_F(StandinSet, LoadListIsTheGamesOrder) {
    // Every row of the image list takes the next slot; a file loaded again
    // is one of an earlier row, and the set makes each file once.
    std::set<std::string> files;
    for (int i = 0; i < ImageAssetCount; ++i) {
        const ImageAsset& image = imageAssets[i];
        ASSERT_NE(image.file, nullptr) << "load " << i;
        EXPECT_EQ(image.expectedSlot, FirstLoadSlot + i) << image.file;
        EXPECT_EQ(image.width == 0, files.count(image.file) == 1) << image.file;
        files.insert(image.file);
    }
    EXPECT_EQ(standinFileCount(), static_cast<int>(files.size()) + 4);  // and two sounds, two songs
    EXPECT_STREQ(imageAssets[SoundsAfterImage - 1].file, "IMAGE/ZFIRE2.BMP");
}

TEST_F(StandinSet, EveryImageIsAWellFormedBitmapOfItsSize) {
    for (const ImageAsset& image : imageAssets) {
        SCOPED_TRACE(image.file);
        std::vector<uint8_t> bytes = served(image.file);
        ASSERT_GE(bytes.size(), 54u);
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[1], 'M');
        EXPECT_EQ(le32(bytes, 2), bytes.size());
        EXPECT_EQ(le16(bytes, 28), 24);  // bits per pixel
        EXPECT_EQ(le32(bytes, 30), 0u);  // uncompressed
        Picture p = decode(bytes);
        ASSERT_GT(p.w, 0) << SDL_GetError();
        if (image.width != 0) {
            EXPECT_EQ(p.w, image.width);
            EXPECT_EQ(p.h, image.height);
        }
        EXPECT_GT(p.inkShare(0, 0, p.w, p.h), 0.0) << "an empty picture";
    }
}

TEST_F(StandinSet, OnlyTransparentPixelsArePureBlack) {
    // Every picture: a pixel is the key (0, 0, 0) or clearly above it, so no
    // dark colour turns transparent at a lower colour depth.
    std::set<std::string> seen;
    for (const ImageAsset& image : imageAssets) {
        if (!seen.insert(image.file).second) continue;
        Picture p = picture(image.file);
        int tooDark = 0;
        for (uint32_t c : p.rgb) {
            int sum = static_cast<int>((c >> 16) + ((c >> 8) & 0xFF) + (c & 0xFF));
            if (c != 0 && sum < 24) ++tooDark;
        }
        EXPECT_EQ(tooDark, 0) << image.file;
    }
    // Opaque far layers and the title have no transparent pixel at all...
    for (const char* name : {"IMAGE/BACK/BBACK8S.BMP", "IMAGE/BACK/BBACK5S.BMP", "IMAGE/BACK/BBACK6S.BMP",
                             "IMAGE/TITLEC.BMP"}) {
        Picture p = picture(name);
        EXPECT_EQ(p.inkShare(0, 0, p.w, p.h), 1.0) << name;
    }
    // ...while the near layers leave most of the field open for those behind.
    for (const char* name : {"IMAGE/BACK/BBACK1S.BMP", "IMAGE/BACK/BBACK2S.BMP", "IMAGE/BACK/BBACK3S.BMP",
                             "IMAGE/BACK/BBACK4S.BMP"}) {
        Picture p = picture(name);
        double share = p.inkShare(0, 0, p.w, p.h);
        EXPECT_GT(share, 0.05) << name;
        EXPECT_LT(share, 0.6) << name;
    }
}

TEST_F(StandinSet, SpritesStandFreeOnTheKey) {
    struct Sprite {
        const char* file;
        int x0, y0, x1, y1;  // the cell the game draws
    };
    const Sprite sprites[] = {
        {"IMAGE/MYME1.BMP", 180, 0, 240, 70},        {"IMAGE/MYME1OP1.BMP", 0, 0, 60, 60},
        {"IMAGE/COIN1.BMP", 0, 0, 30, 30},           {"IMAGE/SPOWER1.BMP", 0, 0, 60, 60},
        {"IMAGE/ZAKU/SZAK1.BMP", 0, 0, 60, 60},      {"IMAGE/ZAKU/SZAK2.BMP", 0, 0, 70, 80},
        {"IMAGE/ZAKU/SZAK3.BMP", 0, 0, 80, 80},      {"IMAGE/ZAKU/SZAK6.BMP", 0, 0, 80, 80},
        {"IMAGE/ZAKU/SZAK8O.BMP", 0, 0, 120, 120},   {"IMAGE/ZAKU/SZAK10.BMP", 0, 0, 240, 440},
        {"IMAGE/ZAKU/SZAK12_0.BMP", 0, 0, 160, 360}, {"IMAGE/BOSS/BOSS11.BMP", 0, 0, 440, 360},
        {"IMAGE/BOSS/BOSS71.BMP", 0, 0, 500, 400},   {"IMAGE/BOSS/BOSS41.BMP", 0, 0, 440, 380},
        {"IMAGE/VALL301.BMP", 0, 0, 30, 30},         {"IMAGE/VAL40L.BMP", 0, 0, 39, 39},
    };
    for (const Sprite& s : sprites) {
        SCOPED_TRACE(s.file);
        Picture p = picture(s.file);
        ASSERT_GE(p.w, s.x1);
        EXPECT_FALSE(p.ink(s.x0, s.y0));  // transparent corners
        EXPECT_FALSE(p.ink(s.x1 - 1, s.y1 - 1));
        EXPECT_TRUE(p.ink((s.x0 + s.x1) / 2, (s.y0 + s.y1) / 2));  // solid middle
        double share = p.inkShare(s.x0, s.y0, s.x1, s.y1);
        EXPECT_GT(share, 0.15);
        EXPECT_LT(share, 0.95);
    }
}

TEST_F(StandinSet, EveryFrameOfAStripShowsSomething) {
    struct Strip {
        const char* file;
        int cellW, cellH, cells;
    };
    const Strip strips[] = {
        {"IMAGE/COINBK1.BMP", 80, 80, 10},  {"IMAGE/ZBAK1B.BMP", 60, 60, 10},  {"IMAGE/ZBAK2B.BMP", 80, 80, 9},
        {"IMAGE/ZBAK3B.BMP", 80, 80, 10},   {"IMAGE/ZBAK6B.BMP", 40, 40, 9},   {"IMAGE/BBAK1B.BMP", 160, 160, 4},
        {"IMAGE/MYME1F1.BMP", 60, 80, 3},   {"IMAGE/ZFIRE1.BMP", 20, 70, 20},  {"IMAGE/ZFIRE2.BMP", 20, 70, 20},
        {"IMAGE/VAL16241.BMP", 16, 16, 24}, {"IMAGE/VAL20241.BMP", 20, 20, 24}, {"IMAGE/VAL1.BMP", 16, 16, 16},
        {"IMAGE/VAL402.BMP", 40, 40, 5},    {"IMAGE/VAL404.BMP", 40, 40, 7},   {"IMAGE/SUJI09_2.BMP", 20, 25, 10},
    };
    for (const Strip& s : strips) {
        Picture p = picture(s.file);
        ASSERT_GE(p.w, s.cellW * s.cells) << s.file;
        for (int c = 0; c < s.cells; ++c)
            EXPECT_GT(p.inkShare(c * s.cellW, 0, (c + 1) * s.cellW, s.cellH), 0.01) << s.file << " frame " << c;
    }
    // Cells of the alternating and plain paired shots, and every wreck cell drawn.
    Picture pairs = picture("IMAGE/VAL405.BMP");
    for (int x0 : {80, 120, 160}) EXPECT_GT(pairs.inkShare(x0, 0, x0 + 40, 40), 0.05) << x0;
    Picture wreck = picture("IMAGE/GFBAK1.BMP");
    for (int row = 0; row < 2; ++row)
        for (int col = row; col < 8; ++col)
            EXPECT_GT(wreck.inkShare(col * 60, row * 60, col * 60 + 60, row * 60 + 60), 0.05) << row << "," << col;
    // The exhaust shows below the ship in every frame (its bottom ten rows).
    Picture exhaust = picture("IMAGE/MYME1F1.BMP");
    for (int f = 0; f < 3; ++f) EXPECT_GT(exhaust.inkShare(f * 60, 70, f * 60 + 60, 80), 0.03) << f;
}

TEST_F(StandinSet, DigitCellsHoldTenDifferentDigits) {
    auto cellsDiffer = [](const Picture& p, int x0, int y0, int w, int h, int step) {
        std::set<std::vector<uint32_t>> distinct;
        for (int d = 0; d < 10; ++d) {
            std::vector<uint32_t> cell;
            int ink = 0;
            for (int y = y0; y < y0 + h; ++y)
                for (int x = x0 + step * d; x < x0 + step * d + w; ++x) {
                    cell.push_back(p.at(x, y));
                    ink += p.ink(x, y) ? 1 : 0;
                }
            EXPECT_GT(ink, w * h / 8) << "digit " << d;
            distinct.insert(cell);
        }
        return distinct.size();
    };
    EXPECT_EQ(cellsDiffer(picture("IMAGE/SUJI09_2.BMP"), 0, 0, 20, 25, 20), 10u);
    Picture parts = picture("IMAGE/MYMY.BMP");
    EXPECT_EQ(cellsDiffer(parts, 8, 70, 7, 10, 8), 10u);
    EXPECT_GT(parts.inkShare(200, 70, 224, 80), 0.15);  // lives icon
    for (int k = 0; k < 7; ++k) EXPECT_GT(parts.inkShare(139 + 3 * k, 70, 142 + 3 * k, 80), 0.5) << "streak " << k;
}

TEST_F(StandinSet, BackgroundTilesMeetThemselves) {
    for (const char* name : {"IMAGE/BACK/BBACK1S.BMP", "IMAGE/BACK/BBACK2S.BMP", "IMAGE/BACK/BBACK3S.BMP",
                             "IMAGE/BACK/BBACK4S.BMP", "IMAGE/BACK/BBACK5S.BMP", "IMAGE/BACK/BBACK6S.BMP",
                             "IMAGE/BACK/BBACK8S.BMP"}) {
        Picture p = picture(name);
        auto rowDistance = [&](int a, int b) {
            double sum = 0;
            for (int x = 0; x < p.w; ++x)
                for (int shift : {0, 8, 16}) {
                    int ca = static_cast<int>((p.at(x, a) >> shift) & 0xFF);
                    int cb = static_cast<int>((p.at(x, b) >> shift) & 0xFF);
                    sum += std::abs(ca - cb);
                }
            return sum / (p.w * 3);
        };
        double inside = 0;
        for (int y = 0; y + 1 < p.h; ++y) inside += rowDistance(y, y + 1);
        inside /= p.h - 1;
        // The seam (last row against the first) looks like any other pair of rows.
        EXPECT_LT(rowDistance(p.h - 1, 0), inside * 2.5 + 2) << name;
    }
}

TEST_F(StandinSet, LaserBeamsReachTheirKillPoints) {
    // The left beam kills at image (120, 4) and is drawn from the left half;
    // the right beam kills at (240, 4), drawn from the right half. In the
    // killing frames both halves show beam at those points.
    for (const char* name : {"IMAGE/MYRCL65G.BMP", "IMAGE/MYRCL66G.BMP"}) {
        Picture p = picture(name);
        EXPECT_GT(p.inkShare(104, 0, 120, 10), 0.3) << name;
        EXPECT_GT(p.inkShare(224, 0, 240, 10), 0.3) << name;
    }
    // In the first frame the beams are only starting out from the ship.
    Picture first = picture("IMAGE/MYRCL51G.BMP");
    EXPECT_EQ(first.inkShare(104, 0, 120, 10), 0.0);
    EXPECT_GT(first.inkShare(90, 150, 150, 190), 0.05);
}

TEST_F(StandinSet, ShipSelectLeavesThePreviewVisible) {
    Picture p = picture("IMAGE/LEVEL0.BMP");
    // The pinned ship, its pods' circle, the two choices and their pods.
    EXPECT_EQ(p.inkShare(150, 130, 210, 200), 0.0);
    EXPECT_EQ(p.inkShare(90, 70, 270, 250), 0.0);
    EXPECT_EQ(p.inkShare(60, 350, 120, 420), 0.0);
    EXPECT_EQ(p.inkShare(245, 350, 305, 420), 0.0);
    EXPECT_EQ(p.inkShare(195, 350, 255, 410), 0.0);
    EXPECT_EQ(p.inkShare(295, 350, 355, 410), 0.0);
    // Around them: the legend and its panels.
    EXPECT_GT(p.inkShare(0, 0, 360, 50), 0.9);
    EXPECT_GT(p.inkShare(0, 300, 360, 340), 0.9);
    EXPECT_GT(p.inkShare(0, 428, 360, 480), 0.9);
}

TEST_F(StandinSet, PanelsKeepTheirBordersWhereTheGameShowsThem) {
    // The ranking panel lies at x 200, so only its x 20..380 is on the field:
    // it keeps a margin inside that.
    Picture ranking = picture("IMAGE/RANKING1.BMP");
    EXPECT_EQ(ranking.inkShare(0, 0, 23, 100), 0.0);
    EXPECT_EQ(ranking.inkShare(377, 0, 400, 100), 0.0);
    EXPECT_GT(ranking.inkShare(20, 0, 40, 100), 0.6);  // its left border, within sight
    // The ship-select panel's right border runs past the right choice's box.
    EXPECT_EQ(picture("IMAGE/LEVEL0.BMP").inkShare(357, 0, 360, 480), 1.0);
}

double luminance(uint32_t c) {
    return standin::relativeLuminance(standin::rgb(static_cast<int>(c >> 16), (c >> 8) & 0xFF, c & 0xFF));
}
// The contrast ratio of two relative luminances (1 to 21).
double contrast(double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); }

TEST_F(StandinSet, EnemyShotsStandOutOnEveryStage) {
    // Each stage's background columns, farthest first, keyed over each other
    // as the stage draws them; what counts is their mean luminance.
    const std::vector<const char*> stages[] = {
        {"IMAGE/BACK/BBACK8S.BMP", "IMAGE/BACK/BBACK3S.BMP", "IMAGE/BACK/BBACK1S.BMP"},
        {"IMAGE/BACK/BBACK8S.BMP", "IMAGE/BACK/BBACK4S.BMP", "IMAGE/BACK/BBACK2S.BMP"},
        {"IMAGE/BACK/BBACK5S.BMP", "IMAGE/BACK/BBACK1S.BMP", "IMAGE/BACK/BBACK3S.BMP"},
    };
    std::vector<double> ground;
    for (const auto& layers : stages) {
        std::vector<uint32_t> field(360 * 480, 0);
        for (const char* name : layers) {
            Picture p = picture(name);
            ASSERT_EQ(p.rgb.size(), field.size()) << name;
            for (size_t i = 0; i < field.size(); ++i)
                if (p.rgb[i] != 0) field[i] = p.rgb[i];
        }
        double sum = 0;
        for (uint32_t c : field) sum += luminance(c);
        ground.push_back(sum / static_cast<double>(field.size()));
    }
    // Every enemy and boss shot, cell by cell: a dark keyline round the shot
    // (its pixels next to the key or the cell's border), a light rim just
    // inside it (the pixels next to the keyline), and a bright core.
    int cells = 0;
    for (int e = 0; e < standin::standinEntryCount; ++e) {
        const standin::StandinEntry& entry = standin::standinEntries[e];
        if (entry.paint != standin::paintBullet) continue;
        Picture p = picture(entry.name);
        const int side = p.h;
        for (int c = 0; c < p.w / side; ++c, ++cells) {
            SCOPED_TRACE(std::string(entry.name) + " cell " + std::to_string(c));
            auto shot = [&](int x, int y) {
                return x >= 0 && y >= 0 && x < side && y < side && p.ink(c * side + x, y);
            };
            auto near = [&](int x, int y, auto test) {
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if (test(x + dx, y + dy)) return true;
                return false;
            };
            auto keyline = [&](int x, int y) {
                return shot(x, y) && near(x, y, [&](int u, int v) { return !shot(u, v); });
            };
            double keylineSum = 0, rimSum = 0, brightest = 0;
            int keylineCount = 0, rimCount = 0;
            for (int y = 0; y < side; ++y)
                for (int x = 0; x < side; ++x) {
                    if (!shot(x, y)) continue;
                    double l = luminance(p.at(c * side + x, y));
                    brightest = std::max(brightest, l);
                    if (keyline(x, y)) {
                        keylineSum += l;
                        ++keylineCount;
                    } else if (near(x, y, keyline)) {
                        rimSum += l;
                        ++rimCount;
                    }
                }
            ASSERT_GT(keylineCount, 0);
            ASSERT_GT(rimCount, 0);
            const double line = keylineSum / keylineCount, rim = rimSum / rimCount;
            EXPECT_LT(line, rim);
            EXPECT_GE(contrast(line, rim), 3.0);
            for (size_t s = 0; s < ground.size(); ++s)
                EXPECT_GE(contrast(rim, ground[s]), 3.0) << "stage " << s + 1;
            EXPECT_GE(brightest, 0.6);
        }
    }
    EXPECT_GT(cells, 100);
}

TEST_F(StandinSet, FriendsAndSceneryDoNotLookLikeFoes) {
    struct Look {
        double luminance = 0, saturation = 0;
    };
    auto look = [](const Picture& p, auto where) {
        Look l;
        int count = 0;
        for (int y = 0; y < p.h; ++y)
            for (int x = 0; x < p.w; ++x) {
                uint32_t c = p.at(x, y);
                if (c == 0 || !where(x, y)) continue;
                const uint32_t r = c >> 16, g = (c >> 8) & 0xFF, b = c & 0xFF;
                const uint32_t hi = std::max({r, g, b}), lo = std::min({r, g, b});
                l.luminance += luminance(c);
                l.saturation += static_cast<double>(hi - lo) / hi;
                ++count;
            }
        l.luminance /= count;
        l.saturation /= count;
        return l;
    };
    auto anywhere = [](int, int) { return true; };
    // The drum on the girders' cross beam (centred at (250, 207) of the tile)
    // is duller and darker than any enemy craft.
    Look drum = look(picture("IMAGE/BACK/BBACK1S.BMP"), [](int x, int y) {
        double dx = (x + 0.5 - 250) / 24, dy = (y + 0.5 - 207) / 18;
        return dx * dx + dy * dy < 0.9;
    });
    for (const char* enemy : {"SZAK1", "SZAK2", "SZAK3", "SZAK4", "SZAK5", "SZAK6", "SZAK7", "SZAK8", "SZAK8O", "SZAK9",
                              "SZAK10", "SZAK11_0", "SZAK12_0"}) {
        Look foe = look(picture(("IMAGE/ZAKU/" + std::string(enemy) + ".BMP").c_str()), anywhere);
        EXPECT_LT(drum.luminance, foe.luminance) << enemy;
        EXPECT_LT(drum.saturation, foe.saturation) << enemy;
    }
    // The laser's emitter ahead of the ship is light and bluish like the ship.
    Picture ship = picture("IMAGE/MYME1.BMP"), emitter = picture("IMAGE/RPANEL3R.BMP");
    Look own = look(ship, [](int x, int) { return x >= 180; }), carried = look(emitter, anywhere);
    EXPECT_GT(carried.luminance, own.luminance * 0.7);
    uint64_t red = 0, blue = 0;
    for (uint32_t c : emitter.rgb) {
        red += c >> 16;
        blue += c & 0xFF;
    }
    EXPECT_GT(blue, red * 1.1);
}

// Ink within `radius` pixels of (x, y).
bool inkNear(const Picture& p, int x, int y, int radius) {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (x + dx >= 0 && y + dy >= 0 && x + dx < p.w && y + dy < p.h && p.ink(x + dx, y + dy)) return true;
    return false;
}

TEST_F(StandinSet, GunsAndEnginesSitWhereTheGameFiresAndBurns) {
    struct Anchor {
        const char* file;
        std::vector<std::pair<int, int>> points;
    };
    const Anchor anchors[] = {
        // Boss muzzles: aimed lines, fans, rings, chains, sweeps, salvos, missile streams.
        {"IMAGE/BOSS/BOSS11.BMP", {{105, 100}, {85, 100}, {325, 100}, {305, 100}, {210, 130}, {200, 130},
                                   {120, 130}, {300, 130}, {200, 154}}},
        {"IMAGE/BOSS/BOSS71.BMP", {{355, 100}, {115, 100}, {230, 130}, {100, 130}, {360, 130}, {140, 130},
                                   {340, 130}, {185, 30}, {285, 30}, {242, 200}, {212, 110}, {292, 150}}},
        {"IMAGE/BOSS/BOSS41.BMP", {{105, 100}, {325, 100}, {75, 140}, {335, 140}, {200, 130}, {50, 130},
                                   {100, 130}, {300, 130}, {350, 130}, {135, 135}, {275, 135}, {125, 105},
                                   {265, 105}, {205, 30}, {165, 20}, {245, 20}}},
        // Engine nozzles under the flames.
        {"IMAGE/ZAKU/SZAK2.BMP", {{35, 12}}},
        {"IMAGE/ZAKU/SZAK3.BMP", {{20, 4}, {60, 4}}},
        {"IMAGE/ZAKU/SZAK4.BMP", {{22, 10}, {58, 10}}},
        {"IMAGE/ZAKU/SZAK5.BMP", {{22, 10}, {58, 10}}},
        {"IMAGE/ZAKU/SZAK8.BMP", {{90, 47}, {150, 47}}},
        {"IMAGE/ZAKU/SZAK8O.BMP", {{42, 3}, {78, 3}}},
        {"IMAGE/ZAKU/SZAK11_0.BMP", {{62, 96}, {98, 96}, {26, 116}, {134, 116}}},
        {"IMAGE/ZAKU/SZAK12_0.BMP", {{62, 96}, {98, 96}, {26, 116}, {134, 116}}},
        // Arm blades: where the arm holds them, and their guns.
        {"IMAGE/ZAKU/SZAK12_3.BMP", {{50, 140}, {30, 310}}},
        {"IMAGE/ZAKU/SZAK12_4.BMP", {{8, 140}, {26, 310}}},
        {"IMAGE/ZAKU/SZAK11_3.BMP", {{50, 154}, {30, 320}}},
        {"IMAGE/ZAKU/SZAK11_4.BMP", {{8, 154}, {26, 320}}},
    };
    for (const Anchor& a : anchors) {
        Picture p = picture(a.file);
        for (auto [x, y] : a.points) EXPECT_TRUE(inkNear(p, x, y, 5)) << a.file << " at " << x << "," << y;
    }
}

TEST_F(StandinSet, ExhaustShowsBelowTheShip) {
    // The ship leaves the rows below its nozzles open; the flames fill them.
    Picture ship = picture("IMAGE/MYME1.BMP");
    Picture flames = picture("IMAGE/MYME1F1.BMP");
    EXPECT_EQ(ship.inkShare(180 + 18, 66, 180 + 42, 70), 0.0);
    for (int f = 0; f < 3; ++f) {
        EXPECT_TRUE(flames.ink(f * 60 + 24, 67)) << f;
        EXPECT_TRUE(flames.ink(f * 60 + 36, 67)) << f;
    }
    // The three frames differ (the flame flickers).
    std::set<std::vector<uint32_t>> frames;
    for (int f = 0; f < 3; ++f) {
        std::vector<uint32_t> cell;
        for (int y = 0; y < 80; ++y)
            for (int x = f * 60; x < f * 60 + 60; ++x) cell.push_back(flames.at(x, y));
        frames.insert(cell);
    }
    EXPECT_EQ(frames.size(), 3u);
}

TEST_F(StandinSet, DamagePicturesGrowMoreWrecked) {
    for (const char* series : {"IMAGE/BOSS/BOSS71", "IMAGE/BOSS/BOSS41"}) {
        Picture whole = picture((std::string(series) + ".BMP").c_str());
        int hull = 0;
        for (uint32_t c : whole.rgb) hull += c != 0 ? 1 : 0;
        int previous = 0;
        for (int level = 1; level <= 3; ++level) {
            std::string name = std::string(series) + "_" + std::to_string(level) + ".BMP";
            Picture damaged = picture(name.c_str());
            ASSERT_EQ(damaged.w, whole.w) << name;
            int changed = 0, kept = 0;
            for (size_t i = 0; i < whole.rgb.size(); ++i) {
                changed += damaged.rgb[i] != whole.rgb[i] ? 1 : 0;
                kept += (whole.rgb[i] != 0 && damaged.rgb[i] != 0) ? 1 : 0;
            }
            EXPECT_GT(changed, previous + hull / 50) << name;  // each clearly worse than the last
            EXPECT_GT(kept, hull * 85 / 100) << name;           // and still the same craft
            previous = changed;
        }
    }
}

// ---------------------------------------------------------------------------
// Sounds and songs
// ---------------------------------------------------------------------------

struct Wave {
    int rate = 0, channels = 0, bits = 0;
    std::vector<int16_t> samples;
};

Wave readCanonicalWave(const std::vector<uint8_t>& b) {
    Wave wave;
    if (b.size() < 44 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0 ||
        std::memcmp(b.data() + 12, "fmt ", 4) != 0 || std::memcmp(b.data() + 36, "data", 4) != 0)
        return wave;
    if (le32(b, 4) != b.size() - 8 || le32(b, 16) != 16 || le16(b, 20) != 1 || le32(b, 40) != b.size() - 44)
        return wave;
    wave.channels = le16(b, 22);
    wave.rate = static_cast<int>(le32(b, 24));
    wave.bits = le16(b, 34);
    if (le32(b, 28) != static_cast<uint32_t>(wave.rate * wave.channels * wave.bits / 8)) return Wave{};
    for (size_t i = 44; i + 1 < b.size(); i += 2) wave.samples.push_back(static_cast<int16_t>(le16(b, i)));
    return wave;
}

TEST_F(StandinSet, SoundsArePlainPcmWaves) {
    Wave shot = readCanonicalWave(served("SOUND/SHOT.WAV"));
    Wave blast = readCanonicalWave(served("SOUND/BOM.WAV"));
    for (const Wave* w : {&shot, &blast}) {
        ASSERT_FALSE(w->samples.empty());
        EXPECT_EQ(w->channels, 1);
        EXPECT_EQ(w->bits, 16);
        // The opening is what is heard (both are restarted often): loud at once.
        int16_t early = 0;
        for (size_t i = 0; i < static_cast<size_t>(w->rate / 50); ++i)
            early = std::max<int16_t>(early, static_cast<int16_t>(std::abs(w->samples[i])));
        EXPECT_GT(early, 12000);
        // It ends in silence, without a click.
        EXPECT_LT(std::abs(w->samples.back()), 300);
    }
    double shotSeconds = static_cast<double>(shot.samples.size()) / shot.rate;
    double blastSeconds = static_cast<double>(blast.samples.size()) / blast.rate;
    EXPECT_LT(shotSeconds, 0.3);
    EXPECT_GT(blastSeconds, 0.8);
    // SDL reads them too.
    for (const char* name : {"SOUND/SHOT.WAV", "SOUND/BOM.WAV"}) {
        std::vector<uint8_t> bytes = served(name);
        SDL_AudioSpec format;
        Uint8* buffer = nullptr;
        Uint32 length = 0;
        ASSERT_NE(SDL_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1, &format,
                                 &buffer, &length),
                  nullptr)
            << name << ": " << SDL_GetError();
        EXPECT_EQ(length, bytes.size() - 44);
        SDL_FreeWAV(buffer);
    }
}

struct Song {
    int format = -1, division = 0;
    size_t declaredTracks = 0, tracks = 0;
    std::vector<uint32_t> endTicks;
    std::map<uint32_t, uint32_t> tempos;  // tick -> microseconds per quarter
    std::set<int> programs, channels;
    int notes = 0;
    int unreleased = 0;      // notes still sounding at their track's end
    int malformed = 0;
};

// Reads a Standard MIDI File event by event (running status included).
Song readSong(const std::vector<uint8_t>& b) {
    Song song;
    if (b.size() < 14 || std::memcmp(b.data(), "MThd", 4) != 0 || be32(b, 4) != 6) return song;
    song.format = (b[8] << 8) | b[9];
    song.declaredTracks = static_cast<size_t>((b[10] << 8) | b[11]);
    song.division = (b[12] << 8) | b[13];
    size_t at = 14;
    while (at + 8 <= b.size()) {
        if (std::memcmp(b.data() + at, "MTrk", 4) != 0) {
            ++song.malformed;
            break;
        }
        size_t end = at + 8 + be32(b, at + 4);
        if (end > b.size()) {
            ++song.malformed;
            break;
        }
        ++song.tracks;
        size_t p = at + 8;
        uint32_t tick = 0;
        uint8_t status = 0;
        bool ended = false;
        std::map<int, int> sounding;  // channel * 128 + key -> count
        auto varLen = [&]() {
            uint32_t v = 0;
            for (int i = 0; i < 4 && p < end; ++i) {
                uint8_t c = b[p++];
                v = (v << 7) | (c & 0x7F);
                if ((c & 0x80) == 0) break;
            }
            return v;
        };
        while (p < end && !ended) {
            tick += varLen();
            if (p >= end) break;
            if (b[p] & 0x80) status = b[p++];
            if (status == 0xFF) {
                uint8_t type = b[p++];
                uint32_t length = varLen();
                if (type == 0x2F) ended = true;
                if (type == 0x51 && length == 3) song.tempos[tick] = (b[p] << 16) | (b[p + 1] << 8) | b[p + 2];
                p += length;
                status = 0;
            } else if (status == 0xF0 || status == 0xF7) {
                p += varLen();
            } else if ((status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0) {
                if ((status & 0xF0) == 0xC0) song.programs.insert(b[p]);
                ++p;
            } else if (status >= 0x80) {
                int channel = status & 0x0F, key = b[p], velocity = b[p + 1];
                p += 2;
                song.channels.insert(channel);
                if ((status & 0xF0) == 0x90 && velocity > 0) {
                    ++sounding[channel * 128 + key];
                    ++song.notes;
                } else if ((status & 0xF0) == 0x80 || (status & 0xF0) == 0x90) {
                    if (sounding[channel * 128 + key] > 0) --sounding[channel * 128 + key];
                }
            } else {
                ++song.malformed;
                break;
            }
        }
        if (!ended || p != end) ++song.malformed;
        for (const auto& [k, n] : sounding) song.unreleased += n;
        song.endTicks.push_back(tick);
        at = end;
    }
    return song;
}

double songSeconds(const Song& song) {
    double seconds = 0;
    uint32_t last = 0, tempo = 500000;
    for (const auto& [tick, us] : song.tempos) {
        seconds += static_cast<double>(tick - last) * tempo / 1e6 / song.division;
        last = tick;
        tempo = us;
    }
    return seconds + static_cast<double>(song.endTicks[0] - last) * tempo / 1e6 / song.division;
}

TEST_F(StandinSet, SongsAreWellFormedAndLoopOnABarLine) {
    for (const char* name : {"MIDI/QTX1.MID", "MIDI/QTX4.MID"}) {
        SCOPED_TRACE(name);
        Song song = readSong(served(name));
        ASSERT_EQ(song.format, 1);
        EXPECT_EQ(song.malformed, 0);
        EXPECT_EQ(song.tracks, song.declaredTracks);
        ASSERT_FALSE(song.endTicks.empty());
        EXPECT_EQ(song.unreleased, 0);
        // Every track ends together, on a bar line of 4/4, so the restart is seamless.
        for (uint32_t end : song.endTicks) EXPECT_EQ(end, song.endTicks[0]);
        EXPECT_EQ(song.endTicks[0] % static_cast<uint32_t>(song.division * 4), 0u);
        EXPECT_GE(song.programs.size(), 3u);
        EXPECT_GT(song.notes, 200);
    }
    Song stage = readSong(served("MIDI/QTX1.MID"));
    Song ending = readSong(served("MIDI/QTX4.MID"));
    EXPECT_NEAR(songSeconds(stage), 60.0, 6.0);
    EXPECT_TRUE(stage.channels.count(9));  // a driving beat on the drum channel
    ASSERT_FALSE(ending.tempos.empty());
    EXPECT_GT(ending.tempos.begin()->second, stage.tempos.begin()->second);  // calmer: slower
}

// ---------------------------------------------------------------------------
// The provider
// ---------------------------------------------------------------------------

TEST_F(StandinSet, NamesAreExact) {
    const uint8_t* data = nullptr;
    size_t size = 0;
    EXPECT_TRUE(standinResource("IMAGE/BACK/Kiti01.BMP", &data, &size));
    EXPECT_TRUE(standinResource("IMAGE/VAL20w.BMP", &data, &size));
    EXPECT_FALSE(standinResource("IMAGE/BACK/KITI01.BMP", &data, &size));
    EXPECT_FALSE(standinResource("image/coin1.bmp", &data, &size));
    EXPECT_FALSE(standinResource("IMAGE/COIN1.BMP ", &data, &size));
    EXPECT_FALSE(standinResource("", &data, &size));
    EXPECT_FALSE(standinResource(nullptr, &data, &size));
    EXPECT_FALSE(standinResource("IMAGE/COIN1.BMP", nullptr, &size));
    // 247 distinct pictures, two sounds, two songs.
    EXPECT_EQ(standinFileCount(), 251);
    std::set<std::string> names;
    for (int i = 0; i < standinFileCount(); ++i) names.insert(standinFileName(i));
    EXPECT_EQ(names.size(), 251u);
    EXPECT_EQ(standinFileName(-1), nullptr);
    EXPECT_EQ(standinFileName(251), nullptr);
}

TEST_F(StandinSet, SameBytesEveryTimeAndFromEveryThread) {
    // Made afresh, a file equals the one the store made in the background.
    for (int i = 0; i < standinFileCount(); i += 5) {
        const char* name = standinFileName(i);
        std::vector<uint8_t> fresh;
        ASSERT_TRUE(makeStandinFile(name, fresh));
        EXPECT_TRUE(fresh == served(name)) << name;
    }
    for (const char* name : {"IMAGE/TITLEC.BMP", "IMAGE/MYMY.BMP", "MIDI/QTX1.MID", "SOUND/BOM.WAV"}) {
        std::vector<uint8_t> a, b;
        ASSERT_TRUE(makeStandinFile(name, a));
        ASSERT_TRUE(makeStandinFile(name, b));
        EXPECT_TRUE(a == b) << name;
    }
    // Requests from many threads at once get the one stored copy.
    std::vector<const uint8_t*> seen(8);
    std::vector<std::thread> threads;
    for (size_t t = 0; t < seen.size(); ++t)
        threads.emplace_back([&seen, t] {
            size_t size = 0;
            for (int i = standinFileCount() - 1; i >= 0; --i) standinResource(standinFileName(i), &seen[t], &size);
        });
    for (std::thread& t : threads) t.join();
    for (const uint8_t* p : seen) EXPECT_EQ(p, seen[0]);
    std::vector<uint8_t> unknown;
    EXPECT_FALSE(makeStandinFile("IMAGE/NONE.BMP", unknown));
}

}  // namespace
