// The colour-keyed blit: ours (engDraw::Blit through the clip) against SDL's
// own keyed blit (colour key with RLE acceleration) on the same sprites
// (first checked to give the same pixels, so that the ratio is of equal work), with
// the form the start-up timing chose and each form of our copy the
// processor has (plain, SSE2, AVX2, AVX-512), and one
// whole frame of the game's size on the headless screen. Ours copies each
// picture densely or by its runs, whichever it judges faster; the frame mix
// also times each way alone. The runs of every sprite are indexed by its
// first keyed copy, in the check that comes before any timing.
//
// Sprites are ellipses on black (about half of each picture transparent),
// from 30x30 bullets to a 440x360 boss; they are placed across the play
// field, some of them cut by its edges.
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "engine/eng_draw.h"
#include "engine/eng_system.h"
#include "platform/headless/headless.h"
#include "platform/surface_kernels.h"

namespace {

struct SpriteSize {
    int width, height;
};
constexpr SpriteSize spriteSizes[] = {{30, 30},   {40, 40},   {60, 60},   {80, 80},
                                      {160, 160}, {240, 280}, {360, 480}, {440, 360}};
constexpr int SpriteKinds = sizeof spriteSizes / sizeof spriteSizes[0];
constexpr int FirstSpriteSlot = FirstLoadSlot;
constexpr int FieldLeft = 220, FieldRight = 580;

// How many of each size one frame draws: mostly bullets, a few large blasts
// and pictures, one boss: 400 in all.
constexpr int frameMix[SpriteKinds] = {300, 40, 25, 20, 10, 3, 1, 1};

struct Placement {
    int x, y, slot, w, h;
};

struct Scene {
    SDL_Surface* sdlScreen = nullptr;
    SDL_Surface* sdlSprites[SpriteKinds] = {};
    std::vector<Placement> frame;  // the 400 sprites of one frame
};

uint32_t spritePixel(int x, int y, int w, int h) {
    // An ellipse with radii 0.8 of the half-sizes covers about half the box.
    const double dx = (x + 0.5 - w / 2.0) / (0.8 * w / 2.0), dy = (y + 0.5 - h / 2.0) / (0.8 * h / 2.0);
    if (dx * dx + dy * dy > 1.0) return 0;
    return 0x203040u + static_cast<uint32_t>((x * 7 + y * 13) & 0x7F) * 0x010101u;
}

Scene& scene() {
    static Scene s;
    static bool ready = false;
    if (ready) return s;
    ready = true;
    plat::headless::reset();
    engDraw::Screen(800, 600, 3);
    engDraw::SetClip(FieldLeft, 0, FieldRight, 600);

    s.sdlScreen = SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 32, SDL_PIXELFORMAT_RGB888);
    SDL_Rect field{FieldLeft, 0, FieldRight - FieldLeft, 600};
    SDL_SetClipRect(s.sdlScreen, &field);
    for (int k = 0; k < SpriteKinds; ++k) {
        const int w = spriteSizes[k].width, h = spriteSizes[k].height;
        plat::Surface* ours = plat::createSurface(w, h);
        SDL_Surface* theirs = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGB888);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const uint32_t p = spritePixel(x, y, w, h);
                ours->pixels[y * w + x] = p;
                reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(theirs->pixels) + y * theirs->pitch)[x] = p;
            }
        ImageSlot& slot = imageSlots[FirstSpriteSlot + k];
        slot.surface = ours;
        std::strcpy(slot.name, "SPRITE");
        slot.width = static_cast<uint16_t>(w);
        slot.height = static_cast<uint16_t>(h);
        engDraw::SetColorKey(ours, 0);
        SDL_SetColorKey(theirs, SDL_TRUE, 0);
        SDL_SetSurfaceRLE(theirs, 1);
        s.sdlSprites[k] = theirs;
    }

    engSystem::SeedRand(12345);
    for (int k = 0; k < SpriteKinds; ++k)
        for (int i = 0; i < frameMix[k]; ++i) {
            const int w = spriteSizes[k].width, h = spriteSizes[k].height;
            // Mostly inside the field; some cut by its edges.
            const int x = FieldLeft - w / 2 + engSystem::Rand() % (FieldRight - FieldLeft + w / 2);
            const int y = -h / 2 + engSystem::Rand() % (600 + h / 2);
            s.frame.push_back(Placement{x, y, FirstSpriteSlot + k, w, h});
        }
    return s;
}

void oursBlit(const Placement& p) { engDraw::Blit(p.x, p.y, p.slot, 0, 0, p.w, p.h); }

void sdlBlit(Scene& s, const Placement& p) {
    SDL_Rect dst{p.x, p.y, p.w, p.h};
    SDL_BlitSurface(s.sdlSprites[p.slot - FirstSpriteSlot], nullptr, s.sdlScreen, &dst);
}

// Draws the sprites on a cleared screen with ours and with SDL's blit and
// counts the pixels where the two screens differ (0: the same work).
size_t pixelsThatDiffer(Scene& s, const std::vector<Placement>& sprites) {
    engDraw::ClearScreen();
    SDL_FillRect(s.sdlScreen, nullptr, 0);
    for (const Placement& p : sprites) {
        oursBlit(p);
        sdlBlit(s, p);
    }
    size_t differ = 0;
    for (int y = 0; y < 600; ++y) {
        const uint32_t* theirs =
            reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(s.sdlScreen->pixels) + y * s.sdlScreen->pitch);
        const uint32_t* ours = backSurface->pixels + static_cast<size_t>(y) * backSurface->width;
        for (int x = 0; x < 800; ++x) differ += (ours[x] & 0x00FFFFFFu) != (theirs[x] & 0x00FFFFFFu);
    }
    return differ;
}

// Times our blit and SDL's on the same sprites in turns, so that both meet
// the same machine load, and each goes first every other turn (the second
// finds the caches as the first left them); reports each per frame of
// sprites and SDL's time over ours (above 1: ours is faster).
void compareOnSprites(benchmark::State& state, const std::vector<Placement>& sprites) {
    using Clock = std::chrono::steady_clock;
    Scene& s = scene();
    // A speed ratio means something only if both did the same work.
    if (const size_t differ = pixelsThatDiffer(s, sprites); differ != 0) {
        state.SkipWithError((std::to_string(differ) + " pixels differ from SDL's copy").c_str());
        return;
    }
    Clock::duration ours{}, theirs{};
    const auto timeOurs = [&] {
        const auto start = Clock::now();
        for (const Placement& p : sprites) oursBlit(p);
        ours += Clock::now() - start;
    };
    const auto timeTheirs = [&] {
        const auto start = Clock::now();
        for (const Placement& p : sprites) sdlBlit(s, p);
        theirs += Clock::now() - start;
    };
    bool oursFirst = true;
    for (auto _ : state) {
        if (oursFirst) {
            timeOurs();
            timeTheirs();
        } else {
            timeTheirs();
            timeOurs();
        }
        oursFirst = !oursFirst;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["ours_us"] = std::chrono::duration<double, std::micro>(ours).count() / n;
    state.counters["sdl_us"] = std::chrono::duration<double, std::micro>(theirs).count() / n;
    state.counters["sdl_over_ours"] = std::chrono::duration<double>(theirs) / std::chrono::duration<double>(ours);
}

constexpr const char* formNames[] = {"plain", "sse2", "avx2", "avx512"};
constexpr const char* methodNames[] = {"", " dense only", " runs only"};

// Picks the form of our keyed copy (0 plain, 1 SSE2, 2 AVX2, 3 AVX-512, -1
// the one the start-up timing chose) and how it copies (0 chosen per
// picture, 1 dense, 2 by runs); returns the form's name, empty (the
// benchmark skipped) when the processor lacks the form.
std::string pickKeyedCopy(benchmark::State& state, int64_t level, int64_t method) {
    std::string name;
    if (level < 0) {
        name = std::string("default (") + formNames[static_cast<int>(plat::useMeasuredKeyedCopy())] + ")";
    } else if (plat::useKeyedCopy(static_cast<plat::KeyedCopyLevel>(level))) {
        name = formNames[level];
    } else {
        state.SkipWithError("not supported by this processor");
        return {};
    }
    plat::useKeyedCopyMethod(static_cast<plat::KeyedCopyMethod>(method));
    return name;
}

// Back to the start-up choice.
void resetKeyedCopy() {
    plat::useKeyedCopyMethod(plat::KeyedCopyMethod::Auto);
    plat::useMeasuredKeyedCopy();
}

// The sprites of one size, at the frame's positions for that size.
void BM_KeyedBlitBySize(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(1));
    const std::string form = pickKeyedCopy(state, state.range(0), 0);
    if (form.empty()) return;
    std::vector<Placement> sprites;
    for (const Placement& p : scene().frame)
        if (p.slot == FirstSpriteSlot + kind) sprites.push_back(p);
    compareOnSprites(state, sprites);
    resetKeyedCopy();
    state.SetLabel(form + " " + std::to_string(spriteSizes[kind].width) + "x" +
                   std::to_string(spriteSizes[kind].height) + " x" + std::to_string(sprites.size()));
}

// All 400 sprites of a frame, without clearing or presenting.
void BM_KeyedBlitFrameMix(benchmark::State& state) {
    scene();
    const std::string form = pickKeyedCopy(state, state.range(0), state.range(1));
    if (form.empty()) return;
    compareOnSprites(state, scene().frame);
    resetKeyedCopy();
    state.SetLabel(form + methodNames[state.range(1)]);
}

// One whole frame: clear, 400 keyed sprites, present to the headless screen.
void BM_Frame(benchmark::State& state) {
    Scene& s = scene();
    const std::string form = pickKeyedCopy(state, state.range(0), 0);
    if (form.empty()) return;
    for (auto _ : state) {
        engDraw::ClearScreen();
        for (const Placement& p : s.frame) oursBlit(p);
        engDraw::Present();
    }
    resetKeyedCopy();
    state.SetLabel(form);
}

}  // namespace

// Arguments: form (-1 the default, 0 plain, 1 SSE2, 2 AVX2, 3 AVX-512), then
// sprite size or method.
BENCHMARK(BM_KeyedBlitBySize)->ArgsProduct({{-1, 0, 1, 2, 3}, benchmark::CreateDenseRange(0, SpriteKinds - 1, 1)});
BENCHMARK(BM_KeyedBlitFrameMix)->ArgsProduct({{-1, 0, 1, 2, 3}, {0, 1, 2}});
BENCHMARK(BM_Frame)->DenseRange(-1, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
