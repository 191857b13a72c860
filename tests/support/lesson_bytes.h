// Lesson files written byte by byte for tests, independent of the loader's own writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lesson/lesson.h"

namespace torvex::test {

// Appends little-endian fields; texts as the file stores them.
struct LessonBytes {
    std::vector<uint8_t> bytes;

    LessonBytes& I16(int16_t v);
    LessonBytes& I32(int32_t v);
    // Exactly width bytes: the text, then blanks.
    LessonBytes& Fixed(const std::string& s, size_t width);
    // 16-bit length, then the bytes.
    LessonBytes& Var(const std::string& s);
    LessonBytes& Raw(const std::vector<uint8_t>& b);

    // Whole records, field by field.
    LessonBytes& Conditions(const InitialConditions& ic);
    LessonBytes& Class(const ResourceClass& c);
    LessonBytes& Resource(const LessonResource& r);
    LessonBytes& Event(const ScenarioEvent& e);

    size_t size() const { return bytes.size(); }
};

// A whole lesson: conditions, classes, resources, events, then the map bitmap.
std::vector<uint8_t> LessonFileBytes(const InitialConditions& ic, const std::vector<ResourceClass>& classes,
                                     const std::vector<LessonResource>& resources,
                                     const std::vector<ScenarioEvent>& events, const std::vector<uint8_t>& bitmap);

ScenarioEvent MakeEvent(int32_t time, const std::string& type, int16_t x = 0, int16_t y = 0);
InitialConditions SampleConditions();

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadFileBytes(const std::string& path);

// Sets an environment variable for the life of the object, then puts back what was there.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    bool had_ = false;
    std::string old_;
};

}  // namespace torvex::test
