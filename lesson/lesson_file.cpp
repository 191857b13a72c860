// The .fgl byte layout: parsing a lesson file and writing one back out.
#include <algorithm>
#include <cstring>

#include "fire/grid.h"
#include "lesson/lesson.h"

namespace torvex {

namespace {

constexpr size_t kConditionsBytes = 26;
constexpr size_t kClassBytes = 90;

// Reads little-endian fields front to back; every read names the item it belongs to, so a
// file that ends early can say where.
class Reader {
public:
    Reader(const std::vector<uint8_t>& b, std::string* error) : b_(b), error_(error) {}

    bool Failed() const { return failed_; }
    void SetItem(std::string item) { item_ = std::move(item); }

    bool Fail(const std::string& why) {
        if (!failed_ && error_) *error_ = why;
        failed_ = true;
        return false;
    }

    bool Need(size_t n) {
        if (failed_) return false;
        if (b_.size() - pos_ < n) return Fail("the file ends inside " + item_);
        return true;
    }

    int16_t I16() {
        if (!Need(2)) return 0;
        uint16_t v = uint16_t(b_[pos_] | b_[pos_ + 1] << 8);
        pos_ += 2;
        return static_cast<int16_t>(v);
    }

    int32_t I32() {
        if (!Need(4)) return 0;
        uint32_t v = uint32_t(b_[pos_]) | uint32_t(b_[pos_ + 1]) << 8 | uint32_t(b_[pos_ + 2]) << 16 |
                     uint32_t(b_[pos_ + 3]) << 24;
        pos_ += 4;
        return static_cast<int32_t>(v);
    }

    // Fixed-width text, blank padding kept.
    std::string Fixed(size_t width) {
        if (!Need(width)) return {};
        std::string s(reinterpret_cast<const char*>(&b_[pos_]), width);
        pos_ += width;
        return s;
    }

    // 16-bit length, then that many bytes.
    std::string Var(const char* what) {
        int16_t n = I16();
        if (failed_) return {};
        if (n < 0) {
            Fail(std::string("the ") + what + " of " + item_ + " has a negative length (" + std::to_string(n) + ")");
            return {};
        }
        if (b_.size() - pos_ < static_cast<size_t>(n)) {
            Fail(std::string("the ") + what + " of " + item_ + " is " + std::to_string(n) +
                 " bytes long, past the end of the file");
            return {};
        }
        std::string s(reinterpret_cast<const char*>(&b_[pos_]), static_cast<size_t>(n));
        pos_ += static_cast<size_t>(n);
        return s;
    }

    std::vector<uint8_t> Bytes(size_t n) {
        if (!Need(n)) return {};
        std::vector<uint8_t> v(b_.begin() + static_cast<std::ptrdiff_t>(pos_),
                               b_.begin() + static_cast<std::ptrdiff_t>(pos_ + n));
        pos_ += n;
        return v;
    }

    size_t Left() const { return b_.size() - pos_; }

private:
    const std::vector<uint8_t>& b_;
    std::string* error_;
    size_t pos_ = 0;
    bool failed_ = false;
    std::string item_;
};

std::string Of(const char* word, int i, int count) {
    return std::string(word) + " " + std::to_string(i) + " of " + std::to_string(count);
}

// Reads a count and checks it against the supported maximum.
int ReadCount(Reader& r, const char* countName, const char* plural, int max) {
    r.SetItem(std::string("the ") + countName);
    int16_t n = r.I16();
    if (r.Failed()) return -1;
    if (n < 0) {
        r.Fail(std::string("the ") + countName + " is negative (" + std::to_string(n) + ")");
        return -1;
    }
    if (n > max) {
        r.Fail(std::string("the lesson has ") + std::to_string(n) + " " + plural + "; at most " +
               std::to_string(max) + " are supported");
        return -1;
    }
    return n;
}

class Writer {
public:
    std::vector<uint8_t> b;
    void I16(int16_t v) {
        b.push_back(uint8_t(v));
        b.push_back(uint8_t(uint16_t(v) >> 8));
    }
    void I32(int32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(uint8_t(uint32_t(v) >> (8 * i)));
    }
    void Fixed(const std::string& s, size_t width) {
        for (size_t i = 0; i < width; ++i) b.push_back(i < s.size() ? uint8_t(s[i]) : uint8_t(' '));
    }
    void Var(const std::string& s) {
        size_t n = std::min<size_t>(s.size(), 32767);
        I16(static_cast<int16_t>(n));
        b.insert(b.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n));
    }
};

}  // namespace

std::optional<LessonFile> ParseLesson(const std::vector<uint8_t>& bytes, std::string* error) {
    Reader r(bytes, error);
    LessonFile f;

    r.SetItem("the initial conditions");
    if (!r.Need(kConditionsBytes)) return std::nullopt;
    InitialConditions& ic = f.Conditions;
    for (int16_t* field : {&ic.ConditionsSet, &ic.StartWindSpeed, &ic.StartWindDirection, &ic.Temperature,
                           &ic.RelativeHumidity, &ic.Moisture1Hour, &ic.Moisture10Hour, &ic.Moisture100Hour,
                           &ic.MoistureHerbaceous, &ic.MoistureWoody, &ic.TimeRatio, &ic.RefuelTime,
                           &ic.ReloadTime})
        *field = r.I16();

    int classes = ReadCount(r, "class count", "resource classes", kMaxClasses);
    if (classes < 0) return std::nullopt;
    f.Classes.resize(static_cast<size_t>(classes));
    for (int i = 0; i < classes; ++i) {
        r.SetItem(Of("class", i + 1, classes));
        if (!r.Need(kClassBytes)) return std::nullopt;
        ResourceClass& c = f.Classes[static_cast<size_t>(i)];
        c.ClassName = r.Fixed(32);
        c.Category = r.Fixed(10);
        c.AirKind = r.Fixed(10);
        c.AirSpareText = r.Fixed(10);
        c.Endurance = r.I16();
        c.AirSpareValue = r.I16();
        c.DropLength = r.I16();
        c.GroundKind = r.Fixed(10);
        c.RateUnits = r.Fixed(10);
        c.ProductionRate = r.I16();
    }

    int resources = ReadCount(r, "resource count", "resources", kMaxResources);
    if (resources < 0) return std::nullopt;
    f.Resources.resize(static_cast<size_t>(resources));
    for (int i = 0; i < resources; ++i) {
        r.SetItem(Of("resource", i + 1, resources));
        LessonResource& res = f.Resources[static_cast<size_t>(i)];
        res.Name = r.Var("name");
        res.ClassName = r.Fixed(32);
        res.InitialStatus = r.Fixed(10);
        res.CallupDelay = r.I16();
        res.ResourceNote = r.Fixed(10);
        res.DropCost = r.I16();
        res.HourlyCost = r.I16();
        if (r.Failed()) return std::nullopt;
    }

    int events = ReadCount(r, "event count", "events", kMaxEvents);
    if (events < 0) return std::nullopt;
    f.Events.resize(static_cast<size_t>(events));
    for (int i = 0; i < events; ++i) {
        r.SetItem(Of("event", i + 1, events));
        ScenarioEvent& e = f.Events[static_cast<size_t>(i)];
        e.Done = r.I16();
        e.EventTime = r.I32();
        e.EventType = r.Var("type");
        e.IgniteX = r.I16();
        e.IgniteY = r.I16();
        e.NewWindDirection = r.I16();
        e.NewWindSpeed = r.I16();
        e.ResourceName = r.Var("resource name");
        e.Permanent = r.I16();
        e.Duration = r.I16();
        if (r.Failed()) return std::nullopt;
    }

    if (r.Left() < kMapBitmapBytes) {
        if (error)
            *error = "the file ends inside the map bitmap (" + std::to_string(r.Left()) + " of " +
                     std::to_string(kMapBitmapBytes) + " bytes)";
        return std::nullopt;
    }
    r.SetItem("the map bitmap");
    f.MapBitmap = r.Bytes(kMapBitmapBytes);
    if (!ValidateMapBitmap(f.MapBitmap, error)) return std::nullopt;
    return f;
}

bool CheckLessonLimits(const LessonFile& lesson, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    if (lesson.Classes.size() > static_cast<size_t>(kMaxClasses))
        return fail("the lesson has " + std::to_string(lesson.Classes.size()) + " resource classes; at most " +
                    std::to_string(kMaxClasses) + " are supported");
    if (lesson.Resources.size() > static_cast<size_t>(kMaxResources))
        return fail("the lesson has " + std::to_string(lesson.Resources.size()) + " resources; at most " +
                    std::to_string(kMaxResources) + " are supported");
    if (lesson.Events.size() > static_cast<size_t>(kMaxEvents))
        return fail("the lesson has " + std::to_string(lesson.Events.size()) + " events; at most " +
                    std::to_string(kMaxEvents) + " are supported");
    for (size_t i = 0; i < lesson.Resources.size(); ++i)
        if (lesson.Resources[i].Name.size() > 32767)
            return fail("the name of resource " + std::to_string(i + 1) + " is longer than 32767 bytes");
    for (size_t i = 0; i < lesson.Events.size(); ++i)
        if (lesson.Events[i].EventType.size() > 32767 || lesson.Events[i].ResourceName.size() > 32767)
            return fail("a text of event " + std::to_string(i + 1) + " is longer than 32767 bytes");
    return ValidateMapBitmap(lesson.MapBitmap, error);
}

std::vector<uint8_t> SerialiseLesson(const LessonFile& lesson) {
    Writer w;
    const InitialConditions& ic = lesson.Conditions;
    for (int16_t v : {ic.ConditionsSet, ic.StartWindSpeed, ic.StartWindDirection, ic.Temperature,
                      ic.RelativeHumidity, ic.Moisture1Hour, ic.Moisture10Hour, ic.Moisture100Hour,
                      ic.MoistureHerbaceous, ic.MoistureWoody, ic.TimeRatio, ic.RefuelTime, ic.ReloadTime})
        w.I16(v);

    w.I16(static_cast<int16_t>(lesson.Classes.size()));
    for (const ResourceClass& c : lesson.Classes) {
        w.Fixed(c.ClassName, 32);
        w.Fixed(c.Category, 10);
        w.Fixed(c.AirKind, 10);
        w.Fixed(c.AirSpareText, 10);
        w.I16(c.Endurance);
        w.I16(c.AirSpareValue);
        w.I16(c.DropLength);
        w.Fixed(c.GroundKind, 10);
        w.Fixed(c.RateUnits, 10);
        w.I16(c.ProductionRate);
    }

    w.I16(static_cast<int16_t>(lesson.Resources.size()));
    for (const LessonResource& r : lesson.Resources) {
        w.Var(r.Name);
        w.Fixed(r.ClassName, 32);
        w.Fixed(r.InitialStatus, 10);
        w.I16(r.CallupDelay);
        w.Fixed(r.ResourceNote, 10);
        w.I16(r.DropCost);
        w.I16(r.HourlyCost);
    }

    w.I16(static_cast<int16_t>(lesson.Events.size()));
    for (const ScenarioEvent& e : lesson.Events) {
        w.I16(e.Done);
        w.I32(e.EventTime);
        w.Var(e.EventType);
        w.I16(e.IgniteX);
        w.I16(e.IgniteY);
        w.I16(e.NewWindDirection);
        w.I16(e.NewWindSpeed);
        w.Var(e.ResourceName);
        w.I16(e.Permanent);
        w.I16(e.Duration);
    }

    w.b.insert(w.b.end(), lesson.MapBitmap.begin(), lesson.MapBitmap.end());
    return std::move(w.b);
}

}  // namespace torvex
