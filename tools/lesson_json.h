// Lesson builder core: JSON <-> lesson records, ESRI ASCII fuel grids and the 8-bit map bitmap.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/common.h"
#include "lesson/lesson.h"

namespace torvex::lessontool {

// Every fault in a builder input; the text names the field or line at fault.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

constexpr int kMapSide = 256;
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kPixelOffset = 1078;
constexpr size_t kMapBitmapSize = kPixelOffset + kMapSide * kMapSide;  // 66,614
constexpr int kHighestCode = 15;  // 0-13 fuel models, 14 water, 15 road or bare rock

// ---------------------------------------------------------------------------------------------
// Little-endian fields.

inline void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
inline void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
inline uint16_t Get16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}
inline uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | b[at + i];
    return v;
}

// ---------------------------------------------------------------------------------------------
// Fuel map.

// Fuel codes of one map, row 0 the north edge, each row west to east.
struct FuelMap {
    float cellSizeM = 30.0f;
    std::vector<uint8_t> codes = std::vector<uint8_t>(kMapSide * kMapSide, 0);
    uint8_t At(int x, int y) const { return codes[static_cast<size_t>(y) * kMapSide + x]; }
    uint8_t& At(int x, int y) { return codes[static_cast<size_t>(y) * kMapSide + x]; }
};

struct Colour {
    uint8_t r, g, b;
};

// Colours of the fuel codes as the legend and the raw map show them: straw and greens for grass,
// browns for brush and timber, greys for slash, blue for water, near-white for road and rock.
inline const std::array<Colour, 16>& FuelColours() {
    static const std::array<Colour, 16> colours = {{
        {0, 0, 0},        // 0 nothing
        {226, 214, 124},  // 1 short grass
        {158, 170, 84},   // 2 open timber, grass
        {206, 184, 64},   // 3 tall grass
        {144, 102, 40},   // 4 chaparral
        {180, 132, 76},   // 5 brush
        {200, 168, 124},  // 6 dormant brush, hardwood slash
        {134, 140, 70},   // 7 southern rough
        {46, 94, 46},     // 8 closed timber litter
        {150, 92, 48},    // 9 hardwood litter
        {80, 68, 36},     // 10 timber, litter and understory
        {178, 176, 168},  // 11 light logging slash
        {134, 132, 126},  // 12 medium logging slash
        {92, 92, 90},     // 13 heavy logging slash
        {44, 96, 200},    // 14 water
        {246, 244, 236},  // 15 road, bare rock
    }};
    return colours;
}

// The bitmap a lesson stores, in the one layout the program reads: bottom-up 256 x 256, the
// cell size in the file header's reserved words.
inline std::vector<uint8_t> MakeMapBitmap(const FuelMap& map) {
    std::vector<uint8_t> b(kMapBitmapSize, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(kMapBitmapSize));
    Put32(b, 6, std::bit_cast<uint32_t>(map.cellSizeM));
    Put32(b, 10, static_cast<uint32_t>(kPixelOffset));
    Put32(b, 14, static_cast<uint32_t>(kInfoHeaderSize));
    Put32(b, 18, kMapSide);
    Put32(b, 22, kMapSide);
    Put16(b, 26, 1);   // planes
    Put16(b, 28, 8);   // bits per pixel
    Put32(b, 30, 0);   // no compression
    Put32(b, 34, kMapSide * kMapSide);
    Put32(b, 38, 2835);  // 72 dpi
    Put32(b, 42, 2835);
    Put32(b, 46, 256);  // colours used
    Put32(b, 50, 0);
    const auto& colours = FuelColours();
    for (size_t i = 0; i < colours.size(); ++i) {
        b[54 + 4 * i] = colours[i].b;
        b[54 + 4 * i + 1] = colours[i].g;
        b[54 + 4 * i + 2] = colours[i].r;
    }
    for (int y = 0; y < kMapSide; ++y) {
        const size_t row = kPixelOffset + static_cast<size_t>(kMapSide - 1 - y) * kMapSide;
        std::copy_n(map.codes.begin() + static_cast<ptrdiff_t>(y) * kMapSide, kMapSide, b.begin() + row);
    }
    return b;
}

inline float BitmapCellSize(const std::vector<uint8_t>& bitmap) {
    return std::bit_cast<float>(Get32(bitmap, 6));
}

// The same bounds the program's grid build accepts.
inline bool UsableCellSize(float c) { return c > 0.0f && c < 1.0e6f; }

// Reads a stored map bitmap back into codes; refuses anything the program would misread.
inline FuelMap MapFromBitmap(const std::vector<uint8_t>& b) {
    if (b.size() != kMapBitmapSize)
        throw InputError("map bitmap: " + std::to_string(b.size()) + " bytes, expected " +
                         std::to_string(kMapBitmapSize));
    if (b[0] != 'B' || b[1] != 'M') throw InputError("map bitmap: does not start with \"BM\"");
    const int32_t w = static_cast<int32_t>(Get32(b, 18)), h = static_cast<int32_t>(Get32(b, 22));
    if (w != kMapSide || h != kMapSide)
        throw InputError("map bitmap: " + std::to_string(w) + " x " + std::to_string(h) +
                         " pixels, expected 256 x 256 stored bottom-up");
    if (Get16(b, 28) != 8 || Get32(b, 30) != 0)
        throw InputError("map bitmap: not an uncompressed 8-bit bitmap");
    FuelMap map;
    map.cellSizeM = BitmapCellSize(b);
    if (!UsableCellSize(map.cellSizeM))
        throw InputError("map bitmap: cell size " + std::to_string(map.cellSizeM) + " is not a positive length");
    for (int y = 0; y < kMapSide; ++y) {
        const size_t row = kPixelOffset + static_cast<size_t>(kMapSide - 1 - y) * kMapSide;
        std::copy_n(b.begin() + static_cast<ptrdiff_t>(row), kMapSide,
                    map.codes.begin() + static_cast<ptrdiff_t>(y) * kMapSide);
    }
    return map;
}

// True when the bitmap is exactly what MakeMapBitmap gives for its codes, so that its grid
// alone rebuilds the same bytes.
inline bool IsStandardBitmap(const std::vector<uint8_t>& b) {
    if (b.size() != kMapBitmapSize) return false;
    FuelMap map;
    map.cellSizeM = BitmapCellSize(b);
    return std::equal(b.begin(), b.begin() + kPixelOffset, MakeMapBitmap(map).begin());
}

// Highest code found and where, for maps holding codes the builder does not take.
inline std::optional<std::string> FirstUnknownCode(const FuelMap& map) {
    for (int y = 0; y < kMapSide; ++y)
        for (int x = 0; x < kMapSide; ++x)
            if (map.At(x, y) > kHighestCode)
                return "code " + std::to_string(map.At(x, y)) + " at column " + std::to_string(x) + ", row " +
                       std::to_string(y);
    return std::nullopt;
}

// An 8-bit BMP from any editor, brought to the stored layout with its own colour table. The
// cell size comes from cellSizeM when given, else from the file's reserved words.
inline std::vector<uint8_t> ImportBmp(const std::vector<uint8_t>& f, std::optional<float> cellSizeM) {
    auto fail = [](const std::string& what) { throw InputError("bitmap: " + what); };
    if (f.size() < kFileHeaderSize + kInfoHeaderSize || f[0] != 'B' || f[1] != 'M')
        fail("not a BMP file");
    const uint32_t pixelsAt = Get32(f, 10);
    const uint32_t infoSize = Get32(f, 14);
    if (infoSize < kInfoHeaderSize || kFileHeaderSize + infoSize > f.size()) fail("unknown header layout");
    const int32_t w = static_cast<int32_t>(Get32(f, 18));
    const int32_t h = static_cast<int32_t>(Get32(f, 22));
    if (Get16(f, 28) != 8) fail(std::to_string(Get16(f, 28)) + " bits per pixel, expected 8");
    if (Get32(f, 30) != 0) fail("compressed, expected uncompressed pixels");
    if (w != kMapSide || (h != kMapSide && h != -kMapSide))
        fail(std::to_string(w) + " x " + std::to_string(h < 0 ? -h : h) + " pixels, expected 256 x 256");
    uint32_t colourCount = Get32(f, 46);
    if (colourCount == 0) colourCount = 256;
    if (colourCount > 256) fail("colour table of " + std::to_string(colourCount) + " entries");
    const size_t tableAt = kFileHeaderSize + infoSize;
    if (tableAt + 4 * size_t{colourCount} > f.size()) fail("file ends inside the colour table");
    if (size_t{pixelsAt} + kMapSide * kMapSide > f.size()) fail("file ends inside the pixels");

    FuelMap map;
    map.cellSizeM = cellSizeM ? *cellSizeM : BitmapCellSize(f);
    if (!UsableCellSize(map.cellSizeM))
        fail("holds no cell size; give \"cellsize\" (metres) in the lesson");
    for (int y = 0; y < kMapSide; ++y) {
        // Bottom-up files store the south row first; top-down ones (negative height) the north row.
        const int stored = h > 0 ? kMapSide - 1 - y : y;
        std::copy_n(f.begin() + pixelsAt + static_cast<ptrdiff_t>(stored) * kMapSide, kMapSide,
                    map.codes.begin() + static_cast<ptrdiff_t>(y) * kMapSide);
    }
    if (auto bad = FirstUnknownCode(map)) fail(*bad + " is not a fuel code 0-15");
    std::vector<uint8_t> b = MakeMapBitmap(map);
    std::fill(b.begin() + 54, b.begin() + kPixelOffset, 0);
    std::copy_n(f.begin() + static_cast<ptrdiff_t>(tableAt), 4 * colourCount, b.begin() + 54);
    return b;
}

// ---------------------------------------------------------------------------------------------
// ESRI ASCII grid: a header of key/value lines, then one line per row from the north edge.

inline std::string FloatText(float v) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

inline FuelMap ReadAscGrid(std::string_view text) {
    FuelMap map;
    std::optional<long> ncols, nrows, nodata;
    std::optional<float> cellSize;
    int lineNo = 0, row = 0;
    size_t pos = 0;
    auto lineError = [&](const std::string& what) {
        throw InputError("grid line " + std::to_string(lineNo) + ": " + what);
    };
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::vector<std::string_view> words;
        for (size_t i = 0; i < line.size();) {
            while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
            size_t j = i;
            while (j < line.size() && line[j] != ' ' && line[j] != '\t') ++j;
            if (j > i) words.push_back(line.substr(i, j - i));
            i = j;
        }
        if (words.empty()) continue;
        const char first = words[0][0];
        const bool isHeader = (first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z');
        if (isHeader) {
            if (row > 0) lineError("header line among the rows");
            if (words.size() != 2) lineError("expected a key and one value");
            std::string key(words[0]);
            std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
            const std::string_view v = words[1];
            auto whole = [&](const char* name) {
                long n = 0;
                auto r = std::from_chars(v.data(), v.data() + v.size(), n);
                if (r.ec != std::errc() || r.ptr != v.data() + v.size())
                    lineError(std::string(name) + " must be a whole number");
                return n;
            };
            if (key == "ncols") {
                ncols = whole("ncols");
                if (*ncols != kMapSide) lineError("ncols is " + std::string(v) + ", expected 256");
            } else if (key == "nrows") {
                nrows = whole("nrows");
                if (*nrows != kMapSide) lineError("nrows is " + std::string(v) + ", expected 256");
            } else if (key == "cellsize") {
                float c = 0;
                auto r = std::from_chars(v.data(), v.data() + v.size(), c);
                if (r.ec != std::errc() || r.ptr != v.data() + v.size() || !UsableCellSize(c))
                    lineError("cellsize must be a positive number of metres");
                cellSize = c;
            } else if (key == "nodata_value") {
                nodata = whole("NODATA_value");
            } else if (key == "xllcorner" || key == "yllcorner" || key == "xllcenter" || key == "yllcenter") {
                double d = 0;
                auto r = std::from_chars(v.data(), v.data() + v.size(), d);
                if (r.ec != std::errc() || r.ptr != v.data() + v.size()) lineError(key + " must be a number");
            } else {
                lineError("unknown header key \"" + std::string(words[0]) + "\"");
            }
            continue;
        }
        if (!ncols || !nrows || !cellSize) lineError("the header needs ncols, nrows and cellsize before the rows");
        if (row >= kMapSide) lineError("more than 256 rows");
        if (words.size() != static_cast<size_t>(kMapSide))
            lineError("expected 256 values, found " + std::to_string(words.size()));
        for (int x = 0; x < kMapSide; ++x) {
            const std::string_view v = words[x];
            long n = 0;
            auto r = std::from_chars(v.data(), v.data() + v.size(), n);
            if (r.ec != std::errc() || r.ptr != v.data() + v.size())
                lineError("value \"" + std::string(v) + "\" in column " + std::to_string(x) + " is not a whole number");
            // Cells without data cannot burn.
            if (nodata && n == *nodata) n = 0;
            if (n < 0 || n > kHighestCode)
                lineError("value " + std::string(v) + " in column " + std::to_string(x) + " is not a fuel code 0-15");
            map.At(x, row) = static_cast<uint8_t>(n);
        }
        ++row;
    }
    if (!ncols || !nrows || !cellSize) throw InputError("grid: the header needs ncols, nrows and cellsize");
    if (row != kMapSide) throw InputError("grid: " + std::to_string(row) + " rows, expected 256");
    map.cellSizeM = *cellSize;
    return map;
}

inline std::string WriteAscGrid(const FuelMap& map) {
    std::string s = "ncols 256\nnrows 256\nxllcorner 0\nyllcorner 0\ncellsize " + FloatText(map.cellSizeM) +
                    "\nNODATA_value -9999\n";
    s.reserve(s.size() + kMapSide * kMapSide * 3);
    for (int y = 0; y < kMapSide; ++y) {
        for (int x = 0; x < kMapSide; ++x) {
            if (x) s += ' ';
            s += std::to_string(map.At(x, y));
        }
        s += '\n';
    }
    return s;
}

// ---------------------------------------------------------------------------------------------
// Lesson records <-> JSON.

namespace detail {

enum class Kind { Int16, Int32, Fixed, Variable };

template <class R>
struct Field {
    const char* name;
    Kind kind;
    int width = 0;  // Fixed texts
    int16_t R::*i16 = nullptr;
    int32_t R::*i32 = nullptr;
    std::string R::*text = nullptr;
};

// Records without texts never reach the text branches (and must not instantiate them).
template <class R>
constexpr bool kHasTexts = !std::is_same_v<R, InitialConditions>;

template <class R>
Field<R> I16(const char* n, int16_t R::*m) { return {n, Kind::Int16, 0, m, nullptr, nullptr}; }
template <class R>
Field<R> I32(const char* n, int32_t R::*m) { return {n, Kind::Int32, 0, nullptr, m, nullptr}; }
template <class R>
Field<R> Fixed(const char* n, int width, std::string R::*m) { return {n, Kind::Fixed, width, nullptr, nullptr, m}; }
template <class R>
Field<R> Var(const char* n, std::string R::*m) { return {n, Kind::Variable, 0, nullptr, nullptr, m}; }

inline const std::vector<Field<InitialConditions>>& ConditionFields() {
    using C = InitialConditions;
    static const std::vector<Field<C>> f = {
        I16("ConditionsSet", &C::ConditionsSet),     I16("StartWindSpeed", &C::StartWindSpeed),
        I16("StartWindDirection", &C::StartWindDirection), I16("Temperature", &C::Temperature),
        I16("RelativeHumidity", &C::RelativeHumidity), I16("Moisture1Hour", &C::Moisture1Hour),
        I16("Moisture10Hour", &C::Moisture10Hour),   I16("Moisture100Hour", &C::Moisture100Hour),
        I16("MoistureHerbaceous", &C::MoistureHerbaceous), I16("MoistureWoody", &C::MoistureWoody),
        I16("TimeRatio", &C::TimeRatio),             I16("RefuelTime", &C::RefuelTime),
        I16("ReloadTime", &C::ReloadTime),
    };
    return f;
}

inline const std::vector<Field<ResourceClass>>& ClassFields() {
    using C = ResourceClass;
    static const std::vector<Field<C>> f = {
        Fixed("ClassName", 32, &C::ClassName),   Fixed("Category", 10, &C::Category),
        Fixed("AirKind", 10, &C::AirKind),       Fixed("AirSpareText", 10, &C::AirSpareText),
        I16("Endurance", &C::Endurance),         I16("AirSpareValue", &C::AirSpareValue),
        I16("DropLength", &C::DropLength),       Fixed("GroundKind", 10, &C::GroundKind),
        Fixed("RateUnits", 10, &C::RateUnits),   I16("ProductionRate", &C::ProductionRate),
    };
    return f;
}

inline const std::vector<Field<LessonResource>>& ResourceFields() {
    using R = LessonResource;
    static const std::vector<Field<R>> f = {
        Var("Name", &R::Name),                     Fixed("ClassName", 32, &R::ClassName),
        Fixed("InitialStatus", 10, &R::InitialStatus), I16("CallupDelay", &R::CallupDelay),
        Fixed("ResourceNote", 10, &R::ResourceNote), I16("DropCost", &R::DropCost),
        I16("HourlyCost", &R::HourlyCost),
    };
    return f;
}

inline const std::vector<Field<ScenarioEvent>>& EventFields() {
    using E = ScenarioEvent;
    static const std::vector<Field<E>> f = {
        I16("Done", &E::Done),
        I32("EventTime", &E::EventTime),
        Var("EventType", &E::EventType),
        I16("IgniteX", &E::IgniteX),
        I16("IgniteY", &E::IgniteY),
        I16("NewWindDirection", &E::NewWindDirection),
        I16("NewWindSpeed", &E::NewWindSpeed),
        Var("ResourceName", &E::ResourceName),
        I16("Permanent", &E::Permanent),
        I16("Duration", &E::Duration),
    };
    return f;
}

inline std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

inline std::string TrimRight(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

inline std::string PadTo(std::string s, int width) {
    s.resize(static_cast<size_t>(width), ' ');
    return s;
}

// Fields a record of this content must name; the rest default to 0 or blanks.
inline bool ClassNeeds(const ResourceClass& c, std::string_view f) {
    if (f == "ClassName" || f == "Category") return true;
    if (Trim(c.Category) == "Air") return f == "AirKind" || f == "Endurance" || f == "DropLength";
    return f == "GroundKind" || f == "RateUnits" || f == "ProductionRate";
}
inline bool ResourceNeeds(const LessonResource&, std::string_view f) { return f != "ResourceNote"; }
inline bool EventNeeds(const ScenarioEvent& e, std::string_view f) {
    if (f == "EventTime" || f == "EventType") return true;
    const std::string word = Upper(e.EventType);
    if (word == "IGNITE") return f == "IgniteX" || f == "IgniteY";
    if (word == "WIND CHANGE") return f == "NewWindDirection" || f == "NewWindSpeed";
    if (word == "INJURY/FAILURE") return f == "ResourceName" || f == "Permanent" || f == "Duration";
    return false;
}
inline bool ConditionNeeds(const InitialConditions&, std::string_view) { return true; }

template <class R>
void SetValue(const Field<R>& f, const nlohmann::json& v, const std::string& where, R& out) {
    auto integer = [&](int64_t lo, int64_t hi) -> int64_t {
        if (v.is_number_integer()) {
            // Unsigned values above the signed range are out of range too.
            if (v.is_number_unsigned() && v.get<uint64_t>() > static_cast<uint64_t>(hi)) {
            } else {
                const int64_t n = v.get<int64_t>();
                if (n >= lo && n <= hi) return n;
            }
        }
        throw InputError(where + ": expected an integer from " + std::to_string(lo) + " to " + std::to_string(hi));
    };
    switch (f.kind) {
    case Kind::Int16:
        if (f.i16) out.*f.i16 = static_cast<int16_t>(integer(-32768, 32767));
        break;
    case Kind::Int32:
        if (f.i32) out.*f.i32 = static_cast<int32_t>(
            integer(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
        break;
    case Kind::Fixed:
    case Kind::Variable: {
        if constexpr (kHasTexts<R>) {
        if (!v.is_string()) throw InputError(where + ": expected a text");
        const std::string s = v.get<std::string>();
        const size_t width = f.kind == Kind::Fixed ? static_cast<size_t>(f.width) : 32767;
        if (s.size() > width)
            throw InputError(where + ": " + std::to_string(s.size()) + " bytes do not fit its width of " +
                             std::to_string(width));
        out.*f.text = f.kind == Kind::Fixed ? PadTo(s, f.width) : s;
        }
        break;
    }
    }
}

template <class R, class Needs>
R ReadRecord(const nlohmann::json& obj, const std::string& where, const std::vector<Field<R>>& fields,
             Needs needs) {
    if (!obj.is_object()) throw InputError(where + ": expected an object");
    for (auto it = obj.begin(); it != obj.end(); ++it) {
        const bool known = std::any_of(fields.begin(), fields.end(), [&](const Field<R>& f) { return it.key() == f.name; });
        if (!known) throw InputError(where + "." + it.key() + ": not a field of this record");
    }
    R out{};
    for (const Field<R>& f : fields) {
        if constexpr (kHasTexts<R>)
            if (f.kind == Kind::Fixed) out.*f.text = PadTo("", f.width);
        if (auto it = obj.find(f.name); it != obj.end()) SetValue(f, *it, where + "." + f.name, out);
    }
    for (const Field<R>& f : fields)
        if (!obj.contains(f.name) && needs(out, f.name)) throw InputError(where + "." + f.name + ": missing");
    return out;
}

// Fields the record does not need are left out while they hold their default (0 or blanks),
// which building gives back; so the shown JSON stays short and rebuilds the same bytes.
template <class R, class Needs>
nlohmann::ordered_json WriteRecord(const R& r, const std::vector<Field<R>>& fields, Needs needs) {
    nlohmann::ordered_json o = nlohmann::ordered_json::object();
    for (const Field<R>& f : fields) {
        const bool needed = needs(r, f.name);
        switch (f.kind) {
        case Kind::Int16:
            if (needed || r.*f.i16 != 0) o[f.name] = r.*f.i16;
            break;
        case Kind::Int32:
            if (needed || r.*f.i32 != 0) o[f.name] = r.*f.i32;
            break;
        case Kind::Fixed:
            if constexpr (kHasTexts<R>)
                if (needed || !TrimRight(r.*f.text).empty()) o[f.name] = TrimRight(r.*f.text);
            break;
        case Kind::Variable:
            if constexpr (kHasTexts<R>)
                if (needed || !(r.*f.text).empty()) o[f.name] = r.*f.text;
            break;
        }
    }
    return o;
}

template <class R, class Needs>
std::vector<R> ReadList(const nlohmann::json& doc, const char* key, size_t most, const char* noun,
                        const std::vector<Field<R>>& fields, Needs needs) {
    std::vector<R> out;
    auto it = doc.find(key);
    if (it == doc.end()) return out;
    if (!it->is_array()) throw InputError(std::string(key) + ": expected a list");
    if (it->size() > most)
        throw InputError(std::string(key) + ": " + std::to_string(it->size()) + " " + noun + ", at most " +
                         std::to_string(most) + " fit in a lesson");
    for (size_t i = 0; i < it->size(); ++i)
        out.push_back(ReadRecord((*it)[i], std::string(key) + "[" + std::to_string(i) + "]", fields, needs));
    return out;
}

}  // namespace detail

// Gives the stored map bitmap for the lesson's "map" entry; cellSizeM is the lesson's "cellsize".
using MapLoader = std::function<std::vector<uint8_t>(const std::string& ref, std::optional<float> cellSizeM)>;

inline LessonFile LessonFromJson(const nlohmann::json& doc, const MapLoader& loadMap) {
    using namespace detail;
    if (!doc.is_object()) throw InputError("lesson: expected an object");
    static const char* const kKeys[] = {"description", "conditions", "classes", "resources", "events", "map", "cellsize"};
    for (auto it = doc.begin(); it != doc.end(); ++it)
        if (std::find(std::begin(kKeys), std::end(kKeys), it.key()) == std::end(kKeys))
            throw InputError(it.key() + ": not a part of a lesson (conditions, classes, resources, events, map)");
    if (auto d = doc.find("description"); d != doc.end() && !d->is_string())
        throw InputError("description: expected a text");

    LessonFile lesson;
    auto c = doc.find("conditions");
    if (c == doc.end()) throw InputError("conditions: missing");
    lesson.Conditions = ReadRecord(*c, "conditions", ConditionFields(), ConditionNeeds);
    lesson.Classes = ReadList(doc, "classes", kMaxClasses, "classes", ClassFields(), ClassNeeds);
    lesson.Resources = ReadList(doc, "resources", kMaxResources, "resources", ResourceFields(), ResourceNeeds);
    lesson.Events = ReadList(doc, "events", kMaxEvents, "events", EventFields(), EventNeeds);

    std::optional<float> cellSize;
    if (auto cs = doc.find("cellsize"); cs != doc.end()) {
        if (!cs->is_number() || !UsableCellSize(cs->get<float>()))
            throw InputError("cellsize: expected a positive number of metres");
        cellSize = cs->get<float>();
    }
    auto m = doc.find("map");
    if (m == doc.end()) throw InputError("map: missing");
    if (!m->is_string() || m->get<std::string>().empty())
        throw InputError("map: expected the path of a .asc grid or an 8-bit .bmp");
    lesson.MapBitmap = loadMap(m->get<std::string>(), cellSize);
    return lesson;
}

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) throw InputError(p.string() + ": cannot be read");
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char ch) { return std::tolower(ch); });
    return s;
}

// Map files named relative to the lesson's own folder.
inline MapLoader FileMapLoader(std::filesystem::path baseDir) {
    return [baseDir](const std::string& ref, std::optional<float> cellSizeM) {
        const std::filesystem::path p = std::filesystem::path(ref).is_absolute() ? std::filesystem::path(ref) : baseDir / ref;
        const std::string ext = Lower(p.extension().string());
        std::vector<uint8_t> bytes = ReadBytes(p);
        try {
            if (ext == ".asc") {
                if (cellSizeM) throw InputError("cellsize: the grid gives its own cellsize");
                const std::string text(bytes.begin(), bytes.end());
                return MakeMapBitmap(ReadAscGrid(text));
            }
            if (ext == ".bmp") return ImportBmp(bytes, cellSizeM);
        } catch (const InputError& e) {
            throw InputError(p.string() + ": " + e.what());
        }
        throw InputError("map: " + ref + " is neither a .asc grid nor a .bmp");
    };
}

// Parses lesson JSON text (// comments allowed); syntax errors name their line and column.
inline nlohmann::json ParseJsonText(const std::string& text) {
    try {
        return nlohmann::json::parse(text, nullptr, true, true);
    } catch (const nlohmann::json::parse_error& e) {
        std::string what = e.what();
        const size_t at = what.find("] ");
        throw InputError(at == std::string::npos ? what : what.substr(at + 2));
    }
}

inline LessonFile LessonFromJsonFile(const std::filesystem::path& jsonPath) {
    const std::vector<uint8_t> bytes = ReadBytes(jsonPath);
    const nlohmann::json doc = ParseJsonText(std::string(bytes.begin(), bytes.end()));
    return LessonFromJson(doc, FileMapLoader(jsonPath.parent_path()));
}

inline nlohmann::ordered_json LessonToJson(const LessonFile& lesson, const std::string& mapRef) {
    using namespace detail;
    nlohmann::ordered_json doc;
    doc["conditions"] = WriteRecord(lesson.Conditions, ConditionFields(), ConditionNeeds);
    doc["classes"] = nlohmann::ordered_json::array();
    for (const auto& c : lesson.Classes) doc["classes"].push_back(WriteRecord(c, ClassFields(), ClassNeeds));
    doc["resources"] = nlohmann::ordered_json::array();
    for (const auto& r : lesson.Resources) doc["resources"].push_back(WriteRecord(r, ResourceFields(), ResourceNeeds));
    doc["events"] = nlohmann::ordered_json::array();
    for (const auto& e : lesson.Events) doc["events"].push_back(WriteRecord(e, EventFields(), EventNeeds));
    doc["map"] = mapRef;
    return doc;
}

// Texts that are not UTF-8 are shown with replacement characters.
inline std::string DumpJson(const nlohmann::ordered_json& doc) {
    return doc.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

// ---------------------------------------------------------------------------------------------
// Checks of a lesson's content beyond its layout.

struct Finding {
    bool error;  // the program would misbehave; otherwise a warning for the instructor
    std::string text;
};

inline bool ValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const size_t more = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : 9;
        if (more > s.size() - i - 1) return false;
        for (size_t k = 1; k <= more; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += more + 1;
    }
    return true;
}

inline std::vector<Finding> CheckLesson(const LessonFile& lesson) {
    using namespace detail;
    std::vector<Finding> out;
    auto error = [&](std::string t) { out.push_back({true, std::move(t)}); };
    auto warn = [&](std::string t) { out.push_back({false, std::move(t)}); };

    std::optional<FuelMap> map;
    try {
        map = MapFromBitmap(lesson.MapBitmap);
    } catch (const InputError& e) {
        error(e.what());
    }
    if (map)
        if (auto bad = FirstUnknownCode(*map)) warn("map bitmap: " + *bad + " is not a fuel code 0-15; it cannot burn");

    const auto& ic = lesson.Conditions;
    if (ic.TimeRatio < 1) warn("conditions.TimeRatio: " + std::to_string(ic.TimeRatio) + " holds the run still once resources arrive");

    for (size_t i = 0; i < lesson.Classes.size(); ++i) {
        const auto& c = lesson.Classes[i];
        const std::string where = "classes[" + std::to_string(i) + "]";
        const bool air = Trim(c.Category) == "Air";
        const std::string kind = Trim(air ? c.AirKind : c.GroundKind);
        const bool offered = air ? (kind == "Tanker" || kind == "Helicopter") : (kind == "Equipment" || kind == "Crew");
        if (!offered)
            warn(where + (air ? ".AirKind" : ".GroundKind") + ": \"" + kind +
                 "\" is not a kind any deployment button offers");
        if (air && kind == "Tanker" && (c.DropLength <= 0 || c.DropLength > 16383))
            warn(where + ".DropLength: " + std::to_string(c.DropLength) + " m gives no usable drop line");
        if (!air && c.ProductionRate <= 0)
            warn(where + ".ProductionRate: " + std::to_string(c.ProductionRate) + " builds no line");
    }
    for (size_t i = 0; i < lesson.Resources.size(); ++i) {
        const auto& r = lesson.Resources[i];
        const std::string where = "resources[" + std::to_string(i) + "]";
        const bool found = std::any_of(lesson.Classes.begin(), lesson.Classes.end(),
                                       [&](const ResourceClass& c) { return c.ClassName == r.ClassName; });
        if (!found) warn(where + ".ClassName: no class \"" + TrimRight(r.ClassName) + "\"; the resource can never be deployed");
    }

    bool ignites = false;
    for (size_t i = 0; i < lesson.Events.size(); ++i) {
        const auto& e = lesson.Events[i];
        const std::string where = "events[" + std::to_string(i) + "]";
        const std::string word = Upper(e.EventType);
        if (word == "IGNITE") {
            ignites = true;
            if (e.IgniteX < 0 || e.IgniteX >= kMapSide || e.IgniteY < 0 || e.IgniteY >= kMapSide) {
                error(where + ": ignition cell (" + std::to_string(e.IgniteX) + ", " + std::to_string(e.IgniteY) +
                      ") lies outside the 256 x 256 map");
            } else if (map) {
                const int code = map->At(e.IgniteX, e.IgniteY);
                if (code < 1 || code > 13)
                    warn(where + ": ignition cell (" + std::to_string(e.IgniteX) + ", " + std::to_string(e.IgniteY) +
                         ") holds code " + std::to_string(code) + ", which cannot burn");
            }
        } else if (word == "INJURY/FAILURE") {
            const bool named = std::any_of(lesson.Resources.begin(), lesson.Resources.end(),
                                           [&](const LessonResource& r) { return r.Name == e.ResourceName; });
            if (!named) warn(where + ".ResourceName: no resource is named \"" + e.ResourceName + "\"");
        } else if (word != "ARRIVAL" && word != "WIND CHANGE" && word != "END OF SIMULATION") {
            warn(where + ".EventType: \"" + e.EventType + "\" is not an event word; the run skips it");
        }
        if (i > 0 && e.EventTime < lesson.Events[0].EventTime)
            warn(where + ".EventTime: " + std::to_string(e.EventTime) + " lies before the start minute " +
                 std::to_string(lesson.Events[0].EventTime) + "; it happens at once");
    }
    if (!ignites) warn("events: no IGNITE event; the fire never starts");

    auto text = [&](const std::string& where, const std::string& s) {
        if (!ValidUtf8(s)) warn(where + ": text is not UTF-8");
    };
    for (size_t i = 0; i < lesson.Classes.size(); ++i)
        for (const auto& f : ClassFields())
            if (f.text) text("classes[" + std::to_string(i) + "]." + f.name, lesson.Classes[i].*f.text);
    for (size_t i = 0; i < lesson.Resources.size(); ++i)
        for (const auto& f : ResourceFields())
            if (f.text) text("resources[" + std::to_string(i) + "]." + f.name, lesson.Resources[i].*f.text);
    for (size_t i = 0; i < lesson.Events.size(); ++i)
        for (const auto& f : EventFields())
            if (f.text) text("events[" + std::to_string(i) + "]." + f.name, lesson.Events[i].*f.text);
    return out;
}

}  // namespace torvex::lessontool
