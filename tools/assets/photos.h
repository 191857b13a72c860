// Illustrated fuel "photographs" (257 x 257, the top-left 121 x 111 still a picture) and the splash picture.
#pragma once

#include <functional>
#include <string>

#include "tools/assets/font.h"
#include "tools/assets/raster.h"

namespace assets {

constexpr int kPhotoSize = 257;
constexpr int kPhotoScale = 3;  // drawn three times larger, then shrunk for smooth edges

// A landscape seen from eye height: sky, hazy hills, a ground plane whose depth grows towards the bottom.
struct Scene {
    Canvas c;
    float horizon;  // canvas row of the horizon
    Rng rng;
    explicit Scene(uint32_t seed, int w, int h, float horizonShare)
        : c(w, h), horizon(float(h) * horizonShare), rng(seed) {}
    // 0 at the horizon, 1 at the bottom edge: the size of things standing at row y.
    float Depth(float y) const { return Clamp01((y - horizon) / (float(c.h) - horizon)); }
    float Scale(float y) const { return 0.04f + Depth(y); }
};

inline void Sky(Scene& s, Col top, Col low, uint32_t seed) {
    for (int y = 0; y < s.c.h; ++y)
        for (int x = 0; x < s.c.w; ++x) s.c.At(x, y) = Lerp(top, low, Clamp01(float(y) / s.horizon));
    // A few soft clouds.
    Rng r(seed);
    for (int k = 0; k < 4; ++k) {
        const float cx = r.Range(0, float(s.c.w)), cy = r.Range(0.1f, 0.6f) * s.horizon;
        for (int j = 0; j < 6; ++j)
            FillEllipse(s.c, cx + r.Range(-60, 60), cy + r.Range(-8, 8), r.Range(25, 50), r.Range(8, 16), Hex(0xF4F6F8), 0.35f);
    }
}

inline void Hills(Scene& s, Col far, Col near, uint32_t seed) {
    const float w = float(s.c.w);
    FillBelow(s.c, [&](float x) { return s.horizon - 0.09f * w - 0.12f * w * Fbm(x, 0, 0.5f * w, 3, seed); },
              [&](int, int) { return far; });
    FillBelow(s.c, [&](float x) { return s.horizon - 0.04f * w - 0.06f * w * Fbm(x, 0, 0.3f * w, 3, seed + 1); },
              [&](int, int) { return near; });
}

inline void Ground(Scene& s, Col far, Col near, uint32_t seed, float grain = 0.12f) {
    FillBelow(s.c, [&](float) { return s.horizon; }, [&](int x, int y) {
        const float d = s.Depth(float(y));
        const float n = Fbm(float(x) / (0.2f + d), float(y), 40, 3, seed);
        return Lerp(far, near, d) * (0.88f + 0.24f * n) * (1.0f + grain * (Unit(uint32_t(x), uint32_t(y), seed) - 0.5f));
    });
}

// A conifer: trunk and tiers of branches, lit from the left.
inline void Conifer(Canvas& c, float x, float base, float height, Col dark, Col lit, Rng& r) {
    const float trunkW = std::max(1.0f, height * 0.025f);
    FillCapsule(c, x, base, x, base - height * 0.95f, trunkW, Hex(0x4A3424));
    const int tiers = 6;
    for (int t = 0; t < tiers; ++t) {
        const float top = base - height * (0.28f + 0.72f * float(t + 1) / float(tiers));
        const float bottom = base - height * (0.12f + 0.72f * float(t) / float(tiers));
        const float half = height * 0.24f * (1.0f - float(t) / float(tiers + 1)) * r.Range(0.85f, 1.1f);
        const std::vector<Pt> tri = {{x, top}, {x + half, bottom}, {x + half * 0.3f, bottom - height * 0.03f},
                                     {x - half * 0.3f, bottom - height * 0.03f}, {x - half, bottom}};
        FillPolygon(c, tri, [&](float px, float) { return Lerp(lit, dark, Clamp01(0.5f + (px - x) / (2 * half + 1))); });
    }
}

// A broadleaf tree: trunk, two limbs and a clustered crown.
inline void Broadleaf(Canvas& c, float x, float base, float height, Col dark, Col lit, Rng& r) {
    const float w = height * 0.04f;
    FillCapsule(c, x, base, x, base - height * 0.6f, w, Hex(0x5A4A3C));
    FillCapsule(c, x, base - height * 0.45f, x - height * 0.15f, base - height * 0.7f, w * 0.6f, Hex(0x5A4A3C));
    FillCapsule(c, x, base - height * 0.5f, x + height * 0.17f, base - height * 0.72f, w * 0.6f, Hex(0x5A4A3C));
    for (int k = 0; k < 9; ++k) {
        const float cx = x + r.Range(-0.25f, 0.25f) * height, cy = base - height * r.Range(0.6f, 0.9f);
        const float rad = height * r.Range(0.12f, 0.2f);
        FillEllipse(c, cx, cy, rad, rad * 0.85f, [&](float nx, float ny) {
            return Lerp(dark, lit, Clamp01(0.6f - 0.5f * nx - 0.5f * ny));
        });
    }
}

// A rounded shrub made of a few blobs.
inline void Shrub(Canvas& c, float x, float base, float radius, Col dark, Col lit, Rng& r, int blobs = 5) {
    FillEllipse(c, x + radius * 0.3f, base, radius * 1.2f, radius * 0.3f, Col{0.05f, 0.05f, 0.03f}, 0.35f);
    for (int k = 0; k < blobs; ++k) {
        const float cx = x + r.Range(-0.6f, 0.6f) * radius, cy = base - radius * r.Range(0.4f, 0.9f);
        const float rad = radius * r.Range(0.45f, 0.65f);
        FillEllipse(c, cx, cy, rad, rad * 0.9f, [&](float nx, float ny) {
            return Lerp(dark, lit, Clamp01(0.6f - 0.5f * nx - 0.55f * ny)) * r.Range(0.97f, 1.03f);
        });
    }
}

// Bare twiggy shrub: thin branches from one base, a few dry leaves.
inline void TwigShrub(Canvas& c, float x, float base, float radius, Col wood, Col leaf, Rng& r) {
    for (int k = 0; k < 14; ++k) {
        const float a = r.Range(-2.6f, -0.5f);
        const float len = radius * r.Range(0.6f, 1.2f);
        const float ex = x + std::cos(a) * len, ey = base + std::sin(a) * len;
        FillCapsule(c, x, base, ex, ey, std::max(0.6f, radius * 0.035f), wood);
        if (r.Next() < 0.7f) FillEllipse(c, ex, ey, radius * 0.09f, radius * 0.07f, leaf);
    }
}

// Grass: thin tapering blades.
inline void GrassTuft(Canvas& c, float x, float base, float height, Col dark, Col lit, Rng& r, int blades = 5) {
    for (int k = 0; k < blades; ++k) {
        const float bx = x + r.Range(-0.15f, 0.15f) * height;
        const float lean = r.Range(-0.35f, 0.35f) * height;
        const float h = height * r.Range(0.6f, 1.0f);
        const float w = std::max(0.8f, height * 0.035f);
        const Col col = Lerp(dark, lit, r.Next());
        FillPolygon(c, {{bx - w, base}, {bx + w, base}, {bx + lean, base - h}}, col);
    }
}

inline void Palmetto(Canvas& c, float x, float base, float radius, Rng& r) {
    for (int k = 0; k < 11; ++k) {
        const float a = -3.1416f * (0.08f + 0.84f * float(k) / 10.0f) + r.Range(-0.08f, 0.08f);
        const float ex = x + std::cos(a) * radius, ey = base + std::sin(a) * radius * 0.8f;
        FillCapsule(c, x, base, ex, ey, std::max(0.8f, radius * 0.06f), Lerp(Hex(0x3E6A2A), Hex(0x8AB055), r.Next()));
    }
}

// A log lying across the view with its cut end showing.
inline void Log(Canvas& c, float x0, float y0, float x1, float y1, float radius, Col wood) {
    FillCapsule(c, x0, y0 + radius * 0.6f, x1, y1 + radius * 0.6f, radius, Col{0.05f, 0.04f, 0.03f}, 0.4f);
    FillCapsule(c, x0, y0, x1, y1, radius, [&](float across, float) {
        return wood * (0.55f + 0.55f * Clamp01(0.6f - 0.6f * across));
    });
    FillEllipse(c, x1, y1, radius * 0.6f, radius, [&](float nx, float ny) {
        const float rr = std::sqrt(nx * nx + ny * ny);
        return Lerp(Hex(0xE6CFA0), Hex(0xB08A5A), 0.5f + 0.5f * std::sin(rr * 14.0f));
    });
}

inline void Stump(Canvas& c, float x, float base, float radius, Col bark) {
    FillCapsule(c, x, base, x, base - radius * 1.2f, radius, bark);
    FillEllipse(c, x, base - radius * 1.2f, radius, radius * 0.4f, Hex(0xE0C894));
}

inline Canvas MakeFuelPhoto(int fuel) {
    const int size = kPhotoSize * kPhotoScale;
    const uint32_t seed = 5000u + 97u * uint32_t(fuel);
    Scene s(seed, size, size, 0.21f);
    Rng& r = s.rng;
    Canvas& c = s.c;
    const float W = float(size), H = float(size);
    Sky(s, Hex(0x6EA6DA), Hex(0xD6E4EC), seed);
    // Back-to-front rows of things standing on the ground, each row a little lower and larger.
    auto rows = [&](int count, const std::function<void(float x, float y, float scale)>& draw) {
        for (int i = 0; i < count; ++i) {
            const float t = float(i) / float(count);
            const float y = s.horizon + (H - s.horizon) * (t * t * 0.9f + 0.02f) + r.Range(0, 6);
            draw(r.Range(-0.05f, 1.05f) * W, y, s.Scale(y));
        }
    };
    switch (fuel) {
    case 1:
        Hills(s, Hex(0x9AB0BE), Hex(0x6E8E62), seed);
        Ground(s, Hex(0x9AAE5E), Hex(0x6E9A3A), seed);
        rows(1400, [&](float x, float y, float k) { GrassTuft(c, x, y, 30 * k, Hex(0x5E8A2E), Hex(0xB8C46A), r, 4); });
        for (int i = 0; i < 60; ++i) {
            const float y = r.Range(s.horizon + 20, H);
            FillEllipse(c, r.Range(0, W), y, 2 + 4 * s.Scale(y), 2 + 4 * s.Scale(y), i % 3 ? Hex(0xF2D84A) : Hex(0xF4F2E8));
        }
        break;
    case 2:
        Hills(s, Hex(0x9AAEBE), Hex(0x70886A), seed);
        Ground(s, Hex(0xC2B070), Hex(0xB09A52), seed);
        rows(700, [&](float x, float y, float k) { GrassTuft(c, x, y, 34 * k, Hex(0x9A8A48), Hex(0xE2CE88), r, 4); });
        for (float x : {0.12f, 0.55f, 0.83f, 0.33f}) {
            const float base = s.horizon + (H - s.horizon) * r.Range(0.15f, 0.7f);
            Conifer(c, x * W, base, 900 * s.Scale(base), Hex(0x1E3A22), Hex(0x4E7A3C), r);
        }
        Conifer(c, 0.08f * W, H * 1.02f, H * 0.95f, Hex(0x1E3A22), Hex(0x4E7A3C), r);
        rows(300, [&](float x, float y, float k) { GrassTuft(c, x, y, 50 * k, Hex(0x9A8A48), Hex(0xE2CE88), r, 3); });
        break;
    case 3:
        Hills(s, Hex(0xA0B2BE), Hex(0x8A926A), seed);
        Ground(s, Hex(0xC8AE6C), Hex(0xA88A48), seed);
        rows(2200, [&](float x, float y, float k) {
            const float h = 120 * k;
            GrassTuft(c, x, y, h, Hex(0x9C7C3E), Hex(0xEAD08C), r, 3);
            if (r.Next() < 0.25f) FillEllipse(c, x + r.Range(-0.2f, 0.2f) * h, y - h * 0.95f, 0.04f * h + 1, 0.1f * h + 1, Hex(0xD8B878));
        });
        break;
    case 4:
        Hills(s, Hex(0x9AA8B6), Hex(0x5E6A4E), seed);
        Ground(s, Hex(0x8A7052), Hex(0x7A5A3E), seed);
        rows(420, [&](float x, float y, float k) { Shrub(c, x, y, 70 * k, Hex(0x26331E), Hex(0x6A7A44), r, 6); });
        break;
    case 5:
        Hills(s, Hex(0x9EB0BE), Hex(0x74866A), seed);
        Ground(s, Hex(0xC0AA7C), Hex(0xA88E62), seed);
        rows(600, [&](float x, float y, float k) { GrassTuft(c, x, y, 25 * k, Hex(0x8A8A4A), Hex(0xC8C07A), r, 3); });
        rows(170, [&](float x, float y, float k) { Shrub(c, x, y, 55 * k, Hex(0x3E5230), Hex(0x92A262), r); });
        break;
    case 6:
        Hills(s, Hex(0xA6B0B8), Hex(0x80806A), seed);
        Ground(s, Hex(0xC4B494), Hex(0xA8967A), seed);
        rows(200, [&](float x, float y, float k) {
            TwigShrub(c, x, y, 60 * k, Hex(0x5A4A3A), Hex(0xA49070), r);
            if (r.Next() < 0.3f) Log(c, x, y + 6, x + 60 * k, y + 3, 3 + 4 * k, Hex(0x8A7A66));
        });
        break;
    case 7:
        Hills(s, Hex(0x9EB4C0), Hex(0x5E7A5A), seed);
        Ground(s, Hex(0x6E8048), Hex(0x4A6430), seed);
        for (int i = 0; i < 7; ++i) {  // tall pines, crowns high above the understory
            const float x = (0.07f + 0.14f * float(i) + r.Range(-0.04f, 0.04f)) * W;
            const float base = s.horizon + r.Range(0.05f, 0.5f) * (H - s.horizon);
            const float k = s.Scale(base);
            const float top = r.Range(0.04f, 0.16f) * H;
            FillCapsule(c, x, base, x, top, 3 + 9 * k, Hex(0x5A4030));
            for (int j = 0; j < 6; ++j)
                FillEllipse(c, x + r.Range(-50, 50) * (0.3f + k), top + r.Range(-20, 40) * (0.3f + k), 45 * (0.3f + k),
                            26 * (0.3f + k),
                            [&](float nx, float ny) { return Lerp(Hex(0x22401E), Hex(0x5E8A40), Clamp01(0.6f - 0.5f * nx - 0.5f * ny)); });
        }
        rows(360, [&](float x, float y, float k) { Palmetto(c, x, y, 70 * k, r); });
        break;
    case 8:
    case 10: {
        Ground(s, Hex(0x6A5438), Hex(0x54402A), seed, 0.3f);
        // Light through the far trees and foliage behind the trunks.
        for (int y = 0; y < int(s.horizon * 1.3f); ++y)
            for (int x = 0; x < size; ++x)
                c.At(x, y) = Lerp(Hex(0x9AB8C8), Hex(0x3A4A34), SmoothStep(0.3f, 0.8f, Fbm(float(x), float(y), 60, 3, seed + 3)) * (0.6f + 0.4f * Clamp01(1.0f - float(y) / (s.horizon * 1.3f))) + 0.3f);
        rows(120, [&](float x, float y, float k) {
            if (fuel == 10 && r.Next() < 0.5f) Conifer(c, x, y, 260 * k, Hex(0x1E3A24), Hex(0x4C7A44), r);
            else FillCapsule(c, x, y, x, 0, 5 + 26 * k, [&](float across, float) {
                return Hex(0x5A4434) * (0.5f + 0.5f * Clamp01(0.7f - 0.6f * across));
            });
        });
        for (int i = 0; i < 500; ++i) {  // needles and cones on the floor
            const float y = r.Range(s.horizon, H);
            FillEllipse(c, r.Range(0, W), y, 1 + 3 * s.Scale(y), 0.5f + 1.2f * s.Scale(y), Hex(0x8A6A44), 0.7f);
        }
        for (int i = 0; i < 12; ++i)  // canopy closing overhead
            FillEllipse(c, r.Range(-0.1f, 1.1f) * W, r.Range(-0.08f, 0.05f) * H, r.Range(90, 200), r.Range(40, 80),
                        [&](float nx, float ny) { return Lerp(Hex(0x142A18), Hex(0x3A5E30), Clamp01(0.5f - 0.5f * nx - 0.5f * ny)); });
        break;
    }
    case 9:
        Hills(s, Hex(0xA8B4BC), Hex(0x8A7A4A), seed);
        Ground(s, Hex(0x9A6A3A), Hex(0x7E5230), seed, 0.3f);
        for (int i = 0; i < 700; ++i) {  // fallen leaves
            const float y = r.Range(s.horizon, H);
            const float k = s.Scale(y);
            const uint32_t tones[] = {0xC87A30, 0xE0A040, 0x9A4A24, 0xB89A48};
            FillEllipse(c, r.Range(0, W), y, 2 + 6 * k, 1 + 2.5f * k, Hex(tones[i % 4]), 0.85f);
        }
        for (int i = 0; i < 9; ++i) {
            const float base = s.horizon + r.Range(0.12f, 0.55f) * (H - s.horizon);
            const uint32_t dark[] = {0x8A4A1E, 0x6A5A1E, 0x4A5A22}, lit[] = {0xE8A848, 0xD8C058, 0x9AAA4A};
            Broadleaf(c, (0.05f + 0.11f * float(i) + r.Range(-0.03f, 0.03f)) * W, base, 1000 * s.Scale(base),
                      Hex(dark[i % 3]), Hex(lit[i % 3]), r);
        }
        break;
    case 11:
    case 12:
    case 13: {
        const int level = fuel - 10;
        Hills(s, Hex(0x9AAEBE), Hex(0x4E6A48), seed);
        for (int i = 0; i < 30; ++i)  // the standing forest behind the clearing
            Conifer(c, r.Range(0, W), s.horizon + 4, r.Range(50, 90), Hex(0x1E3A24), Hex(0x3E6A3A), r);
        Ground(s, Hex(0x9A8060), Hex(0x7A6044), seed, 0.3f);
        rows(220, [&](float x, float y, float k) { GrassTuft(c, x, y, 30 * k, Hex(0x6A7A3A), Hex(0xA8AE62), r, 3); });
        rows(12 + 6 * level, [&](float x, float y, float k) { Stump(c, x, y, 24 * k + 1, Hex(0x6A5038)); });
        rows(30 * level * level, [&](float x, float y, float k) {
            const float len = r.Range(150, 420) * k, a = r.Range(-0.5f, 0.5f);
            const Col wood = Lerp(Hex(0x9A8062), Hex(0x7A6A58), float(level - 1) / 2.0f) * r.Range(0.85f, 1.15f);
            Log(c, x - std::cos(a) * len * 0.5f, y - std::sin(a) * len * 0.2f, x + std::cos(a) * len * 0.5f,
                y + std::sin(a) * len * 0.2f, 6 + 16 * k, wood);
        });
        break;
    }
    case 14: {
        Hills(s, Hex(0x9AB0C2), Hex(0x5A7458), seed);
        for (int i = 0; i < 40; ++i)
            Conifer(c, r.Range(0, W), s.horizon + 3, r.Range(40, 80), Hex(0x1E3A24), Hex(0x3E6A3A), r);
        for (int y = int(s.horizon) + 3; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const float d = s.Depth(float(y));
                // Reflection of the far shore, broken up by ripples.
                const float wobble = 6.0f * std::sin(float(y) * 0.9f / (0.05f + d) + 3.0f * Fbm(float(x), float(y), 50, 2, seed));
                const int ry = int(2 * s.horizon) - y;
                Col w = Lerp(Hex(0x6E98B8), Hex(0x1E4A6E), d);
                if (ry > 0 && ry < int(s.horizon) + 3) {
                    const int rx = std::clamp(x + int(wobble), 0, size - 1);
                    w = Lerp(w, c.At(rx, ry) * 0.7f, 0.5f);
                }
                const float ripple = std::sin(float(y) * 0.6f / (0.04f + d * d) + 4.0f * Fbm(float(x), float(y), 80, 3, seed + 1));
                w = Lerp(w, Hex(0xC8DCEA), 0.25f * SmoothStep(0.8f, 1.0f, ripple));
                c.At(x, y) = w;
            }
        break;
    }
    default: {  // road through bare rock
        Hills(s, Hex(0xA0AEBA), Hex(0x8A867A), seed);
        Ground(s, Hex(0xA09A8A), Hex(0x8A8478), seed, 0.25f);
        const float vx = 0.4f * W;
        auto roadEdge = [&](float y, float side) { return vx + side * (y - s.horizon) * 0.9f; };
        for (int y = int(s.horizon); y < size; ++y) {
            const float l = roadEdge(float(y), -1), rr = roadEdge(float(y), 1);
            const float d = s.Depth(float(y));
            for (int x = std::max(0, int(l)); x < std::min(size, int(rr) + 1); ++x) {
                Col a = Hex(0x5A5A5C) * (0.9f + 0.15f * Unit(uint32_t(x), uint32_t(y), seed));
                const float centre = std::abs(float(x) - vx) / std::max(1.0f, rr - vx);
                const bool dash = std::fmod(std::log(0.02f + d) * 6.0f, 1.0f) < -0.5f;
                if (centre < 0.035f && dash) a = Hex(0xE8D060);
                c.At(x, y) = a;
            }
        }
        rows(60, [&](float x, float y, float k) {
            if (std::abs(x - vx) < (y - s.horizon) * 1.0f + 20) return;
            FillEllipse(c, x, y - 20 * k, 70 * k + 2, 40 * k + 2,
                        [&](float nx, float ny) { return Lerp(Hex(0x5E5A54), Hex(0xC8C4B8), Clamp01(0.6f - 0.5f * nx - 0.6f * ny)); });
        });
        break;
    }
    }
    return Shrink(c, kPhotoScale);
}

// The title picture: a ridge burning at dusk, an air tanker laying a line, the title and how to go on.
inline Canvas MakeSplash() {
    constexpr int kScale = 2;
    const int w = 601 * kScale, h = 458 * kScale;
    Scene s(77, w, h, 0.68f);
    Canvas& c = s.c;
    const float W = float(w), H = float(h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float t = float(y) / s.horizon;
            Col sky = t < 0.55f ? Lerp(Hex(0x101C3A), Hex(0x5A3A62), t / 0.55f) : Lerp(Hex(0x5A3A62), Hex(0xF0964A), (t - 0.55f) / 0.45f);
            c.At(x, y) = sky;
        }
    FillEllipse(c, 0.7f * W, s.horizon - 20, 260, 120, Hex(0xFFB060), 0.25f);  // glow of the fire on the sky
    // Smoke drifting from the fire, lit from below.
    Rng& r = s.rng;
    for (int i = 0; i < 70; ++i) {
        const float t = float(i) / 70.0f;
        const float x = 0.78f * W - t * 0.75f * W + r.Range(-40, 40), y = s.horizon - 60 - t * 0.45f * H + r.Range(-30, 30);
        const float rad = 50 + 140 * t;
        FillEllipse(c, x, y, rad, rad * 0.6f, [&](float, float ny) { return Lerp(Hex(0x8A7A78), Hex(0xC07850), Clamp01(0.3f + 0.5f * ny)); },
                    0.22f);
    }
    FillBelow(c, [&](float x) { return s.horizon - 120 - 90 * Fbm(x, 0, 500, 3, 5); }, [&](int, int) { return Hex(0x3A2A3E); });
    auto ridge = [&](float x) { return s.horizon - 30 - 60 * Fbm(x, 0, 300, 3, 6); };
    // The burning ridge: flames along its crest on the right.
    for (int i = 0; i < 160; ++i) {
        const float x = r.Range(0.45f, 1.02f) * W;
        const float base = ridge(x) + 6;
        const float fh = r.Range(25, 95) * SmoothStep(0.42f, 0.62f, x / W);
        const float fw = fh * r.Range(0.2f, 0.35f);
        FillPolygon(c, {{x - fw, base}, {x + fw, base}, {x + r.Range(-0.3f, 0.3f) * fh, base - fh}},
                    [&](float, float py) { return Lerp(Hex(0xFFE27A), Hex(0xE0401A), Clamp01((base - py) / (fh + 1))); }, 0.85f);
    }
    FillBelow(c, ridge, [&](int, int) { return Hex(0x140E16); });
    for (int i = 0; i < 90; ++i) {  // conifer silhouettes on the ridge
        const float x = r.Range(0, W);
        const float hgt = r.Range(40, 110);
        Conifer(c, x, ridge(x) + 8, hgt, Hex(0x0C080E), Hex(0x1A121C), r);
    }
    FillBelow(c, [&](float x) { return H - 150 - 60 * Fbm(x, 0, 400, 2, 8); }, [&](int, int y) {
        return Lerp(Hex(0x2A140E), Hex(0x08060A), Clamp01((float(y) - (H - 210)) / 180.0f));
    });
    for (float x : {0.03f, 0.1f, 0.93f, 0.985f})  // near trees framing the view
        Conifer(c, x * W, H + 10, r.Range(0.45f, 0.6f) * H, Hex(0x060408), Hex(0x0E0A10), r);
    // The air tanker and its retardant line.
    const float ax = 0.26f * W, ay = 0.47f * H;
    FillCapsule(c, ax - 150, ay + 70, ax + 30, ay + 20, 16, Hex(0xC83A2A), 0.55f);
    FillCapsule(c, ax - 75, ay - 6, ax + 75, ay + 4, 11, Hex(0x1A1418));
    FillPolygon(c, {{ax - 20, ay - 4}, {ax + 30, ay - 4}, {ax - 10, ay - 60}, {ax - 35, ay - 60}}, Hex(0x1A1418));
    FillPolygon(c, {{ax - 20, ay + 2}, {ax + 30, ay + 2}, {ax - 5, ay + 44}, {ax - 30, ay + 44}}, Hex(0x1A1418));
    FillPolygon(c, {{ax - 75, ay - 2}, {ax - 55, ay - 2}, {ax - 78, ay - 36}, {ax - 88, ay - 36}}, Hex(0x1A1418));
    // Title and captions.
    const int block = 22;
    const float titleW = float(TextWidth("Torvex")) * block;
    DrawText(c, "Torvex", (W - titleW) * 0.5f + 6, 0.09f * H + 8, block, [](float, float) { return Hex(0x1A0E08); }, 0.8f);
    DrawText(c, "Torvex", (W - titleW) * 0.5f, 0.09f * H, block,
             [](float, float v) { return Lerp(Hex(0xFFE890), Hex(0xE86A20), v); });
    const std::string sub = "Wildland Fire Suppression Trainer";
    DrawText(c, sub, (W - float(TextWidth(sub)) * 5) * 0.5f, 0.09f * H + 9 * block, 5,
             [](float, float) { return Hex(0xF4E6CC); });
    const std::string hint = "Click or press any key to begin";
    DrawText(c, hint, (W - float(TextWidth(hint)) * 4) * 0.5f, H - 56, 4, [](float, float) { return Hex(0xC8B8A8); });
    return Shrink(c, kScale);
}

}  // namespace assets
