// Aerial fuel textures: 512 x 512 views from above of grass, brush, timber, slash, water and bare rock.
#pragma once

#include <functional>

#include "tools/assets/raster.h"

namespace assets {

constexpr int kTextureSize = 512;

// Light falls from the upper left, so shadows lean to the lower right.
inline float SphereLight(float nx, float ny) {
    const float r2 = nx * nx + ny * ny;
    const float nz = std::sqrt(std::max(0.0f, 1.0f - r2));
    const float lit = (-0.55f * nx - 0.55f * ny + 0.63f * nz);
    return Clamp01(0.5f + 0.6f * lit);
}

// Ground: every pixel from a function of its position.
inline void PaintGround(Canvas& c, const std::function<Col(int, int)>& at) {
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) c.At(x, y) = at(x, y);
}

struct CrownStyle {
    float spacing = 10;         // pixels between crown centres on a jittered grid
    float density = 0.9f;       // share of grid places that hold a crown
    float radiusLo = 3, radiusHi = 6;
    int lobes = 1;              // crowns of broadleaf trees and shrubs are clusters of blobs
    float shadow = 0.45f;       // how dark a cast shadow is
    std::function<std::pair<Col, Col>(Rng&)> colours;  // dark and lit colour of one crown
};

// Scatters shaded crowns with their shadows over the whole canvas.
inline void ScatterCrowns(Canvas& c, const CrownStyle& s, uint32_t seed) {
    Rng rng(seed);
    const int cells = int(std::ceil(float(c.w) / s.spacing)) + 2;
    struct Crown {
        float x, y, r;
        Col dark, lit;
        int lobes;
        uint32_t seed;
    };
    std::vector<Crown> crowns;
    for (int gy = -1; gy < cells; ++gy)
        for (int gx = -1; gx < cells; ++gx) {
            if (rng.Next() > s.density) continue;
            Crown k;
            k.x = (float(gx) + rng.Range(0.1f, 0.9f)) * s.spacing;
            k.y = (float(gy) + rng.Range(0.1f, 0.9f)) * s.spacing;
            k.r = rng.Range(s.radiusLo, s.radiusHi);
            auto [dark, lit] = s.colours(rng);
            k.dark = dark;
            k.lit = lit;
            k.lobes = s.lobes;
            k.seed = Hash(seed, uint32_t(gx + 1000), uint32_t(gy + 1000));
            crowns.push_back(k);
        }
    for (const Crown& k : crowns) {
        FillEllipse(c, k.x + 0.55f * k.r, k.y + 0.55f * k.r, k.r * 1.05f, k.r * 0.95f, Col{0.05f, 0.05f, 0.03f}, s.shadow);
    }
    for (const Crown& k : crowns) {
        Rng lobeRng(k.seed);
        for (int l = 0; l < k.lobes; ++l) {
            const float a = lobeRng.Range(0, 6.2832f);
            const float off = k.lobes > 1 ? lobeRng.Range(0.25f, 0.55f) * k.r : 0;
            const float rr = k.lobes > 1 ? k.r * lobeRng.Range(0.55f, 0.75f) : k.r;
            const float cx = k.x + off * std::cos(a), cy = k.y + off * std::sin(a);
            FillEllipse(c, cx, cy, rr, rr, [&](float nx, float ny) {
                const float grain = 0.85f + 0.3f * Unit(uint32_t(int((cx + nx * rr) * 3)), uint32_t(int((cy + ny * rr) * 3)), k.seed);
                return Lerp(k.dark, k.lit, SphereLight(nx, ny)) * grain;
            });
        }
    }
}

// One fixed pair of colours with a little variety from crown to crown.
inline std::function<std::pair<Col, Col>(Rng&)> Tint(uint32_t dark, uint32_t lit, float spread = 0.12f) {
    return [=](Rng& r) {
        const float v = 1.0f + r.Range(-spread, spread);
        const float warm = r.Range(-spread, spread) * 0.5f;
        Col d = Hex(dark) * v, l = Hex(lit) * v;
        d.r += warm * 0.2f, l.r += warm * 0.3f;
        return std::make_pair(d, l);
    };
}

// Logs and branches lying on the ground: shaded cylinders with a cast shadow.
inline void ScatterLogs(Canvas& c, int count, float lenLo, float lenHi, float radLo, float radHi, Col wood,
                        uint32_t seed, float windrowAngle = -1) {
    Rng rng(seed);
    for (int i = 0; i < count; ++i) {
        const float x = rng.Range(-10, float(c.w) + 10), y = rng.Range(-10, float(c.h) + 10);
        float a = rng.Range(0, 3.1416f);
        if (windrowAngle >= 0 && rng.Next() < 0.6f) a = windrowAngle + rng.Range(-0.35f, 0.35f);
        const float len = rng.Range(lenLo, lenHi), rad = rng.Range(radLo, radHi);
        const float dx = std::cos(a) * len * 0.5f, dy = std::sin(a) * len * 0.5f;
        const float tone = rng.Range(0.8f, 1.15f);
        FillCapsule(c, x - dx + rad * 0.7f, y - dy + rad * 0.9f, x + dx + rad * 0.7f, y + dy + rad * 0.9f, rad,
                    Col{0.05f, 0.04f, 0.03f}, 0.5f);
        FillCapsule(c, x - dx, y - dy, x + dx, y + dy, rad, [&](float across, float along) {
            const float light = Clamp01(0.75f - 0.45f * across * (std::sin(a) > 0 ? 1.0f : -1.0f) - 0.3f * across * across);
            const float grain = 0.9f + 0.12f * std::sin(along * len * 1.7f + float(i));
            return wood * (tone * (0.45f + 0.7f * light) * grain);
        });
    }
}

// Skid trails and tracks of the logging machines: soft darker curving bands.
inline float TrackMask(float x, float y, uint32_t seed) {
    const float n = Fbm(x, y, 170, 3, seed);
    return 1.0f - SmoothStep(0.0f, 0.025f, std::abs(n - 0.5f));
}

inline float Grain(int x, int y, uint32_t seed, float amount) {
    return 1.0f + amount * (Unit(uint32_t(x), uint32_t(y), seed) - 0.5f);
}

inline Canvas MakeFuelTexture(int fuel) {
    Canvas c(kTextureSize, kTextureSize);
    const uint32_t s = 1000u * uint32_t(fuel);
    switch (fuel) {
    case 1: {  // Short grass: green-gold turf with dry patches and a few bare spots
        PaintGround(c, [&](int x, int y) {
            const float big = Fbm(float(x), float(y), 150, 4, s + 1);
            const float mid = Fbm(float(x), float(y), 28, 3, s + 2);
            const float streak = Fbm(float(x) * 3.0f, float(y), 40, 2, s + 3);
            Col g = Lerp(Hex(0x86A046), Hex(0xC9BC72), SmoothStep(0.3f, 0.72f, big));
            g = g * (0.86f + 0.22f * mid + 0.1f * streak);
            const float bare = SmoothStep(0.70f, 0.78f, Fbm(float(x), float(y), 55, 4, s + 4));
            g = Lerp(g, Hex(0xA48A62) * (0.9f + 0.2f * mid), bare * 0.85f);
            return g * Grain(x, y, s + 5, 0.16f);
        });
        break;
    }
    case 2: {  // Open timber over grass: scattered pines on dry grass
        PaintGround(c, [&](int x, int y) {
            const float big = Fbm(float(x), float(y), 120, 4, s + 1);
            const float mid = Fbm(float(x), float(y), 20, 3, s + 2);
            Col g = Lerp(Hex(0x9C9A52), Hex(0xCDB877), SmoothStep(0.3f, 0.7f, big)) * (0.88f + 0.22f * mid);
            return g * Grain(x, y, s + 5, 0.14f);
        });
        CrownStyle pines{20, 0.55f, 4, 7.5f, 1, 0.5f, Tint(0x1E3A1E, 0x557E3C)};
        ScatterCrowns(c, pines, s + 10);
        break;
    }
    case 3: {  // Tall grass: golden stems combed by the wind into long streaks and waves
        const float ca = std::cos(0.5f), sa = std::sin(0.5f);
        PaintGround(c, [&](int x, int y) {
            const float u = float(x) * ca + float(y) * sa, v = -float(x) * sa + float(y) * ca;
            const float streak = Fbm(u * 6.0f, v, 60, 4, s + 1);
            const float wave = 0.5f + 0.5f * std::sin(v * 0.045f + 5.0f * Fbm(float(x), float(y), 120, 3, s + 2));
            const float big = Fbm(float(x), float(y), 180, 3, s + 3);
            Col g = Lerp(Hex(0xA8874A), Hex(0xE0C788), SmoothStep(0.25f, 0.8f, streak));
            g = Lerp(g, Hex(0x9A9550), 0.35f * (1.0f - big));
            g = g * (0.86f + 0.2f * wave);
            return g * Grain(x, y, s + 5, 0.12f);
        });
        break;
    }
    case 4: {  // Chaparral: dense dark shrub canopy with little red soil showing
        PaintGround(c, [&](int x, int y) {
            return Hex(0x7E5E42) * (0.8f + 0.35f * Fbm(float(x), float(y), 30, 3, s + 1)) * Grain(x, y, s + 2, 0.2f);
        });
        CrownStyle shrubs{7.5f, 0.95f, 3.0f, 5.5f, 3, 0.5f, [](Rng& r) {
                              const float t = r.Next();
                              return std::make_pair(Lerp(Hex(0x26331D), Hex(0x3A3A22), t), Lerp(Hex(0x5F7040), Hex(0x7C7A48), t));
                          }};
        ScatterCrowns(c, shrubs, s + 10);
        break;
    }
    case 5: {  // Brush about knee high: sage shrubs spaced over tan soil and grass
        PaintGround(c, [&](int x, int y) {
            const float n = Fbm(float(x), float(y), 40, 4, s + 1);
            Col g = Lerp(Hex(0xB29C72), Hex(0x9EA064), SmoothStep(0.4f, 0.7f, Fbm(float(x), float(y), 90, 3, s + 3)));
            return g * (0.85f + 0.3f * n) * Grain(x, y, s + 2, 0.18f);
        });
        CrownStyle shrubs{9, 0.72f, 2.5f, 4.5f, 2, 0.45f, Tint(0x45562F, 0x94A262, 0.15f)};
        ScatterCrowns(c, shrubs, s + 10);
        break;
    }
    case 6: {  // Dormant brush and slash: grey-brown twiggy shrubs on dusty ground, fallen sticks
        PaintGround(c, [&](int x, int y) {
            const float n = Fbm(float(x), float(y), 45, 4, s + 1);
            return Hex(0xB09E7E) * (0.85f + 0.28f * n) * Grain(x, y, s + 2, 0.2f);
        });
        ScatterLogs(c, 260, 3, 8, 0.4f, 0.7f, Hex(0x6A5842), s + 20);
        CrownStyle shrubs{9, 0.68f, 2.5f, 4.5f, 3, 0.42f, Tint(0x4E4436, 0x9C8E72, 0.15f)};
        ScatterCrowns(c, shrubs, s + 10);
        break;
    }
    case 7: {  // Southern rough: dense palmetto and gallberry understory under scattered pines
        PaintGround(c, [&](int x, int y) {
            const float n = Fbm(float(x), float(y), 18, 3, s + 1);
            const float big = Fbm(float(x), float(y), 110, 3, s + 3);
            const float spike = Unit(uint32_t(x / 2), uint32_t(y / 2), s + 4) > 0.8f ? 1.15f : 1.0f;
            Col g = Lerp(Hex(0x3E5228), Hex(0x6F8A3E), SmoothStep(0.3f, 0.75f, n));
            g = Lerp(g, Hex(0x6A6438), 0.3f * big);
            return g * spike * Grain(x, y, s + 2, 0.22f);
        });
        CrownStyle pines{15, 0.6f, 4.0f, 7.0f, 1, 0.5f, Tint(0x243F22, 0x5C8846)};
        ScatterCrowns(c, pines, s + 10);
        break;
    }
    case 8: {  // Closed timber: a closed conifer canopy over needle litter
        PaintGround(c, [&](int x, int y) {
            return Hex(0x4E3C2A) * (0.8f + 0.4f * Fbm(float(x), float(y), 20, 3, s + 1)) * Grain(x, y, s + 2, 0.25f);
        });
        CrownStyle firs{9.5f, 0.96f, 4.5f, 7.0f, 1, 0.55f, Tint(0x142C18, 0x3D6A34)};
        ScatterCrowns(c, firs, s + 10);
        break;
    }
    case 9: {  // Hardwoods: broad rounded crowns, some turning yellow, orange and red
        PaintGround(c, [&](int x, int y) {
            return Hex(0x7A5634) * (0.8f + 0.4f * Fbm(float(x), float(y), 16, 3, s + 1)) * Grain(x, y, s + 2, 0.25f);
        });
        CrownStyle oaks{13, 0.93f, 6.0f, 9.0f, 4, 0.5f, [](Rng& r) {
                            const float t = r.Next();
                            if (t < 0.72f) return Tint(0x30521F, 0x7A9A44, 0.15f)(r);
                            if (t < 0.84f) return Tint(0x6A6024, 0xB8A452, 0.1f)(r);
                            if (t < 0.94f) return Tint(0x6E4222, 0xB07838, 0.1f)(r);
                            return Tint(0x5E2A20, 0x9A4A34, 0.1f)(r);
                        }};
        ScatterCrowns(c, oaks, s + 10);
        break;
    }
    case 10: {  // Timber with litter and understory: dense dark canopy, young trees and snags
        PaintGround(c, [&](int x, int y) {
            const float n = Fbm(float(x), float(y), 14, 3, s + 1);
            return Lerp(Hex(0x3C3A24), Hex(0x4E5A30), n) * Grain(x, y, s + 2, 0.25f);
        });
        CrownStyle young{5, 0.5f, 1.8f, 2.8f, 1, 0.4f, Tint(0x1E3A22, 0x4C7A40)};
        ScatterCrowns(c, young, s + 11);
        CrownStyle firs{9, 0.88f, 4.0f, 6.5f, 1, 0.55f, [](Rng& r) {
                            if (r.Next() < 0.03f) return std::make_pair(Hex(0x3E3A32), Hex(0x6E6A5E));  // dead snags
                            return Tint(0x10261C, 0x32593E)(r);
                        }};
        ScatterCrowns(c, firs, s + 10);
        break;
    }
    case 11:
    case 12:
    case 13: {  // Logging slash: bare skidded ground with logs, stumps and, heavier, windrowed piles
        const int level = fuel - 10;
        const Col soil = level == 1 ? Hex(0x8E7656) : (level == 2 ? Hex(0x7E6648) : Hex(0x6E5844));
        PaintGround(c, [&](int x, int y) {
            const float n = Fbm(float(x), float(y), 35, 4, s + 1);
            Col g = soil * (0.82f + 0.35f * n);
            const float regrowth = SmoothStep(0.62f, 0.74f, Fbm(float(x), float(y), 70, 3, s + 3)) * (level == 1 ? 0.8f : 0.4f);
            g = Lerp(g, Hex(0x7E8A48) * (0.8f + 0.3f * n), regrowth);
            g = g * (1.0f - 0.22f * TrackMask(float(x), float(y), s + 4));
            return g * Grain(x, y, s + 2, 0.22f);
        });
        const Col wood = level == 3 ? Hex(0x9A8A72) : Hex(0xA88C66);
        // Heavy slash lies in windrows: many more pieces, most of them along one direction.
        ScatterLogs(c, level == 3 ? 2600 : 260 * level * level + 160, 6, 12 + 5 * float(level), 0.8f,
                    1.3f + 0.3f * float(level), wood, s + 20, level == 3 ? 0.6f : -1.0f);
        CrownStyle stumps{22.0f - 3.0f * float(level), 0.5f, 1.2f, 1.9f, 1, 0.5f, Tint(0x7A6446, 0xC8B07E, 0.08f)};
        ScatterCrowns(c, stumps, s + 30);
        break;
    }
    case 14: {  // Water: deep blue with wind ripples and glints
        const float ca = std::cos(0.3f), sa = std::sin(0.3f);
        PaintGround(c, [&](int x, int y) {
            const float u = float(x) * ca + float(y) * sa;
            const float depth = Fbm(float(x), float(y), 200, 3, s + 1);
            const float ripple = std::sin(u * 0.42f + 7.0f * Fbm(float(x), float(y), 60, 3, s + 2));
            Col w = Lerp(Hex(0x1A3E62), Hex(0x2E6488), SmoothStep(0.25f, 0.75f, depth));
            w = w * (0.94f + 0.08f * ripple);
            const float crest = SmoothStep(0.86f, 0.98f, ripple) * SmoothStep(0.45f, 0.7f, Fbm(float(x), float(y), 40, 2, s + 3));
            w = Lerp(w, Hex(0x7EAAC8), crest * 0.5f);
            if (Unit(uint32_t(x), uint32_t(y), s + 4) > 0.9985f) w = Lerp(w, Hex(0xE8F2F8), 0.7f);
            return w * Grain(x, y, s + 5, 0.05f);
        });
        break;
    }
    default: {  // Road and bare rock: grey gravel and slabs with dark cracks
        PaintGround(c, [&](int x, int y) {
            const float big = Fbm(float(x), float(y), 90, 4, s + 1);
            const float wx = float(x) + 14.0f * Fbm(float(x), float(y), 30, 2, s + 5);
            const float wy = float(y) + 14.0f * Fbm(float(x), float(y), 30, 2, s + 6);
            const WorleyDist wd = Worley(wx, wy, 70, s + 2);
            const float broken = SmoothStep(0.35f, 0.6f, Fbm(float(x), float(y), 50, 3, s + 7));
            const float crack = (1.0f - SmoothStep(0.3f, 1.2f, wd.d2 - wd.d1)) * broken;
            const float gravel = Fbm(float(x), float(y), 4, 2, s + 3);
            Col g = Lerp(Hex(0x7A7872), Hex(0xA8A69E), big) * (0.88f + 0.22f * gravel);
            g = g * (1.0f - 0.3f * crack);
            return g * Grain(x, y, s + 4, 0.22f);
        });
        break;
    }
    }
    return c;
}

}  // namespace assets
