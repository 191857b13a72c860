// Drawing kit of the asset generator: hashing noise, a float RGB canvas, shapes and colour quantisation.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace assets {

// Everything is made from integer hashes so that each build draws the same bytes.
inline uint32_t Hash(uint32_t a, uint32_t b = 0, uint32_t c = 0) {
    uint64_t z = (uint64_t(a) * 0x9E3779B97F4A7C15ull) ^ (uint64_t(b) * 0xC2B2AE3D27D4EB4Full) ^
                 (uint64_t(c) * 0x165667B19E3779F9ull) ^ 0x27D4EB2F165667C5ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return uint32_t((z ^ (z >> 31)) >> 16);
}
// Uniform in [0, 1).
inline float Unit(uint32_t a, uint32_t b = 0, uint32_t c = 0) { return float(Hash(a, b, c) >> 8) / 16777216.0f; }

// A deterministic stream of numbers for scattering things.
class Rng {
public:
    explicit Rng(uint32_t seed) : state_(seed) {}
    float Next() { return Unit(state_, ++counter_); }
    float Range(float lo, float hi) { return lo + (hi - lo) * Next(); }
    int Int(int lo, int hiInclusive) { return lo + int(Next() * float(hiInclusive - lo + 1)); }

private:
    uint32_t state_;
    uint32_t counter_ = 0;
};

inline float Smooth(float t) { return t * t * (3.0f - 2.0f * t); }
inline float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
inline float Mix(float a, float b, float t) { return a + (b - a) * t; }
inline float SmoothStep(float e0, float e1, float v) { return Smooth(Clamp01((v - e0) / (e1 - e0))); }

// Value noise on an integer lattice, in [0, 1].
inline float ValueNoise(float x, float y, uint32_t seed) {
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = int(fx), iy = int(fy);
    const float tx = Smooth(x - fx), ty = Smooth(y - fy);
    auto v = [&](int a, int b) { return Unit(uint32_t(a), uint32_t(b), seed); };
    return Mix(Mix(v(ix, iy), v(ix + 1, iy), tx), Mix(v(ix, iy + 1), v(ix + 1, iy + 1), tx), ty);
}

// Fractal sum of octaves, in [0, 1]; scale is the size in pixels of the largest features.
inline float Fbm(float x, float y, float scale, int octaves, uint32_t seed, float gain = 0.5f) {
    float sum = 0, amp = 1, norm = 0, f = 1.0f / scale;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * ValueNoise(x * f, y * f, seed + uint32_t(o) * 101u);
        norm += amp;
        amp *= gain;
        f *= 2.0f;
    }
    return sum / norm;
}

struct Col {
    float r = 0, g = 0, b = 0;
};
inline Col operator+(Col a, Col b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Col operator*(Col a, float s) { return {a.r * s, a.g * s, a.b * s}; }
inline Col Lerp(Col a, Col b, float t) { return {Mix(a.r, b.r, t), Mix(a.g, b.g, t), Mix(a.b, b.b, t)}; }
inline Col Hex(uint32_t rgb) {
    return {float((rgb >> 16) & 255) / 255.0f, float((rgb >> 8) & 255) / 255.0f, float(rgb & 255) / 255.0f};
}

// A float RGB picture, row 0 at the top.
struct Canvas {
    int w = 0, h = 0;
    std::vector<Col> px;
    Canvas(int width, int height, Col fill = {}) : w(width), h(height), px(size_t(width) * height, fill) {}
    Col& At(int x, int y) { return px[size_t(y) * w + x]; }
    const Col& At(int x, int y) const { return px[size_t(y) * w + x]; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
    void Blend(int x, int y, Col c, float a) {
        if (!Inside(x, y) || a <= 0) return;
        Col& d = At(x, y);
        d = Lerp(d, c, Clamp01(a));
    }
    void Darken(int x, int y, float factor) {
        if (!Inside(x, y)) return;
        At(x, y) = At(x, y) * factor;
    }
};

// Coverage of a pixel by a shape whose signed distance (negative inside) is d: a one-pixel soft edge.
inline float Coverage(float d) { return Clamp01(0.5f - d); }

// Filled ellipse with a soft edge; shade(nx, ny) in [-1, 1] may vary the colour across it.
template <typename ShadeFn>
void FillEllipse(Canvas& c, float cx, float cy, float rx, float ry, ShadeFn colourAt, float alpha = 1.0f) {
    const int x0 = int(std::floor(cx - rx - 1)), x1 = int(std::ceil(cx + rx + 1));
    const int y0 = int(std::floor(cy - ry - 1)), y1 = int(std::ceil(cy + ry + 1));
    const float rmin = std::min(rx, ry);
    for (int y = std::max(0, y0); y <= std::min(c.h - 1, y1); ++y) {
        for (int x = std::max(0, x0); x <= std::min(c.w - 1, x1); ++x) {
            const float nx = (float(x) + 0.5f - cx) / rx, ny = (float(y) + 0.5f - cy) / ry;
            const float r = std::sqrt(nx * nx + ny * ny);
            const float a = Coverage((r - 1.0f) * rmin);
            if (a > 0) c.Blend(x, y, colourAt(nx, ny), a * alpha);
        }
    }
}
inline void FillEllipse(Canvas& c, float cx, float cy, float rx, float ry, Col col, float alpha = 1.0f) {
    FillEllipse(c, cx, cy, rx, ry, [col](float, float) { return col; }, alpha);
}

// Thick line with round ends; colourAt(t across in [-1, 1], s along in [0, 1]).
template <typename ShadeFn>
void FillCapsule(Canvas& c, float x0, float y0, float x1, float y1, float radius, ShadeFn colourAt, float alpha = 1.0f) {
    const int bx0 = int(std::floor(std::min(x0, x1) - radius - 1)), bx1 = int(std::ceil(std::max(x0, x1) + radius + 1));
    const int by0 = int(std::floor(std::min(y0, y1) - radius - 1)), by1 = int(std::ceil(std::max(y0, y1) + radius + 1));
    const float dx = x1 - x0, dy = y1 - y0;
    const float len2 = std::max(1e-6f, dx * dx + dy * dy), len = std::sqrt(len2);
    for (int y = std::max(0, by0); y <= std::min(c.h - 1, by1); ++y) {
        for (int x = std::max(0, bx0); x <= std::min(c.w - 1, bx1); ++x) {
            const float px = float(x) + 0.5f - x0, py = float(y) + 0.5f - y0;
            const float s = Clamp01((px * dx + py * dy) / len2);
            const float qx = px - s * dx, qy = py - s * dy;
            const float d = std::sqrt(qx * qx + qy * qy);
            const float a = Coverage(d - radius);
            if (a <= 0) continue;
            const float across = (px * dy - py * dx) / len / std::max(radius, 0.01f);
            c.Blend(x, y, colourAt(std::clamp(across, -1.0f, 1.0f), s), a * alpha);
        }
    }
}
inline void FillCapsule(Canvas& c, float x0, float y0, float x1, float y1, float radius, Col col, float alpha = 1.0f) {
    FillCapsule(c, x0, y0, x1, y1, radius, [col](float, float) { return col; }, alpha);
}

struct Pt {
    float x, y;
};

// Filled polygon (even-odd), sampled 4 x 4 per pixel for smooth edges.
template <typename ShadeFn>
void FillPolygon(Canvas& c, const std::vector<Pt>& poly, ShadeFn colourAt, float alpha = 1.0f) {
    if (poly.size() < 3) return;
    float minX = poly[0].x, maxX = minX, minY = poly[0].y, maxY = minY;
    for (const Pt& p : poly) {
        minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
    }
    auto inside = [&](float x, float y) {
        bool in = false;
        for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
            const Pt& a = poly[i];
            const Pt& b = poly[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
        }
        return in;
    };
    for (int y = std::max(0, int(minY)); y <= std::min(c.h - 1, int(maxY) + 1); ++y) {
        for (int x = std::max(0, int(minX)); x <= std::min(c.w - 1, int(maxX) + 1); ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) hits += inside(float(x) + (float(sx) + 0.5f) / 4, float(y) + (float(sy) + 0.5f) / 4);
            if (hits) c.Blend(x, y, colourAt(float(x), float(y)), alpha * float(hits) / 16.0f);
        }
    }
}
inline void FillPolygon(Canvas& c, const std::vector<Pt>& poly, Col col, float alpha = 1.0f) {
    FillPolygon(c, poly, [col](float, float) { return col; }, alpha);
}

// Distances to the nearest and second-nearest of points scattered one per cell of the given size.
struct WorleyDist {
    float d1, d2;
};
inline WorleyDist Worley(float x, float y, float cell, uint32_t seed) {
    const int cx = int(std::floor(x / cell)), cy = int(std::floor(y / cell));
    float d1 = 1e9f, d2 = 1e9f;
    for (int j = -1; j <= 1; ++j)
        for (int i = -1; i <= 1; ++i) {
            const int gx = cx + i, gy = cy + j;
            const float px = (float(gx) + Unit(uint32_t(gx), uint32_t(gy), seed)) * cell;
            const float py = (float(gy) + Unit(uint32_t(gx), uint32_t(gy), seed + 7)) * cell;
            const float d = std::hypot(px - x, py - y);
            if (d < d1) d2 = d1, d1 = d;
            else if (d < d2) d2 = d;
        }
    return {d1, d2};
}

// Fills, column by column, everything below a ridge line; colourAt(x, y) paints it.
template <typename RidgeFn, typename ShadeFn>
void FillBelow(Canvas& c, RidgeFn ridgeY, ShadeFn colourAt, float alpha = 1.0f) {
    for (int x = 0; x < c.w; ++x) {
        const float top = ridgeY(float(x) + 0.5f);
        for (int y = std::max(0, int(std::floor(top))); y < c.h; ++y) {
            const float a = Clamp01(float(y) + 1.0f - top);
            c.Blend(x, y, colourAt(x, y), a * alpha);
        }
    }
}

inline uint8_t ToByte(float v) { return uint8_t(std::lround(Clamp01(v) * 255.0f)); }
// 0x00BBGGRR, the program's colour layout.
inline uint32_t ToRgb(Col c) { return uint32_t(ToByte(c.r)) | (uint32_t(ToByte(c.g)) << 8) | (uint32_t(ToByte(c.b)) << 16); }

// Box-filtered reduction by a whole factor: pictures are drawn large and shrunk for smooth edges.
inline Canvas Shrink(const Canvas& big, int factor) {
    Canvas out(big.w / factor, big.h / factor);
    const float norm = 1.0f / float(factor * factor);
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x) {
            Col s;
            for (int j = 0; j < factor; ++j)
                for (int i = 0; i < factor; ++i) s = s + big.At(x * factor + i, y * factor + j);
            out.At(x, y) = s * norm;
        }
    return out;
}

// 256-colour reduction by median cut: every pixel keeps the index of the box it ends in.
struct Quantised {
    std::vector<uint8_t> index;           // per pixel, row 0 at the top
    std::vector<uint32_t> colours;        // 0x00BBGGRR, up to 256
};

inline Quantised MedianCut(const Canvas& c, int maxColours = 256) {
    const size_t n = c.px.size();
    std::vector<std::array<uint8_t, 3>> rgb(n);
    for (size_t i = 0; i < n; ++i) rgb[i] = {ToByte(c.px[i].r), ToByte(c.px[i].g), ToByte(c.px[i].b)};
    std::vector<uint32_t> ids(n);
    for (size_t i = 0; i < n; ++i) ids[i] = uint32_t(i);

    struct Box {
        size_t begin, end;
        int axis;
        int range;
    };
    auto measure = [&](Box& b) {
        uint8_t lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
        for (size_t i = b.begin; i < b.end; ++i)
            for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], rgb[ids[i]][k]), hi[k] = std::max(hi[k], rgb[ids[i]][k]);
        b.axis = 0;
        b.range = 0;
        for (int k = 0; k < 3; ++k)
            if (hi[k] - lo[k] > b.range) b.range = hi[k] - lo[k], b.axis = k;
    };
    std::vector<Box> boxes{{0, n, 0, 0}};
    measure(boxes[0]);
    while (int(boxes.size()) < maxColours) {
        // Split where the most pixels spread over the widest range.
        size_t best = boxes.size();
        double bestScore = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            const double score = double(boxes[i].range) * std::sqrt(double(boxes[i].end - boxes[i].begin));
            if (boxes[i].range > 0 && boxes[i].end - boxes[i].begin > 1 && score > bestScore) bestScore = score, best = i;
        }
        if (best == boxes.size()) break;
        Box b = boxes[best];
        const size_t mid = b.begin + (b.end - b.begin) / 2;
        const int axis = b.axis;
        std::nth_element(ids.begin() + long(b.begin), ids.begin() + long(mid), ids.begin() + long(b.end),
                         [&](uint32_t l, uint32_t r) { return rgb[l][axis] != rgb[r][axis] ? rgb[l][axis] < rgb[r][axis] : l < r; });
        Box a{b.begin, mid, 0, 0}, z{mid, b.end, 0, 0};
        measure(a);
        measure(z);
        boxes[best] = a;
        boxes.push_back(z);
    }
    Quantised q;
    q.index.resize(n);
    for (size_t bi = 0; bi < boxes.size(); ++bi) {
        double s[3] = {0, 0, 0};
        for (size_t i = boxes[bi].begin; i < boxes[bi].end; ++i) {
            for (int k = 0; k < 3; ++k) s[k] += rgb[ids[i]][k];
            q.index[ids[i]] = uint8_t(bi);
        }
        const double cnt = double(boxes[bi].end - boxes[bi].begin);
        q.colours.push_back(uint32_t(std::lround(s[0] / cnt)) | (uint32_t(std::lround(s[1] / cnt)) << 8) |
                            (uint32_t(std::lround(s[2] / cnt)) << 16));
    }
    return q;
}

}  // namespace assets
