// Drawing primitives of the built-in asset set.
//
// A Canvas holds premultiplied RGBA floats. Shapes are described as paths
// (closed contours, filled by the non-zero rule) and rasterised into coverage
// masks with anti-aliased edges; masks are then painted with a shader, lit
// with a bevel, outlined, and so on. When the picture is written out, pixels
// with little coverage become pure black (the colour key) and every other
// pixel is kept clearly above black.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace standin {

// ---------------------------------------------------------------------------
// Colours
// ---------------------------------------------------------------------------
struct Rgb {
    float r = 0, g = 0, b = 0;
};
constexpr Rgb rgb(int r, int g, int b) { return {r / 255.0f, g / 255.0f, b / 255.0f}; }
inline Rgb operator*(Rgb c, float k) { return {c.r * k, c.g * k, c.b * k}; }
inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb mix(Rgb a, Rgb b, float t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

inline float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
inline float smoothstep(float e0, float e1, float v) {
    float t = clamp01((v - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

// Relative luminance 0..1 of a colour as a display shows it (sRGB channels
// made linear, weighted by what the eye sees), and the colour made at least
// `target` bright: first scaled up as it is, then blended towards white.
float relativeLuminance(Rgb c);
Rgb liftToLuminance(Rgb c, float target);

// A colour ramp: stops at positions 0..1, looked up with linear blending.
struct RampStop {
    float at;
    Rgb colour;
};
Rgb ramp(const RampStop* stops, int count, float t);
template <int N>
Rgb ramp(const RampStop (&stops)[N], float t) { return ramp(stops, N, t); }

// ---------------------------------------------------------------------------
// Deterministic randomness and noise, local to one picture
// ---------------------------------------------------------------------------
class LocalRandom {
public:
    explicit LocalRandom(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
    uint32_t next();
    float uniform() { return static_cast<float>(next() >> 8) * (1.0f / 16777216.0f); }  // [0, 1)
    float range(float lo, float hi) { return lo + (hi - lo) * uniform(); }
    int below(int n) { return n <= 0 ? 0 : static_cast<int>(next() % static_cast<uint32_t>(n)); }

private:
    uint64_t state_;
};

// Value noise in 0..1 on a unit lattice. A period above 0 makes the noise
// repeat after that many lattice cells (for tiles that meet themselves).
float valueNoise(float x, float y, uint32_t seed, int periodX = 0, int periodY = 0);
// Sum of `octaves` layers of value noise, each twice as fine and half as
// strong; 0..1. Periods double with each octave.
float fbm(float x, float y, uint32_t seed, int octaves, int periodX = 0, int periodY = 0);

// ---------------------------------------------------------------------------
// Scratch memory
// ---------------------------------------------------------------------------
// Large buffers are asked for in huge pages where the system offers them:
// touching fresh memory a small page at a time is slow on some systems.
// Give a block back to freeLarge with the size it was asked for.
void* allocateLarge(size_t bytes);
void freeLarge(void* p, size_t bytes);

template <class T>
struct LargeAllocator {
    using value_type = T;
    LargeAllocator() = default;
    template <class U>
    LargeAllocator(const LargeAllocator<U>&) {}
    T* allocate(size_t n) { return static_cast<T*>(allocateLarge(n * sizeof(T))); }
    void deallocate(T* p, size_t n) { freeLarge(p, n * sizeof(T)); }
    template <class U>
    bool operator==(const LargeAllocator<U>&) const { return true; }
};
using FloatBuffer = std::vector<float, LargeAllocator<float>>;

// Float buffers reused within a thread: making a picture takes and frees
// many large buffers, and memory fresh from the system is slow to touch.
// takeFloats gives `count` zeros; giveFloats hands a buffer back.
FloatBuffer takeFloats(size_t count);
void giveFloats(FloatBuffer&& buffer);

// ---------------------------------------------------------------------------
// Canvas
// ---------------------------------------------------------------------------
struct Canvas {
    // A transparent canvas. Its pixel store is reused from the last ones this
    // thread let go, so that making many pictures does not keep asking the
    // system for fresh memory.
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int w, h;
    FloatBuffer px;  // premultiplied r, g, b, a per pixel
    // Coverage below which a pixel is written as the colour key. Soft edges
    // above it are kept, blended towards black.
    float keyThreshold = 0.2f;

    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
    float* at(int x, int y) { return &px[(static_cast<size_t>(y) * w + x) * 4]; }
    const float* at(int x, int y) const { return &px[(static_cast<size_t>(y) * w + x) * 4]; }
    float alpha(int x, int y) const { return inside(x, y) ? at(x, y)[3] : 0.0f; }

    // Sets the pixel to an opaque colour (inside the canvas only).
    void setOpaque(int x, int y, Rgb c) {
        float* p = at(x, y);
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
        p[3] = 1;
    }
    // Paints colour c over the pixel with coverage a.
    void over(int x, int y, Rgb c, float a) {
        if (a <= 0 || !inside(x, y)) return;
        if (a > 1) a = 1;
        float* p = at(x, y);
        float k = 1 - a;
        p[0] = c.r * a + p[0] * k;
        p[1] = c.g * a + p[1] * k;
        p[2] = c.b * a + p[2] * k;
        p[3] = a + p[3] * k;
    }
    // Adds light: the colour is added, the coverage raised.
    void add(int x, int y, Rgb c, float a) {
        if (a <= 0 || !inside(x, y)) return;
        float* p = at(x, y);
        p[0] += c.r * a;
        p[1] += c.g * a;
        p[2] += c.b * a;
        p[3] = p[3] + a * (1 - p[3]);
    }
    // Multiplies the colour (not the coverage) by k, e.g. to scorch.
    void darken(int x, int y, float k) {
        if (!inside(x, y)) return;
        float* p = at(x, y);
        p[0] *= k;
        p[1] *= k;
        p[2] *= k;
    }
    // Removes coverage (cuts a hole), keeping the colour premultiplied.
    void erase(int x, int y, float a) {
        if (a <= 0 || !inside(x, y)) return;
        float* p = at(x, y);
        float k = 1 - clamp01(a);
        for (int i = 0; i < 4; ++i) p[i] *= k;
    }
};

// Draws `src` scaled by `scale` with its top-left at (x, y) (bilinear).
void drawCanvasScaled(Canvas& dst, const Canvas& src, float x, float y, float scale);
// Fills the whole canvas with an opaque colour.
void fillOpaque(Canvas& canvas, Rgb colour);

// ---------------------------------------------------------------------------
// Paths and masks
// ---------------------------------------------------------------------------
struct Pt {
    float x, y;
};

struct Path {
    std::vector<std::vector<Pt>> contours;

    // Every add keeps its contour counter-clockwise on the screen (filled);
    // addHole adds a clockwise one, which cuts the area out.
    Path& addPolygon(std::initializer_list<Pt> pts);
    Path& addPolygon(const std::vector<Pt>& pts);
    Path& addHole(const std::vector<Pt>& pts);
    Path& addRect(float x0, float y0, float x1, float y1);
    Path& addEllipse(float cx, float cy, float rx, float ry, int segments = 48);
    // A polygon given for the left half of a shape, mirrored about x = axis
    // into one symmetric contour (the points run from top to bottom).
    Path& addMirrored(std::initializer_list<Pt> leftHalf, float axis);
    // The same contour again, mirrored about x = axis.
    Path& mirrorAll(float axis);
    Path& transform(float cx, float cy, float angle, float scale, float dx, float dy);
};

// Coverage 0..1 per pixel of a canvas-sized area. Only the box that the
// shape touches is stored; everything outside it is uncovered.
struct Mask {
    Mask(int width, int height) : w(width), h(height) {}
    ~Mask() { giveFloats(std::move(a)); }
    Mask(Mask&& other) noexcept = default;
    Mask& operator=(Mask&& other) noexcept = default;
    Mask(const Mask&) = delete;
    Mask& operator=(const Mask&) = delete;

    int w, h;                            // the canvas it belongs to
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // the stored box, exclusive ends; empty when x0 == x1
    FloatBuffer a;                       // (x1 - x0) * (y1 - y0) values

    bool empty() const { return x0 >= x1 || y0 >= y1; }
    float get(int x, int y) const {
        return (x < x0 || y < y0 || x >= x1 || y >= y1) ? 0.0f
                                                        : a[static_cast<size_t>(y - y0) * (x1 - x0) + (x - x0)];
    }
    // A pixel inside the stored box.
    float& ref(int x, int y) { return a[static_cast<size_t>(y - y0) * (x1 - x0) + (x - x0)]; }
    // Widens the stored box to include the given one (clipped to the canvas),
    // keeping the values.
    void include(int bx0, int by0, int bx1, int by1);
};

Mask fillPath(const Path& path, int width, int height);
Mask capsuleMask(int width, int height, Pt p0, Pt p1, float radius);
void unite(Mask& into, const Mask& other);
void subtract(Mask& from, const Mask& other);
void intersect(Mask& into, const Mask& other);

// ---------------------------------------------------------------------------
// Painting
// ---------------------------------------------------------------------------

// Paints every covered pixel with shader(x, y) -> Rgb, scaled by `opacity`.
template <class Shader>
void paintMask(Canvas& canvas, const Mask& mask, Shader shader, float opacity = 1.0f) {
    for (int y = mask.y0; y < mask.y1; ++y)
        for (int x = mask.x0; x < mask.x1; ++x) {
            float a = mask.get(x, y);
            if (a > 0) canvas.over(x, y, shader(static_cast<float>(x), static_cast<float>(y)), a * opacity);
        }
}
inline void paintMask(Canvas& canvas, const Mask& mask, Rgb colour, float opacity = 1.0f) {
    paintMask(canvas, mask, [colour](float, float) { return colour; }, opacity);
}

// Per-pixel lighting of a mask seen as a raised plate: 0 on flat areas,
// positive on edges facing the light (top left), negative on those away
// from it. `width` is how far in from the edge the bevel runs.
struct Bevel {
    Bevel(int left, int top, int width, int height) : x0(left), y0(top), w(width), h(height) {}
    ~Bevel() { giveFloats(std::move(light)); }
    Bevel(Bevel&&) noexcept = default;
    Bevel(const Bevel&) = delete;
    Bevel& operator=(const Bevel&) = delete;

    int x0, y0, w, h;
    FloatBuffer light;
    float at(int x, int y) const {
        x -= x0;
        y -= y0;
        return (x < 0 || y < 0 || x >= w || y >= h) ? 0.0f : light[static_cast<size_t>(y) * w + x];
    }
};
Bevel makeBevel(const Mask& mask, float width);

// A hull surface: base colour lit by its bevel, a top-to-bottom shade,
// grime noise and a soft sheen.
struct Material {
    Rgb base;
    float bevelWidth = 4;
    float bevelStrength = 0.55f;  // how much the bevel lights and shades
    float grime = 0.12f;          // noise darkening
    float grimeScale = 0.08f;     // noise frequency (per pixel)
    float topLight = 0.15f;       // brighter towards the top of the mask
    float sheen = 0.0f;           // a bright band along the middle x of the mask
};
void paintSurface(Canvas& canvas, const Mask& mask, const Material& material, uint32_t seed);

// Adds a dark rim of one pixel round everything covered at least `inside`.
void outline(Canvas& canvas, Rgb colour, float inside = 0.5f);

// Radial light: colour added with a fall-off to 0 at `radius`.
void glow(Canvas& canvas, float cx, float cy, float radius, Rgb colour, float strength = 1.0f);
// An elliptical glow stretched along one axis (rx, ry).
void glowEllipse(Canvas& canvas, float cx, float cy, float rx, float ry, Rgb colour, float strength = 1.0f);

// A straight line of the given width, painted (anti-aliased).
void strokeLine(Canvas& canvas, Pt p0, Pt p1, float width, Rgb colour, float opacity = 1.0f);
// A polyline through the points.
void strokePolyline(Canvas& canvas, const std::vector<Pt>& pts, float width, Rgb colour, float opacity = 1.0f);
// A filled ellipse in one colour.
void fillEllipse(Canvas& canvas, float cx, float cy, float rx, float ry, Rgb colour, float opacity = 1.0f);

// A glossy dome (cockpit, lamp): dark rim, body colour, highlight at top left.
void paintDome(Canvas& canvas, float cx, float cy, float rx, float ry, Rgb colour);

// A flame from (x, baseY) reaching `length` pixels down (direction +1) or up
// (-1), `width` wide at its base and tapering to a point; coloured by heat
// through the ramp (1 at the root on the axis).
void paintFlame(Canvas& canvas, float x, float baseY, float length, float width, int direction,
                const RampStop* stops, int count, float wobble = 0.0f, uint32_t seed = 0);

// A glowing streak from `tail` to `head`: widest and brightest at the head,
// thinning and fading towards the tail, with a light core.
void paintStreak(Canvas& canvas, Pt tail, Pt head, float width, Rgb glowColour, Rgb core);

// Scorches: darkens covered pixels with blotchy noise, up to `amount`.
void scorch(Canvas& canvas, const Mask& where, float amount, float scale, uint32_t seed);

// Final pixel of the written picture: 0x00RRGGBB, pure black where the
// coverage is below `threshold`, otherwise kept clearly above black.
uint32_t finishPixel(const float* p, float threshold);

}  // namespace standin
