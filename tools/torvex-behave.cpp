// torvex-behave: the fire behaviour of the 13 fuel models for a lesson's wind and moistures.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "behaviour/adapter.h"

namespace {

constexpr double kMetresPerChain = 20.1168;
constexpr double kFeetPerMetre = 1 / 0.3048;

const char* kUsage =
    "Usage: torvex-behave [--wind MPH] [--direction DEG] [--moisture 1H,10H,100H,HERB,WOODY] [--json]\n"
    "\n"
    "Prints, for fuel models 1 to 13, the fire behaviour the simulator uses for a lesson's conditions:\n"
    "head and backing rate of spread (m/min and chains/h), length-to-breadth of the fire ellipse and\n"
    "flame length (m and ft).\n"
    "\n"
    "  --wind MPH        20-ft wind speed in whole mi/h, as a lesson stores it (0 to 200; default 10)\n"
    "  --direction DEG   direction the wind comes from, whole degrees (0 to 360; default 0)\n"
    "  --moisture LIST   five whole percents: 1-hour, 10-hour, 100-hour, herbaceous, woody\n"
    "                    (0 to 500 each; default 8,8,8,100,100)\n"
    "  --json            one JSON array of objects instead of the table\n"
    "  --help            this text\n";

struct Options {
    int wind = 10;
    int direction = 0;
    int moisture[5] = {8, 8, 8, 100, 100};
    bool json = false;
};

int Fail(const std::string& message) {
    std::fprintf(stderr, "torvex-behave: %s\nTry 'torvex-behave --help'.\n", message.c_str());
    return 2;
}

bool ParseWhole(std::string_view text, int lo, int hi, int& out) {
    int v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return false;
    if (v < lo || v > hi) return false;
    out = v;
    return true;
}

// Returns an error text, empty when the list is good.
std::string ParseMoistures(std::string_view text, int (&out)[5]) {
    static const char* kNames[5] = {"1-hour", "10-hour", "100-hour", "herbaceous", "woody"};
    int values[5];
    size_t start = 0;
    for (int i = 0; i < 5; ++i) {
        size_t comma = text.find(',', start);
        bool last = i == 4;
        if (!last && comma == std::string_view::npos)
            return "--moisture needs five comma-separated percents, got " + std::to_string(i + 1);
        if (last && comma != std::string_view::npos) return "--moisture takes five percents, got more";
        std::string_view item = text.substr(start, last ? std::string_view::npos : comma - start);
        if (!ParseWhole(item, 0, 500, values[i]))
            return std::string("--moisture: ") + kNames[i] + " moisture '" + std::string(item) +
                   "' is not a whole percent from 0 to 500";
        start = comma + 1;
    }
    std::memcpy(out, values, sizeof values);
    return {};
}

double Rounded(double v, double scale) { return std::round(v * scale) / scale; }

}  // namespace

int main(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string_view a = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--wind") {
            const char* v = value();
            if (!v) return Fail("--wind needs a value");
            if (!ParseWhole(v, 0, 200, o.wind)) return Fail(std::string("--wind '") + v + "' is not whole mi/h from 0 to 200");
        } else if (a == "--direction") {
            const char* v = value();
            if (!v) return Fail("--direction needs a value");
            if (!ParseWhole(v, 0, 360, o.direction))
                return Fail(std::string("--direction '") + v + "' is not whole degrees from 0 to 360");
        } else if (a == "--moisture") {
            const char* v = value();
            if (!v) return Fail("--moisture needs a value");
            std::string err = ParseMoistures(v, o.moisture);
            if (!err.empty()) return Fail(err);
        } else {
            return Fail("unknown argument '" + std::string(a) + "'");
        }
    }

    torvex::StartFireBehaviourPercent(static_cast<int16_t>(o.moisture[0]), static_cast<int16_t>(o.moisture[1]),
                                      static_cast<int16_t>(o.moisture[2]), static_cast<int16_t>(o.moisture[3]),
                                      static_cast<int16_t>(o.moisture[4]));
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    if (!o.json) {
        std::printf("Wind %d mi/h (20 ft) from %d deg; moisture 1-h %d %%, 10-h %d %%, 100-h %d %%, "
                    "herbaceous %d %%, woody %d %%\n\n",
                    o.wind, o.direction, o.moisture[0], o.moisture[1], o.moisture[2], o.moisture[3], o.moisture[4]);
        std::printf("%5s  %-24s %10s %10s %9s %9s %6s %7s %8s\n", "Model", "Name", "Head m/min", "Back m/min",
                    "Head ch/h", "Back ch/h", "L/B", "Flame m", "Flame ft");
    }
    float maxSpreadDirection = 0;
    for (int16_t f = 1; f <= 13; ++f) {
        torvex::FireBehaviour b = torvex::GetFireBehaviour(f, static_cast<int16_t>(o.wind),
                                                           static_cast<int16_t>(o.direction), maxSpreadDirection);
        double headCh = b.HeadRate * 60.0 / kMetresPerChain;
        double backCh = b.BackRate * 60.0 / kMetresPerChain;
        double flameFt = b.FlameLength * kFeetPerMetre;
        if (o.json) {
            rows.push_back({{"model", f},
                            {"name", torvex::FuelModelName(f)},
                            {"head_m_min", Rounded(b.HeadRate, 1e4)},
                            {"back_m_min", Rounded(b.BackRate, 1e4)},
                            {"head_ch_h", Rounded(headCh, 1e3)},
                            {"length_to_breadth", Rounded(b.LengthToBreadth, 1e4)},
                            {"flame_m", Rounded(b.FlameLength, 1e4)},
                            {"flame_ft", Rounded(flameFt, 1e3)}});
        } else {
            std::printf("%5d  %-24s %10.2f %10.3f %9.1f %9.2f %6.2f %7.2f %8.1f\n", f,
                        torvex::FuelModelName(f).c_str(), b.HeadRate, b.BackRate, headCh, backCh, b.LengthToBreadth,
                        b.FlameLength, flameFt);
        }
    }
    if (o.json) std::printf("%s\n", rows.dump(2).c_str());
    return 0;
}
