// Draws every enemy and boss shot of the built-in set, cell by cell, over
// each stage's background as the stage layers it (stages 1, 2 and 3 from
// left to right, at the game's own size), and writes the sheet as a bitmap,
// so that anyone can see how the shots read on every stage.
//
//   shots_over_backgrounds FILE.bmp
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

#include "assets/standin/catalogue.h"
#include "assets/standin/formats.h"

namespace {

using namespace standin;

constexpr int FieldW = 360, TileH = 480, Gap = 6, Margin = 10;

// A picture of the set as the game gets it: 0x00RRGGBB, 0 the key.
struct Pixels {
    int w = 0, h = 0;
    std::vector<uint32_t> rgb;
    uint32_t at(int x, int y) const { return rgb[static_cast<size_t>(y) * w + x]; }
};

Pixels painted(const char* name) {
    Pixels p;
    const int index = findStandinEntry(name);
    if (index < 0) return p;
    const StandinEntry& entry = standinEntries[index];
    Canvas canvas(entry.width, entry.height);
    entry.paint(canvas, entry.art);
    p.w = canvas.w;
    p.h = canvas.h;
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) p.rgb.push_back(finishPixel(canvas.at(x, y), canvas.keyThreshold));
    return p;
}

struct Shot {
    const Pixels* picture;
    int cell;  // square cells of the picture's height, side by side
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0) {
        std::fprintf(stderr, "usage: %s FILE.bmp\n", argv[0]);
        return 2;
    }
    // The background columns of each stage, farthest first.
    const char* const stages[3][3] = {
        {"IMAGE/BACK/BBACK8S.BMP", "IMAGE/BACK/BBACK3S.BMP", "IMAGE/BACK/BBACK1S.BMP"},
        {"IMAGE/BACK/BBACK8S.BMP", "IMAGE/BACK/BBACK4S.BMP", "IMAGE/BACK/BBACK2S.BMP"},
        {"IMAGE/BACK/BBACK5S.BMP", "IMAGE/BACK/BBACK1S.BMP", "IMAGE/BACK/BBACK3S.BMP"},
    };
    std::vector<Pixels> shotPictures;
    shotPictures.reserve(standinEntryCount);
    for (int i = 0; i < standinEntryCount; ++i)
        if (standinEntries[i].paint == paintBullet) shotPictures.push_back(painted(standinEntries[i].name));
    std::vector<Shot> shots;
    for (const Pixels& p : shotPictures)
        for (int c = 0; c < p.w / p.h; ++c) shots.push_back({&p, c});

    // Rows of shots across the field, the same layout on every stage.
    struct Place {
        int x, y;
    };
    std::vector<Place> places;
    int x = Margin, y = Margin, rowH = 0;
    for (const Shot& s : shots) {
        const int side = s.picture->h;
        if (x + side > FieldW - Margin) {
            x = Margin;
            y += rowH + Gap;
            rowH = 0;
        }
        places.push_back({x, y});
        x += side + Gap;
        rowH = std::max(rowH, side);
    }
    const int height = std::max(TileH, y + rowH + Margin), width = 3 * FieldW + 2 * Gap;

    std::vector<uint32_t> sheet(static_cast<size_t>(width) * height, 0x303030u);
    for (int s = 0; s < 3; ++s) {
        const int left = s * (FieldW + Gap);
        for (const char* name : stages[s]) {  // keyed over each other; tiles meet themselves
            Pixels layer = painted(name);
            if (layer.w < FieldW || layer.h == 0) {
                std::fprintf(stderr, "shots_over_backgrounds: the set has no background %s as wide as the field\n",
                             name);
                return 1;
            }
            for (int py = 0; py < height; ++py)
                for (int px = 0; px < FieldW; ++px)
                    if (uint32_t c = layer.at(px, py % layer.h); c != 0)
                        sheet[static_cast<size_t>(py) * width + left + px] = c;
        }
        for (size_t i = 0; i < shots.size(); ++i) {
            const Pixels& p = *shots[i].picture;
            for (int py = 0; py < p.h; ++py)
                for (int px = 0; px < p.h; ++px)
                    if (uint32_t c = p.at(shots[i].cell * p.h + px, py); c != 0)
                        sheet[static_cast<size_t>(places[i].y + py) * width + left + places[i].x + px] = c;
        }
    }

    std::vector<uint8_t> bytes;
    beginBmp(width, height, bytes);
    for (int row = height - 1; row >= 0; --row) appendBmpRow(&sheet[static_cast<size_t>(row) * width], width, bytes);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "shots_over_backgrounds: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%zu shot cells over 3 stages written to %s\n", shots.size(), argv[1]);
    return 0;
}
