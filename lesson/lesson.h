// Lesson records as stored in a .fgl file, and the loaded lesson.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/common.h"

namespace torvex {

struct Sim;

struct InitialConditions {
    int16_t ConditionsSet = 0;
    int16_t StartWindSpeed = 0;      // mi/h at 20 ft
    int16_t StartWindDirection = 0;  // degrees the wind comes from
    int16_t Temperature = 0;         // degrees Fahrenheit
    int16_t RelativeHumidity = 0;    // percent
    int16_t Moisture1Hour = 0, Moisture10Hour = 0, Moisture100Hour = 0;  // percent
    int16_t MoistureHerbaceous = 0, MoistureWoody = 0;                  // percent
    int16_t TimeRatio = 0;           // simulated minutes per wall-clock minute
    int16_t RefuelTime = 0;          // minutes
    int16_t ReloadTime = 0;          // minutes
};

// Fixed-width texts keep their blank padding exactly as stored.
struct ResourceClass {
    std::string ClassName;     // 32
    std::string Category;      // 10
    std::string AirKind;       // 10
    std::string AirSpareText;  // 10
    int16_t Endurance = 0;
    int16_t AirSpareValue = 0;
    int16_t DropLength = 0;    // metres
    std::string GroundKind;    // 10
    std::string RateUnits;     // 10
    int16_t ProductionRate = 0;
};

struct LessonResource {
    std::string Name;           // variable
    std::string ClassName;      // 32
    std::string InitialStatus;  // 10
    int16_t CallupDelay = 0;
    std::string ResourceNote;   // 10
    int16_t DropCost = 0;
    int16_t HourlyCost = 0;
};

struct ScenarioEvent {
    Flag Done = kFalse;
    int32_t EventTime = 0;      // clock minute
    std::string EventType;      // variable
    int16_t IgniteX = 0, IgniteY = 0;
    int16_t NewWindDirection = 0, NewWindSpeed = 0;
    std::string ResourceName;   // variable
    int16_t Permanent = 0;
    int16_t Duration = 0;
};

constexpr int kMaxClasses = 100;
constexpr int kMaxResources = 1000;
constexpr int kMaxEvents = 1001;

// One lesson file as read, before anything of the current lesson is replaced.
struct LessonFile {
    InitialConditions Conditions;
    std::vector<ResourceClass> Classes;
    std::vector<LessonResource> Resources;
    std::vector<ScenarioEvent> Events;
    std::vector<uint8_t> MapBitmap;  // 66,614 bytes
};

// The loaded lesson, owned by the loader.
struct Lesson {
    InitialConditions Conditions;
    std::vector<ScenarioEvent> ScenarioEvents;  // EventCount used entries
    std::vector<uint8_t> MapBitmap;
    std::string MapFilePath;  // "Current.Fue" written by the last load
    std::string LessonPath;   // the lesson last opened
    int16_t EventCount() const { return static_cast<int16_t>(ScenarioEvents.size()); }
};

// Parses lesson bytes; on failure returns nullopt and says what is wrong in *error.
std::optional<LessonFile> ParseLesson(const std::vector<uint8_t>& bytes, std::string* error);
// Serialises a lesson in the same layout (used by the lesson builder and the tests). Fixed-width
// texts are blank-padded or cut to their width; counts and variable texts are written as they are,
// so check the lesson with CheckLessonLimits first.
std::vector<uint8_t> SerialiseLesson(const LessonFile& lesson);
// Whether a lesson fits the file: counts within the maxima, texts within 16-bit lengths, a valid map.
bool CheckLessonLimits(const LessonFile& lesson, std::string* error);

// Folder of "Current.Fue": TORVEX_MAP_DIR, else $XDG_CACHE_HOME/torvex, else ~/.cache/torvex.
std::string MapCacheDir();

// Reads a lesson file and makes it the current lesson; a refused file changes nothing and
// shows a message box naming the file and what is wrong. Returns true when it was loaded.
bool ReadLesson(Sim& sim, const std::string& name);
// Menu File, "&Open Lesson" and "&Reset".
void OpenLesson(Sim& sim);
void ResetLesson(Sim& sim);

}  // namespace torvex
