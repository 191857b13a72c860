// torvex-landscape: draws the demo lessons' fuel grids from shape rules (deterministic, run by hand).
// The committed .asc files are the source; this program only records how they were made.
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "tools/lesson_json.h"
#include "tools/map_png.h"

using namespace torvex::lessontool;

namespace {

constexpr int N = kMapSide;

// Fuel codes.
enum : uint8_t {
    ShortGrass = 1, TimberGrass = 2, TallGrass = 3, Chaparral = 4, Brush = 5, DormantBrush = 6,
    Rough = 7, TimberLitter = 8, Hardwood = 9, TimberUnder = 10, SlashLight = 11, SlashMedium = 12,
    SlashHeavy = 13, Water = 14, Road = 15,
};

struct Pt {
    double x, y;
};

// Smooth deterministic noise in [0, 1): value noise on a lattice, summed over octaves.
double Lattice(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / double(0x1000000);
}

double ValueNoise(double x, double y, uint32_t seed) {
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    const double fx = x - x0, fy = y - y0;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double a = Lattice(x0, y0, seed), b = Lattice(x0 + 1, y0, seed);
    const double c = Lattice(x0, y0 + 1, seed), d = Lattice(x0 + 1, y0 + 1, seed);
    return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

// Feature size in cells of the coarsest octave.
double Fbm(double x, double y, double size, uint32_t seed, int octaves = 4) {
    double sum = 0, amp = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * ValueNoise(x / size, y / size, seed + o * 101);
        norm += amp;
        amp *= 0.5;
        size *= 0.5;
    }
    return sum / norm;
}

// Catmull-Rom through the control points, a point every fraction of a cell.
std::vector<Pt> Curve(const std::vector<Pt>& c) {
    std::vector<Pt> out;
    for (size_t i = 0; i + 1 < c.size(); ++i) {
        const Pt p0 = c[i ? i - 1 : 0], p1 = c[i], p2 = c[i + 1], p3 = c[i + 2 < c.size() ? i + 2 : i + 1];
        const int steps = 4 * static_cast<int>(std::hypot(p2.x - p1.x, p2.y - p1.y)) + 1;
        for (int s = 0; s < steps; ++s) {
            const double t = double(s) / steps, t2 = t * t, t3 = t2 * t;
            auto f = [&](double a, double b, double cc, double d) {
                return 0.5 * (2 * b + (-a + cc) * t + (2 * a - 5 * b + 4 * cc - d) * t2 + (-a + 3 * b - 3 * cc + d) * t3);
            };
            out.push_back({f(p0.x, p1.x, p2.x, p3.x), f(p0.y, p1.y, p2.y, p3.y)});
        }
    }
    out.push_back(c.back());
    return out;
}

// Distance from every cell centre to a dense curve.
std::vector<double> DistanceField(const std::vector<Pt>& curve) {
    std::vector<double> d(N * N, 1e9);
    for (const Pt& p : curve) {
        const int r = 24;
        for (int y = std::max(0, int(p.y) - r); y <= std::min(N - 1, int(p.y) + r); ++y)
            for (int x = std::max(0, int(p.x) - r); x <= std::min(N - 1, int(p.x) + r); ++x) {
                const double e = std::hypot(x + 0.5 - p.x, y + 0.5 - p.y);
                if (e < d[y * N + x]) d[y * N + x] = e;
            }
    }
    return d;
}

struct Hill {
    double x, y, radius, height;
};

std::vector<double> Terrain(const std::vector<Hill>& hills, uint32_t seed) {
    std::vector<double> h(N * N);
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            double v = 0.18 * Fbm(x, y, 64, seed);
            for (const Hill& k : hills) {
                const double r2 = ((x - k.x) * (x - k.x) + (y - k.y) * (y - k.y)) / (k.radius * k.radius);
                v += k.height * std::exp(-r2);
            }
            h[y * N + x] = v;
        }
    return h;
}

// Slope facing south or west (sunny, dry): the terrain falls towards the south or west.
double Sunny(const std::vector<double>& h, int x, int y) {
    const int xa = std::max(0, x - 2), xb = std::min(N - 1, x + 2), ya = std::max(0, y - 2), yb = std::min(N - 1, y + 2);
    const double dx = h[y * N + xb] - h[y * N + xa], dy = h[yb * N + x] - h[ya * N + x];
    return -dy * 0.7 - dx * 0.3;  // rows grow southwards
}

struct Lake {
    double x, y, rx, ry, angleDeg;
    bool Contains(int cx, int cy, uint32_t seed) const {
        const double a = angleDeg * M_PI / 180, dx = cx + 0.5 - x, dy = cy + 0.5 - y;
        const double u = (dx * std::cos(a) + dy * std::sin(a)) / rx, v = (-dx * std::sin(a) + dy * std::cos(a)) / ry;
        return std::sqrt(u * u + v * v) < 0.85 + 0.3 * Fbm(cx, cy, 12, seed, 2);
    }
};

struct Waters {
    std::vector<double> riverDist;  // to the river's centre line
    double riverHalfWidth;
    Lake lake;
    uint32_t seed;
    bool IsWater(int x, int y) const {
        const double wobble = 0.6 * (Fbm(x, y, 10, seed + 7, 2) - 0.5);
        return riverDist[y * N + x] < riverHalfWidth + wobble || lake.Contains(x, y, seed + 9);
    }
    // Cells from open water, roughly (cheap: river distance, lake by its ellipse).
    double Shore(int x, int y) const {
        const Lake& l = lake;
        const double a = l.angleDeg * M_PI / 180, dx = x + 0.5 - l.x, dy = y + 0.5 - l.y;
        const double u = (dx * std::cos(a) + dy * std::sin(a)) / l.rx, v = (-dx * std::sin(a) + dy * std::cos(a)) / l.ry;
        const double lakeDist = (std::sqrt(u * u + v * v) - 1.0) * std::min(l.rx, l.ry);
        return std::min(riverDist[y * N + x] - riverHalfWidth, lakeDist);
    }
};

void PaintRoad(FuelMap& m, const std::vector<Pt>& curve, double halfWidth) {
    const std::vector<double> d = DistanceField(curve);
    for (int i = 0; i < N * N; ++i)
        if (d[i] <= halfWidth) m.codes[i] = Road;
}

// Grass lesson: a broad valley of meadows, a creek from the north-west hills into a lake in the
// south-west, brush on the eastern slopes and timber on the northern and north-eastern ridges.
FuelMap GrassLandscape() {
    const uint32_t seed = 11;
    FuelMap m;
    m.cellSizeM = 30;
    const auto h = Terrain({{20, 10, 70, 0.8}, {240, 30, 80, 0.9}, {250, 200, 60, 0.55}, {120, 250, 50, 0.25}}, seed);
    Waters w{DistanceField(Curve({{30, -5}, {48, 40}, {70, 80}, {92, 120}, {84, 150}, {66, 178}, {58, 196}})), 2.2,
            Lake{52, 214, 30, 18, -20}, seed};
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            const double e = h[y * N + x], n1 = Fbm(x, y, 24, seed + 1), n2 = Fbm(x, y, 9, seed + 2, 3);
            uint8_t c = ShortGrass;
            if (w.IsWater(x, y)) c = Water;
            else if (w.Shore(x, y) < 3 + 5 * n2) c = TallGrass;
            else if (e > 0.62 + 0.1 * n2) c = n1 > 0.55 ? TimberLitter : TimberUnder;
            else if (e > 0.46 + 0.08 * n2) c = n1 > 0.6 ? TimberGrass : Brush;
            else if (e > 0.36 && n1 > 0.58) c = TimberGrass;
            else if (n1 < 0.3 && n2 > 0.45) c = TallGrass;
            m.At(x, y) = c;
        }
    PaintRoad(m, Curve({{-2, 166}, {60, 160}, {110, 150}, {170, 158}, {220, 150}, {258, 140}}), 1.1);
    PaintRoad(m, Curve({{170, 158}, {176, 200}, {168, 258}}), 0.9);
    return m;
}

// Brush-and-timber lesson: a river in a valley from north-east to south-west, chaparral and
// brush on its sunny slopes, timber on the shaded slopes and ridges, a reservoir in the north-east
// and a road along the river's north-west bank.
FuelMap BrushTimberLandscape() {
    const uint32_t seed = 23;
    FuelMap m;
    m.cellSizeM = 30;
    const auto h = Terrain({{40, 40, 60, 0.7}, {200, 230, 70, 0.75}, {230, 120, 45, 0.45}, {70, 200, 40, 0.4},
                            {140, 30, 35, 0.35}},
                           seed);
    Waters w{DistanceField(Curve({{214, 56}, {190, 84}, {160, 104}, {128, 126}, {106, 150}, {84, 176}, {40, 220},
                                 {10, 262}})),
            2.4, Lake{226, 40, 26, 16, 35}, seed};
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            const double e = h[y * N + x], n1 = Fbm(x, y, 20, seed + 1), n2 = Fbm(x, y, 8, seed + 2, 3);
            const double sun = Sunny(h, x, y) * 40;
            uint8_t c;
            if (w.IsWater(x, y)) c = Water;
            else if (w.Shore(x, y) < 2 + 4 * n2) c = TallGrass;
            else if (w.Shore(x, y) < 9 + 8 * n1) c = n2 > 0.5 ? ShortGrass : TallGrass;
            else if (e + 0.15 * n2 > 0.62) c = n1 > 0.5 ? TimberLitter : TimberUnder;
            else if (sun + (n1 - 0.5) > 0.15) c = e > 0.3 ? Chaparral : (n2 > 0.55 ? DormantBrush : Brush);
            else if (sun + (n1 - 0.5) > -0.25) c = n2 > 0.5 ? Brush : TimberGrass;
            else c = n1 > 0.62 ? Hardwood : TimberUnder;
            m.At(x, y) = c;
        }
    // The road keeps to the north-west bank: nothing stops a run to the south-east but the crews.
    PaintRoad(m, Curve({{120, -2}, {126, 40}, {112, 80}, {110, 112}, {96, 136}, {74, 160}, {34, 196}, {-2, 226}}), 1.1);
    return m;
}

// A logging unit: a rotated rectangle with ragged edges.
struct Unit {
    double x, y, halfLength, halfWidth, angleDeg;
    uint8_t slash;
    bool Contains(int cx, int cy, uint32_t seed) const {
        const double a = angleDeg * M_PI / 180, dx = cx + 0.5 - x, dy = cy + 0.5 - y;
        const double u = dx * std::cos(a) + dy * std::sin(a), v = -dx * std::sin(a) + dy * std::cos(a);
        const double rag = 2.5 * (Fbm(cx, cy, 6, seed, 2) - 0.5);
        return std::abs(u) < halfLength + rag && std::abs(v) < halfWidth + rag;
    }
};

// Slash lesson: timbered hills with a string of recent logging units of light, medium and
// heavy slash along a haul road and its spurs, a river with meadows and a lake to the south.
FuelMap SlashLandscape() {
    const uint32_t seed = 37;
    FuelMap m;
    m.cellSizeM = 30;
    const auto h = Terrain({{60, 60, 70, 0.6}, {200, 60, 70, 0.65}, {150, 150, 60, 0.45}}, seed);
    Waters w{DistanceField(Curve({{-2, 190}, {40, 196}, {80, 186}, {120, 200}, {150, 214}, {170, 220}})), 2.2,
            Lake{200, 226, 34, 18, 10}, seed};
    const std::vector<Unit> units = {
        {70, 70, 26, 16, 15, SlashMedium}, {120, 100, 20, 14, -20, SlashHeavy}, {172, 72, 24, 13, 30, SlashLight},
        {200, 128, 18, 12, -10, SlashMedium}, {42, 124, 16, 12, 40, SlashLight}, {120, 40, 14, 10, 0, SlashHeavy},
    };
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            const double e = h[y * N + x], n1 = Fbm(x, y, 22, seed + 1), n2 = Fbm(x, y, 8, seed + 2, 3);
            uint8_t c;
            if (w.IsWater(x, y)) c = Water;
            else if (w.Shore(x, y) < 3 + 5 * n2) c = TallGrass;
            else if (w.Shore(x, y) < 14 + 10 * n1) c = n2 > 0.45 ? ShortGrass : TimberGrass;
            else if (e + 0.2 * n2 < 0.2) c = n1 > 0.5 ? Brush : TimberGrass;
            else c = n1 > 0.66 ? TimberLitter : (Fbm(x, y, 16, seed + 3, 2) > 0.66 ? Hardwood : TimberUnder);
            for (size_t u = 0; u < units.size(); ++u)
                if (c != Water && units[u].Contains(x, y, seed + 50 + u)) {
                    c = units[u].slash;
                    // Piles left at the landing: heavier slash in the unit's centre.
                    if (c != SlashHeavy && n2 > 0.72) c = static_cast<uint8_t>(c + 1);
                }
            m.At(x, y) = c;
        }
    // Haul road along the valley side, spurs up to the units, a bridge over the river.
    PaintRoad(m, Curve({{-2, 160}, {40, 150}, {90, 140}, {140, 132}, {200, 150}, {258, 160}}), 1.1);
    PaintRoad(m, Curve({{90, 140}, {80, 100}, {70, 70}}), 0.9);
    PaintRoad(m, Curve({{140, 132}, {130, 122}, {124, 114}}), 0.9);  // ends at the landing
    PaintRoad(m, Curve({{200, 150}, {198, 128}, {180, 100}, {172, 72}}), 0.9);
    PaintRoad(m, Curve({{130, 134}, {126, 180}, {124, 258}}), 1.1);
    return m;
}

bool Write(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& b) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::string(argv[1]) == "--help") {
        std::cout << "Usage: torvex-landscape OUTDIR [--png]\n"
                     "Writes the demo lessons' fuel grids (and with --png a picture of each) into OUTDIR.\n";
        return argc < 2 ? 1 : 0;
    }
    const std::string dir = argv[1];
    const bool png = argc > 2 && std::string(argv[2]) == "--png";
    const struct {
        const char* name;
        FuelMap (*make)();
    } maps[] = {{"01-grass-fire", GrassLandscape}, {"02-brush-and-timber", BrushTimberLandscape},
                {"03-slash-fire", SlashLandscape}};
    for (const auto& m : maps) {
        const FuelMap map = m.make();
        if (!Write(dir + "/" + m.name + ".asc", WriteAscGrid(map))) {
            std::cerr << "torvex-landscape: cannot write " << dir << "/" << m.name << ".asc\n";
            return 1;
        }
        if (png) WriteBytes(dir + "/" + m.name + ".png", MapPreviewPng(MakeMapBitmap(map), 2));
    }
    return 0;
}
