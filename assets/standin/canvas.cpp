#include "assets/standin/canvas.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "platform/large_memory.h"

namespace standin {

// ---------------------------------------------------------------------------
// Colours, randomness, noise
// ---------------------------------------------------------------------------
Rgb ramp(const RampStop* stops, int count, float t) {
    if (t <= stops[0].at) return stops[0].colour;
    for (int i = 1; i < count; ++i) {
        if (t <= stops[i].at) {
            float span = stops[i].at - stops[i - 1].at;
            float k = span > 0 ? (t - stops[i - 1].at) / span : 1.0f;
            return mix(stops[i - 1].colour, stops[i].colour, k);
        }
    }
    return stops[count - 1].colour;
}

float relativeLuminance(Rgb c) {
    auto linear = [](float v) {
        v = clamp01(v);
        return v <= 0.04045f ? v / 12.92f : std::pow((v + 0.055f) / 1.055f, 2.4f);
    };
    return 0.2126f * linear(c.r) + 0.7152f * linear(c.g) + 0.0722f * linear(c.b);
}

Rgb liftToLuminance(Rgb c, float target) {
    c = {clamp01(c.r), clamp01(c.g), clamp01(c.b)};
    if (relativeLuminance(c) >= target) return c;
    // The least change that reaches the target, found by halving the step.
    auto least = [target](auto colourAt) {
        float lo = 0, hi = 1;
        for (int i = 0; i < 20; ++i) {
            float mid = (lo + hi) * 0.5f;
            (relativeLuminance(colourAt(mid)) >= target ? hi : lo) = mid;
        }
        return colourAt(hi);
    };
    float top = std::max(c.r, std::max(c.g, c.b));
    if (top > 0) {
        Rgb full = c * (1 / top);
        if (relativeLuminance(full) >= target) return least([&](float t) { return mix(c, full, t); });
        c = full;
    }
    return least([&](float t) { return mix(c, rgb(255, 255, 255), t); });
}

uint32_t LocalRandom::next() {
    // splitmix64
    state_ += 0x9E3779B97F4A7C15ull;
    uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
}

namespace {

// A shuffled table of 256 indexes and 256 random values, made once.
struct LatticeTables {
    uint8_t perm[256];
    float value[256];
    LatticeTables() {
        LocalRandom random(0x1A77u);
        for (int i = 0; i < 256; ++i) {
            perm[i] = static_cast<uint8_t>(i);
            value[i] = random.uniform();
        }
        for (int i = 255; i > 0; --i) std::swap(perm[i], perm[random.below(i + 1)]);
    }
};
const LatticeTables lattices;

// The random value at a lattice point; repeats every 256 points.
inline float lattice(int x, int y, uint32_t seed) {
    uint32_t s = seed * 0x9E3779B1u;
    int a = lattices.perm[(static_cast<uint32_t>(x) + (s >> 8)) & 255u];
    int b = lattices.perm[(static_cast<uint32_t>(a + y) + (s >> 16)) & 255u];
    return lattices.value[(static_cast<uint32_t>(b) + (s >> 24)) & 255u];
}

inline int wrap(int v, int period) {
    if (period <= 0) return v;
    v %= period;
    return v < 0 ? v + period : v;
}

}  // namespace

float valueNoise(float x, float y, uint32_t seed, int periodX, int periodY) {
    float fx = std::floor(x), fy = std::floor(y);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    float tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    int x0 = wrap(ix, periodX), x1 = wrap(ix + 1, periodX);
    int y0 = wrap(iy, periodY), y1 = wrap(iy + 1, periodY);
    float a = lattice(x0, y0, seed), b = lattice(x1, y0, seed);
    float c = lattice(x0, y1, seed), d = lattice(x1, y1, seed);
    float top = a + (b - a) * tx;
    float bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float fbm(float x, float y, uint32_t seed, int octaves, int periodX, int periodY) {
    float sum = 0, amplitude = 0.5f, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += valueNoise(x, y, seed + static_cast<uint32_t>(o) * 1013u, periodX, periodY) * amplitude;
        total += amplitude;
        x *= 2;
        y *= 2;
        periodX *= 2;
        periodY *= 2;
        amplitude *= 0.5f;
    }
    return sum / total;
}

// ---------------------------------------------------------------------------
// Canvas
// ---------------------------------------------------------------------------
// The size given back tells the two kinds apart: blocks from
// plat::LargeBlockMinimum on come from the platform, smaller ones from malloc.
void* allocateLarge(size_t bytes) {
    void* p = bytes < plat::LargeBlockMinimum ? std::malloc(bytes) : plat::allocateLargeBlock(bytes);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

void freeLarge(void* p, size_t bytes) {
    if (bytes < plat::LargeBlockMinimum)
        std::free(p);
    else
        plat::freeLargeBlock(p, bytes);
}

namespace {
thread_local std::vector<FloatBuffer> spareFloats;
constexpr size_t MaxSpareBuffers = 24;
constexpr size_t MaxSpareFloats = 4u << 20;  // 16 MB kept at most, per thread
}  // namespace

FloatBuffer takeFloats(size_t count) {
    // The smallest spare buffer that is big enough, else the biggest one.
    size_t best = spareFloats.size();
    for (size_t i = 0; i < spareFloats.size(); ++i) {
        size_t capacity = spareFloats[i].capacity();
        if (best == spareFloats.size()) {
            best = i;
            continue;
        }
        size_t bestCapacity = spareFloats[best].capacity();
        bool fits = capacity >= count, bestFits = bestCapacity >= count;
        bool better = fits ? (!bestFits || capacity < bestCapacity) : (!bestFits && capacity > bestCapacity);
        if (better) best = i;
    }
    FloatBuffer buffer;
    if (best < spareFloats.size()) {
        buffer = std::move(spareFloats[best]);
        spareFloats.erase(spareFloats.begin() + static_cast<long>(best));
    }
    buffer.assign(count, 0.0f);
    return buffer;
}

void giveFloats(FloatBuffer&& buffer) {
    if (buffer.capacity() == 0) return;
    size_t kept = buffer.capacity();
    for (const FloatBuffer& spare : spareFloats) kept += spare.capacity();
    while (!spareFloats.empty() && (spareFloats.size() >= MaxSpareBuffers || kept > MaxSpareFloats)) {
        // Keep the bigger buffers: drop the smallest spare, unless this one is smaller still.
        auto smallest = std::min_element(spareFloats.begin(), spareFloats.end(),
                                         [](const auto& a, const auto& b) { return a.capacity() < b.capacity(); });
        if (smallest->capacity() >= buffer.capacity()) return;
        kept -= smallest->capacity();
        spareFloats.erase(smallest);
    }
    if (kept > MaxSpareFloats) return;
    spareFloats.push_back(std::move(buffer));
    buffer = FloatBuffer();
}

Canvas::Canvas(int width, int height) : w(width), h(height), px(takeFloats(static_cast<size_t>(width) * height * 4)) {}

Canvas::~Canvas() { giveFloats(std::move(px)); }

void drawCanvasScaled(Canvas& dst, const Canvas& src, float x, float y, float scale) {
    if (scale <= 0) return;
    int x0 = std::max(0, static_cast<int>(std::floor(x))), y0 = std::max(0, static_cast<int>(std::floor(y)));
    int x1 = std::min(dst.w, static_cast<int>(std::ceil(x + src.w * scale)));
    int y1 = std::min(dst.h, static_cast<int>(std::ceil(y + src.h * scale)));
    for (int dy = y0; dy < y1; ++dy)
        for (int dx = x0; dx < x1; ++dx) {
            float sx = (dx + 0.5f - x) / scale - 0.5f, sy = (dy + 0.5f - y) / scale - 0.5f;
            int ix = static_cast<int>(std::floor(sx)), iy = static_cast<int>(std::floor(sy));
            float fx = sx - ix, fy = sy - iy;
            float v[4] = {0, 0, 0, 0};
            for (int k = 0; k < 4; ++k) {
                int px = ix + (k & 1), py = iy + (k >> 1);
                if (!src.inside(px, py)) continue;
                float wgt = ((k & 1) ? fx : 1 - fx) * ((k >> 1) ? fy : 1 - fy);
                const float* s = src.at(px, py);
                for (int i = 0; i < 4; ++i) v[i] += s[i] * wgt;
            }
            if (v[3] <= 0) continue;
            float* d = dst.at(dx, dy);
            float k = 1 - std::min(1.0f, v[3]);
            for (int i = 0; i < 4; ++i) d[i] = v[i] + d[i] * k;
        }
}

void fillOpaque(Canvas& canvas, Rgb colour) {
    for (size_t i = 0; i < canvas.px.size(); i += 4) {
        canvas.px[i] = colour.r;
        canvas.px[i + 1] = colour.g;
        canvas.px[i + 2] = colour.b;
        canvas.px[i + 3] = 1;
    }
}

// ---------------------------------------------------------------------------
// Paths
// ---------------------------------------------------------------------------
namespace {

float signedArea(const std::vector<Pt>& pts) {
    float area = 0;
    for (size_t i = 0, n = pts.size(); i < n; ++i) {
        const Pt& p = pts[i];
        const Pt& q = pts[(i + 1) % n];
        area += p.x * q.y - q.x * p.y;
    }
    return area;
}

void orient(std::vector<Pt>& pts, bool filled) {
    if ((signedArea(pts) >= 0) != filled) std::reverse(pts.begin(), pts.end());
}

}  // namespace

Path& Path::addPolygon(std::initializer_list<Pt> pts) { return addPolygon(std::vector<Pt>(pts)); }

Path& Path::addPolygon(const std::vector<Pt>& pts) {
    if (pts.size() < 3) return *this;
    contours.push_back(pts);
    orient(contours.back(), true);
    return *this;
}

Path& Path::addHole(const std::vector<Pt>& pts) {
    if (pts.size() < 3) return *this;
    contours.push_back(pts);
    orient(contours.back(), false);
    return *this;
}

Path& Path::addRect(float x0, float y0, float x1, float y1) {
    return addPolygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

Path& Path::addEllipse(float cx, float cy, float rx, float ry, int segments) {
    std::vector<Pt> pts;
    pts.reserve(static_cast<size_t>(segments));
    for (int i = 0; i < segments; ++i) {
        double a = 2.0 * 3.14159265358979 * i / segments;
        pts.push_back({cx + rx * static_cast<float>(std::cos(a)), cy + ry * static_cast<float>(std::sin(a))});
    }
    return addPolygon(pts);
}

Path& Path::addMirrored(std::initializer_list<Pt> leftHalf, float axis) {
    std::vector<Pt> pts(leftHalf);
    for (auto it = std::rbegin(leftHalf); it != std::rend(leftHalf); ++it) pts.push_back({2 * axis - it->x, it->y});
    return addPolygon(pts);
}

Path& Path::mirrorAll(float axis) {
    size_t n = contours.size();
    for (size_t i = 0; i < n; ++i) {
        std::vector<Pt> pts = contours[i];
        for (Pt& p : pts) p.x = 2 * axis - p.x;
        std::reverse(pts.begin(), pts.end());
        contours.push_back(pts);
    }
    return *this;
}

Path& Path::transform(float cx, float cy, float angle, float scale, float dx, float dy) {
    float c = std::cos(angle) * scale, s = std::sin(angle) * scale;
    for (auto& contour : contours)
        for (Pt& p : contour) {
            float x = p.x - cx, y = p.y - cy;
            p = {cx + x * c - y * s + dx, cy + x * s + y * c + dy};
        }
    return *this;
}

// ---------------------------------------------------------------------------
// Masks
// ---------------------------------------------------------------------------
void Mask::include(int bx0, int by0, int bx1, int by1) {
    bx0 = std::max(bx0, 0);
    by0 = std::max(by0, 0);
    bx1 = std::min(bx1, w);
    by1 = std::min(by1, h);
    if (bx0 >= bx1 || by0 >= by1) return;
    if (!empty()) {
        if (bx0 >= x0 && by0 >= y0 && bx1 <= x1 && by1 <= y1) return;
        bx0 = std::min(bx0, x0);
        by0 = std::min(by0, y0);
        bx1 = std::max(bx1, x1);
        by1 = std::max(by1, y1);
    }
    FloatBuffer grown = takeFloats(static_cast<size_t>(bx1 - bx0) * (by1 - by0));
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) grown[static_cast<size_t>(y - by0) * (bx1 - bx0) + (x - bx0)] = get(x, y);
    a.swap(grown);
    giveFloats(std::move(grown));
    x0 = bx0;
    y0 = by0;
    x1 = bx1;
    y1 = by1;
}

Mask fillPath(const Path& path, int width, int height) {
    Mask mask(width, height);
    float minX = 1e9f, minY = 1e9f, maxX = -1e9f, maxY = -1e9f;
    for (const auto& contour : path.contours)
        for (const Pt& p : contour) {
            minX = std::min(minX, p.x);
            minY = std::min(minY, p.y);
            maxX = std::max(maxX, p.x);
            maxY = std::max(maxY, p.y);
        }
    if (minX > maxX) return mask;
    mask.include(static_cast<int>(std::floor(minX)), static_cast<int>(std::floor(minY)),
                 static_cast<int>(std::ceil(maxX)) + 1, static_cast<int>(std::ceil(maxY)) + 1);
    if (mask.empty()) return mask;
    const int rowStart = mask.y0, rowEnd = mask.y1;
    const int colStart = mask.x0, colEnd = mask.x1;
    constexpr int SubRows = 5;
    constexpr float SubWeight = 1.0f / SubRows;

    struct Crossing {
        float x;
        int dir;
    };
    std::vector<Crossing> crossings;
    for (int y = rowStart; y < rowEnd; ++y) {
        float* row = &mask.ref(colStart, y) - colStart;  // indexed by canvas x
        for (int s = 0; s < SubRows; ++s) {
            float ys = static_cast<float>(y) + (static_cast<float>(s) + 0.5f) * SubWeight;
            crossings.clear();
            for (const auto& contour : path.contours) {
                size_t n = contour.size();
                for (size_t i = 0; i < n; ++i) {
                    const Pt& p = contour[i];
                    const Pt& q = contour[(i + 1) % n];
                    if (p.y <= ys && ys < q.y)
                        crossings.push_back({p.x + (ys - p.y) * (q.x - p.x) / (q.y - p.y), 1});
                    else if (q.y <= ys && ys < p.y)
                        crossings.push_back({p.x + (ys - p.y) * (q.x - p.x) / (q.y - p.y), -1});
                }
            }
            std::sort(crossings.begin(), crossings.end(),
                      [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
            int winding = 0;
            float spanStart = 0;
            for (const Crossing& c : crossings) {
                int before = winding;
                winding += c.dir;
                if (before == 0 && winding != 0) {
                    spanStart = c.x;
                } else if (before != 0 && winding == 0) {
                    float xa = std::max(spanStart, static_cast<float>(colStart));
                    float xb = std::min(c.x, static_cast<float>(colEnd));
                    if (xb <= xa) continue;
                    int ia = static_cast<int>(xa), ib = static_cast<int>(xb);
                    if (ia == ib) {
                        row[ia] += (xb - xa) * SubWeight;
                    } else {
                        row[ia] += (static_cast<float>(ia + 1) - xa) * SubWeight;
                        for (int i = ia + 1; i < ib; ++i) row[i] += SubWeight;
                        if (ib < colEnd) row[ib] += (xb - static_cast<float>(ib)) * SubWeight;
                    }
                }
            }
        }
        for (int x = colStart; x < colEnd; ++x)
            if (row[x] > 1) row[x] = 1;
    }
    return mask;
}

Mask capsuleMask(int width, int height, Pt p0, Pt p1, float radius) {
    Mask mask(width, height);
    int bx0 = std::max(0, static_cast<int>(std::floor(std::min(p0.x, p1.x) - radius - 1)));
    int by0 = std::max(0, static_cast<int>(std::floor(std::min(p0.y, p1.y) - radius - 1)));
    int bx1 = std::min(width, static_cast<int>(std::ceil(std::max(p0.x, p1.x) + radius + 2)));
    int by1 = std::min(height, static_cast<int>(std::ceil(std::max(p0.y, p1.y) + radius + 2)));
    mask.include(bx0, by0, bx1, by1);
    if (mask.empty()) return mask;
    float dx = p1.x - p0.x, dy = p1.y - p0.y;
    float len2 = dx * dx + dy * dy;
    for (int y = mask.y0; y < mask.y1; ++y)
        for (int x = mask.x0; x < mask.x1; ++x) {
            float px = static_cast<float>(x) + 0.5f - p0.x, py = static_cast<float>(y) + 0.5f - p0.y;
            float t = len2 > 0 ? clamp01((px * dx + py * dy) / len2) : 0.0f;
            float ex = px - t * dx, ey = py - t * dy;
            mask.ref(x, y) = clamp01(radius - std::sqrt(ex * ex + ey * ey) + 0.5f);
        }
    return mask;
}

void unite(Mask& into, const Mask& other) {
    if (other.empty()) return;
    into.include(other.x0, other.y0, other.x1, other.y1);
    for (int y = other.y0; y < other.y1; ++y)
        for (int x = other.x0; x < other.x1; ++x) {
            float v = other.get(x, y);
            float& d = into.ref(x, y);
            if (v > d) d = v;
        }
}

void subtract(Mask& from, const Mask& other) {
    int bx0 = std::max(from.x0, other.x0), bx1 = std::min(from.x1, other.x1);
    int by0 = std::max(from.y0, other.y0), by1 = std::min(from.y1, other.y1);
    for (int y = by0; y < by1; ++y)
        for (int x = bx0; x < bx1; ++x) from.ref(x, y) *= 1 - other.get(x, y);
}

void intersect(Mask& into, const Mask& other) {
    for (int y = into.y0; y < into.y1; ++y)
        for (int x = into.x0; x < into.x1; ++x) into.ref(x, y) *= other.get(x, y);
}

// ---------------------------------------------------------------------------
// Lighting and painting
// ---------------------------------------------------------------------------
Bevel makeBevel(const Mask& mask, float width) {
    Bevel bevel(mask.x0 - 1, mask.y0 - 1, mask.x1 - mask.x0 + 2, mask.y1 - mask.y0 + 2);
    if (mask.empty()) {
        bevel.w = bevel.h = 0;
        return bevel;
    }
    const int w = bevel.w, h = bevel.h;
    // Chamfer distance (3-4) from the outside, in pixels.
    FloatBuffer dist = takeFloats(static_cast<size_t>(w) * h);
    constexpr float Far = 1e6f;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float cover = mask.get(x + bevel.x0, y + bevel.y0);
            dist[static_cast<size_t>(y) * w + x] = cover >= 0.5f ? Far : 0.0f;
        }
    auto d = [&](int x, int y) -> float& { return dist[static_cast<size_t>(y) * w + x]; };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float v = d(x, y);
            if (v == 0) continue;
            if (x > 0) v = std::min(v, d(x - 1, y) + 1.0f);
            if (y > 0) {
                v = std::min(v, d(x, y - 1) + 1.0f);
                if (x > 0) v = std::min(v, d(x - 1, y - 1) + 1.4142f);
                if (x + 1 < w) v = std::min(v, d(x + 1, y - 1) + 1.4142f);
            }
            d(x, y) = v;
        }
    for (int y = h - 1; y >= 0; --y)
        for (int x = w - 1; x >= 0; --x) {
            float v = d(x, y);
            if (v == 0) continue;
            if (x + 1 < w) v = std::min(v, d(x + 1, y) + 1.0f);
            if (y + 1 < h) {
                v = std::min(v, d(x, y + 1) + 1.0f);
                if (x + 1 < w) v = std::min(v, d(x + 1, y + 1) + 1.4142f);
                if (x > 0) v = std::min(v, d(x - 1, y + 1) + 1.4142f);
            }
            d(x, y) = v;
        }
    // Height: rises over the bevel width, flat inside.
    FloatBuffer height = takeFloats(dist.size());
    for (size_t i = 0; i < dist.size(); ++i) {
        float t = clamp01((dist[i] - 0.5f) / width);
        height[i] = 1 - (1 - t) * (1 - t);
    }
    // Light from the top left, slightly in front.
    const float lx = -0.55f, ly = -0.65f, lz = 0.52f;
    bevel.light = takeFloats(dist.size());
    for (int y = 1; y + 1 < h; ++y)
        for (int x = 1; x + 1 < w; ++x) {
            size_t i = static_cast<size_t>(y) * w + x;
            if (dist[i] > width + 2) continue;  // flat inside: no light change
            float gx = (height[i + 1] - height[i - 1]) * 0.5f * width;
            float gy = (height[i + w] - height[i - w]) * 0.5f * width;
            float nx = -gx, ny = -gy, nz = 1.0f;
            float len = std::sqrt(nx * nx + ny * ny + nz * nz);
            float lit = (nx * lx + ny * ly + nz * lz) / len;
            bevel.light[i] = (lit - lz) / (1 - lz);
        }
    giveFloats(std::move(dist));
    giveFloats(std::move(height));
    return bevel;
}

void paintSurface(Canvas& canvas, const Mask& mask, const Material& m, uint32_t seed) {
    if (mask.empty()) return;
    Bevel bevel = makeBevel(mask, m.bevelWidth);
    float top = static_cast<float>(mask.y0), span = static_cast<float>(std::max(1, mask.y1 - mask.y0));
    float midX = 0.5f * static_cast<float>(mask.x0 + mask.x1);
    float halfW = 0.5f * static_cast<float>(std::max(1, mask.x1 - mask.x0));
    paintMask(canvas, mask, [&](float x, float y) {
        float l = bevel.at(static_cast<int>(x), static_cast<int>(y));
        float shade = 1 + m.bevelStrength * l;
        shade *= 1 + m.topLight * (0.5f - (y - top) / span);
        if (m.grime > 0) {
            float n = fbm(x * m.grimeScale, y * m.grimeScale, seed, 2);
            shade *= 1 - m.grime * smoothstep(0.35f, 0.8f, n);
        }
        Rgb c = m.base * shade;
        if (m.sheen > 0 && std::fabs(x - midX) < halfW) {
            float s = (x - midX) / (0.35f * halfW);
            c = c + Rgb{1, 1, 1} * (m.sheen * std::exp(-s * s));
        }
        if (l > 0.45f) c = c + Rgb{1, 1, 1} * ((l - 0.45f) * 0.5f);
        return c;
    });
}

void outline(Canvas& canvas, Rgb colour, float inside) {
    FloatBuffer alpha = takeFloats(static_cast<size_t>(canvas.w) * canvas.h);
    for (int y = 0; y < canvas.h; ++y)
        for (int x = 0; x < canvas.w; ++x) alpha[static_cast<size_t>(y) * canvas.w + x] = canvas.at(x, y)[3];
    auto a = [&](int x, int y) {
        return (x < 0 || y < 0 || x >= canvas.w || y >= canvas.h) ? 0.0f
                                                                   : alpha[static_cast<size_t>(y) * canvas.w + x];
    };
    for (int y = 0; y < canvas.h; ++y)
        for (int x = 0; x < canvas.w; ++x) {
            if (a(x, y) >= inside) continue;
            float n = std::max(std::max(a(x - 1, y), a(x + 1, y)), std::max(a(x, y - 1), a(x, y + 1)));
            if (n >= inside) canvas.over(x, y, colour, 1.0f);
        }
    giveFloats(std::move(alpha));
}

void glowEllipse(Canvas& canvas, float cx, float cy, float rx, float ry, Rgb colour, float strength) {
    if (rx <= 0 || ry <= 0) return;
    int x0 = std::max(0, static_cast<int>(cx - rx)), x1 = std::min(canvas.w, static_cast<int>(cx + rx) + 2);
    int y0 = std::max(0, static_cast<int>(cy - ry)), y1 = std::min(canvas.h, static_cast<int>(cy + ry) + 2);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            float dx = (static_cast<float>(x) + 0.5f - cx) / rx, dy = (static_cast<float>(y) + 0.5f - cy) / ry;
            float d2 = dx * dx + dy * dy;
            if (d2 >= 1) continue;
            float f = 1 - std::sqrt(d2);
            canvas.add(x, y, colour, f * f * strength);
        }
}

void glow(Canvas& canvas, float cx, float cy, float radius, Rgb colour, float strength) {
    glowEllipse(canvas, cx, cy, radius, radius, colour, strength);
}

void strokeLine(Canvas& canvas, Pt p0, Pt p1, float width, Rgb colour, float opacity) {
    Mask m = capsuleMask(canvas.w, canvas.h, p0, p1, width * 0.5f);
    paintMask(canvas, m, colour, opacity);
}

void strokePolyline(Canvas& canvas, const std::vector<Pt>& pts, float width, Rgb colour, float opacity) {
    if (pts.size() < 2) return;
    Mask all(canvas.w, canvas.h);
    for (size_t i = 1; i < pts.size(); ++i)
        unite(all, capsuleMask(canvas.w, canvas.h, pts[i - 1], pts[i], width * 0.5f));
    paintMask(canvas, all, colour, opacity);
}

void fillEllipse(Canvas& canvas, float cx, float cy, float rx, float ry, Rgb colour, float opacity) {
    if (rx <= 0 || ry <= 0) return;
    int x0 = std::max(0, static_cast<int>(cx - rx - 1)), x1 = std::min(canvas.w, static_cast<int>(cx + rx) + 2);
    int y0 = std::max(0, static_cast<int>(cy - ry - 1)), y1 = std::min(canvas.h, static_cast<int>(cy + ry) + 2);
    float rmin = std::min(rx, ry);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            float dx = (static_cast<float>(x) + 0.5f - cx) / rx, dy = (static_cast<float>(y) + 0.5f - cy) / ry;
            float d = (std::sqrt(dx * dx + dy * dy) - 1) * rmin;
            canvas.over(x, y, colour, clamp01(0.5f - d) * opacity);
        }
}

void paintDome(Canvas& canvas, float cx, float cy, float rx, float ry, Rgb colour) {
    fillEllipse(canvas, cx, cy, rx + 1, ry + 1, colour * 0.25f);
    int x0 = std::max(0, static_cast<int>(cx - rx - 1)), x1 = std::min(canvas.w, static_cast<int>(cx + rx) + 2);
    int y0 = std::max(0, static_cast<int>(cy - ry - 1)), y1 = std::min(canvas.h, static_cast<int>(cy + ry) + 2);
    float hx = cx - rx * 0.35f, hy = cy - ry * 0.4f;
    float rmin = std::min(rx, ry);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
            float dx = (px - cx) / rx, dy = (py - cy) / ry;
            float d = (std::sqrt(dx * dx + dy * dy) - 1) * rmin;
            float cover = clamp01(0.5f - d);
            if (cover <= 0) continue;
            float hxn = (px - hx) / (rx * 1.3f), hyn = (py - hy) / (ry * 1.3f);
            float t = clamp01(std::sqrt(hxn * hxn + hyn * hyn));
            Rgb c = mix(mix(colour, Rgb{1, 1, 1}, 0.45f), colour * 0.45f, t);
            canvas.over(x, y, c, cover);
        }
    fillEllipse(canvas, hx, hy, rx * 0.28f, ry * 0.2f, Rgb{1, 1, 1}, 0.75f);
}

void paintFlame(Canvas& canvas, float x, float baseY, float length, float width, int direction,
                const RampStop* stops, int count, float wobble, uint32_t seed) {
    if (length <= 0 || width <= 0) return;
    int y0 = static_cast<int>(direction > 0 ? baseY - width * 0.5f : baseY - length - 1);
    int y1 = static_cast<int>(direction > 0 ? baseY + length + 1 : baseY + width * 0.5f) + 1;
    int x0 = static_cast<int>(x - width), x1 = static_cast<int>(x + width) + 1;
    for (int py = std::max(0, y0); py < std::min(canvas.h, y1); ++py)
        for (int px = std::max(0, x0); px < std::min(canvas.w, x1); ++px) {
            float along = (static_cast<float>(py) + 0.5f - baseY) * static_cast<float>(direction) / length;
            // A rounded root a little behind the base, then a taper to the tip.
            float halfWidth = along < 0 ? width * 0.5f * std::sqrt(clamp01(1 - (along * length / (width * 0.5f)) *
                                                                                  (along * length / (width * 0.5f))))
                                        : width * 0.5f * std::pow(clamp01(1 - along), 0.8f);
            if (halfWidth <= 0.05f) continue;
            float sway = wobble > 0 ? (valueNoise(along * 3.0f, 0.5f, seed) - 0.5f) * wobble * clamp01(along) : 0.0f;
            float across = std::fabs(static_cast<float>(px) + 0.5f - x - sway) / halfWidth;
            if (across >= 1) continue;
            float heat = (1 - across * across) * (1 - clamp01(along) * 0.85f);
            float alpha = clamp01((1 - across) * 2.5f) * clamp01((1 - along) * 3.0f);
            canvas.over(px, py, ramp(stops, count, heat), alpha);
        }
}

void paintStreak(Canvas& canvas, Pt tail, Pt head, float width, Rgb glowColour, Rgb core) {
    float dx = head.x - tail.x, dy = head.y - tail.y;
    float len = std::sqrt(dx * dx + dy * dy);
    if (len <= 0) return;
    float ux = dx / len, uy = dy / len;
    int x0 = static_cast<int>(std::min(tail.x, head.x) - width);
    int x1 = static_cast<int>(std::max(tail.x, head.x) + width) + 1;
    int y0 = static_cast<int>(std::min(tail.y, head.y) - width);
    int y1 = static_cast<int>(std::max(tail.y, head.y) + width) + 1;
    for (int y = std::max(0, y0); y < std::min(canvas.h, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(canvas.w, x1); ++x) {
            float px = static_cast<float>(x) + 0.5f - tail.x, py = static_cast<float>(y) + 0.5f - tail.y;
            float t = (px * ux + py * uy) / len;  // 0 tail .. 1 head
            float side = std::fabs(-px * uy + py * ux);
            float tc = clamp01(t);
            float half = width * 0.5f * (0.35f + 0.65f * tc);
            // Round the head.
            float beyond = t > 1 ? (t - 1) * len : (t < 0 ? -t * len : 0.0f);
            float d = std::sqrt(side * side + beyond * beyond);
            if (d >= half + 0.5f) continue;
            float cover = clamp01(half + 0.5f - d);
            float inner = 1 - d / (half + 0.5f);
            Rgb c = mix(glowColour, core, smoothstep(0.35f, 0.8f, inner) * (0.4f + 0.6f * tc));
            canvas.over(x, y, c, cover * (0.45f + 0.55f * tc));
        }
}

void scorch(Canvas& canvas, const Mask& where, float amount, float scale, uint32_t seed) {
    for (int y = where.y0; y < where.y1; ++y)
        for (int x = where.x0; x < where.x1; ++x) {
            float m = where.get(x, y);
            if (m <= 0) continue;
            float n = fbm(static_cast<float>(x) * scale, static_cast<float>(y) * scale, seed, 3);
            float k = smoothstep(0.42f, 0.7f, n) * amount * m;
            canvas.darken(x, y, 1 - k);
        }
}

uint32_t finishPixel(const float* p, float threshold) {
    if (p[3] < threshold || p[3] <= 0) return 0;
    int c[3];
    for (int i = 0; i < 3; ++i) c[i] = static_cast<int>(clamp01(p[i]) * 255.0f + 0.5f);
    int sum = c[0] + c[1] + c[2];
    if (sum < 24) {
        int lift = (24 - sum + 2) / 3;
        for (int& v : c) v += lift;
    }
    return (static_cast<uint32_t>(c[0]) << 16) | (static_cast<uint32_t>(c[1]) << 8) | static_cast<uint32_t>(c[2]);
}

}  // namespace standin
