// Lesson files written byte by byte for tests.
#include "support/lesson_bytes.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace torvex::test {

LessonBytes& LessonBytes::I16(int16_t v) {
    bytes.push_back(uint8_t(v & 0xff));
    bytes.push_back(uint8_t((uint16_t(v) >> 8) & 0xff));
    return *this;
}

LessonBytes& LessonBytes::I32(int32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t((uint32_t(v) >> (8 * i)) & 0xff));
    return *this;
}

LessonBytes& LessonBytes::Fixed(const std::string& s, size_t width) {
    for (size_t i = 0; i < width; ++i) bytes.push_back(i < s.size() ? uint8_t(s[i]) : uint8_t(' '));
    return *this;
}

LessonBytes& LessonBytes::Var(const std::string& s) {
    I16(static_cast<int16_t>(s.size()));
    bytes.insert(bytes.end(), s.begin(), s.end());
    return *this;
}

LessonBytes& LessonBytes::Raw(const std::vector<uint8_t>& b) {
    bytes.insert(bytes.end(), b.begin(), b.end());
    return *this;
}

LessonBytes& LessonBytes::Conditions(const InitialConditions& ic) {
    return I16(ic.ConditionsSet).I16(ic.StartWindSpeed).I16(ic.StartWindDirection).I16(ic.Temperature)
        .I16(ic.RelativeHumidity).I16(ic.Moisture1Hour).I16(ic.Moisture10Hour).I16(ic.Moisture100Hour)
        .I16(ic.MoistureHerbaceous).I16(ic.MoistureWoody).I16(ic.TimeRatio).I16(ic.RefuelTime).I16(ic.ReloadTime);
}

LessonBytes& LessonBytes::Class(const ResourceClass& c) {
    return Fixed(c.ClassName, 32).Fixed(c.Category, 10).Fixed(c.AirKind, 10).Fixed(c.AirSpareText, 10)
        .I16(c.Endurance).I16(c.AirSpareValue).I16(c.DropLength).Fixed(c.GroundKind, 10).Fixed(c.RateUnits, 10)
        .I16(c.ProductionRate);
}

LessonBytes& LessonBytes::Resource(const LessonResource& r) {
    return Var(r.Name).Fixed(r.ClassName, 32).Fixed(r.InitialStatus, 10).I16(r.CallupDelay)
        .Fixed(r.ResourceNote, 10).I16(r.DropCost).I16(r.HourlyCost);
}

LessonBytes& LessonBytes::Event(const ScenarioEvent& e) {
    return I16(e.Done).I32(e.EventTime).Var(e.EventType).I16(e.IgniteX).I16(e.IgniteY).I16(e.NewWindDirection)
        .I16(e.NewWindSpeed).Var(e.ResourceName).I16(e.Permanent).I16(e.Duration);
}

std::vector<uint8_t> LessonFileBytes(const InitialConditions& ic, const std::vector<ResourceClass>& classes,
                                     const std::vector<LessonResource>& resources,
                                     const std::vector<ScenarioEvent>& events, const std::vector<uint8_t>& bitmap) {
    LessonBytes b;
    b.Conditions(ic).I16(static_cast<int16_t>(classes.size()));
    for (const auto& c : classes) b.Class(c);
    b.I16(static_cast<int16_t>(resources.size()));
    for (const auto& r : resources) b.Resource(r);
    b.I16(static_cast<int16_t>(events.size()));
    for (const auto& e : events) b.Event(e);
    b.Raw(bitmap);
    return b.bytes;
}

ScenarioEvent MakeEvent(int32_t time, const std::string& type, int16_t x, int16_t y) {
    ScenarioEvent e;
    e.EventTime = time;
    e.EventType = type;
    e.IgniteX = x;
    e.IgniteY = y;
    return e;
}

InitialConditions SampleConditions() {
    InitialConditions ic;
    ic.ConditionsSet = 1;
    ic.StartWindSpeed = 10;
    ic.StartWindDirection = 270;
    ic.Temperature = 85;
    ic.RelativeHumidity = 20;
    ic.Moisture1Hour = 6;
    ic.Moisture10Hour = 7;
    ic.Moisture100Hour = 8;
    ic.MoistureHerbaceous = 100;
    ic.MoistureWoody = 120;
    ic.TimeRatio = 10;
    ic.RefuelTime = 30;
    ic.ReloadTime = 20;
    return ic;
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "torvex-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* v = std::getenv(name)) {
        had_ = true;
        old_ = v;
    }
    setenv(name, value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
    if (had_)
        setenv(name_.c_str(), old_.c_str(), 1);
    else
        unsetenv(name_.c_str());
}

}  // namespace torvex::test
