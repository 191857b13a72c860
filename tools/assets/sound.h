// The introduction sound: a rising horn call over the crackle of a fire, 16-bit PCM mono.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "tools/assets/raster.h"

namespace assets {

constexpr int kSampleRate = 22050;

inline std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int rate) {
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::vector<uint8_t> out(44 + dataBytes);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) out[at + size_t(i)] = uint8_t(v >> (8 * i));
    };
    auto put16 = [&](size_t at, uint16_t v) {
        out[at] = uint8_t(v);
        out[at + 1] = uint8_t(v >> 8);
    };
    std::memcpy(&out[0], "RIFF", 4);
    put32(4, 36 + dataBytes);
    std::memcpy(&out[8], "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);  // PCM
    put16(22, 1);  // mono
    put32(24, uint32_t(rate));
    put32(28, uint32_t(rate * 2));
    put16(32, 2);
    put16(34, 16);
    std::memcpy(&out[36], "data", 4);
    put32(40, dataBytes);
    for (size_t i = 0; i < samples.size(); ++i) put16(44 + 2 * i, uint16_t(samples[i]));
    return out;
}

inline std::vector<uint8_t> MakeIntroSound() {
    const float seconds = 3.2f;
    const int n = int(seconds * kSampleRate);
    std::vector<float> mix(static_cast<size_t>(n), 0.0f);
    const float twoPi = 6.2831853f;

    // Three notes rising to a held fifth: (start, length, frequency).
    struct Note {
        float start, length, freq;
    };
    const Note notes[] = {{0.15f, 0.45f, 196.0f}, {0.55f, 0.45f, 261.6f}, {0.95f, 2.1f, 293.7f}, {0.95f, 2.1f, 440.0f}};
    for (const Note& note : notes) {
        const int s0 = int(note.start * kSampleRate), len = int(note.length * kSampleRate);
        for (int i = 0; i < len && s0 + i < n; ++i) {
            const float t = float(i) / kSampleRate;
            const float attack = std::min(1.0f, t / 0.06f);
            const float release = std::min(1.0f, (note.length - t) / 0.35f);
            const float env = attack * std::max(0.0f, release);
            const float vibrato = 1.0f + 0.004f * std::sin(twoPi * 5.0f * t) * std::min(1.0f, t / 0.4f);
            const float ph = twoPi * note.freq * vibrato * t;
            // A brassy tone: falling harmonics, the upper ones opening up after the attack.
            const float bright = 0.4f + 0.6f * std::min(1.0f, t / 0.15f);
            const float v = std::sin(ph) + 0.5f * bright * std::sin(2 * ph) + 0.3f * bright * std::sin(3 * ph) +
                            0.15f * bright * std::sin(4 * ph) + 0.08f * std::sin(5 * ph);
            mix[size_t(s0 + i)] += 0.16f * env * v;
        }
    }

    // Fire: low rumble of filtered noise and random crackles that fade with the call.
    float low = 0, low2 = 0;
    Rng rng(4242);
    for (int i = 0; i < n; ++i) {
        const float t = float(i) / kSampleRate;
        const float swell = std::min(1.0f, t / 0.5f) * std::max(0.0f, std::min(1.0f, (seconds - t) / 1.2f));
        const float white = rng.Next() * 2 - 1;
        low += 0.02f * (white - low);
        low2 += 0.02f * (low - low2);
        mix[size_t(i)] += 1.6f * low2 * swell;
    }
    for (int k = 0; k < 140; ++k) {
        const int at = int(rng.Range(0.0f, seconds - 0.05f) * kSampleRate);
        const float amp = rng.Range(0.05f, 0.3f);
        const float t = float(at) / kSampleRate;
        const float fade = std::max(0.0f, std::min(1.0f, (seconds - t) / 1.5f));
        for (int i = 0; i < 220 && at + i < n; ++i) {
            const float decay = std::exp(-float(i) / 25.0f);
            mix[size_t(at + i)] += amp * fade * decay * (rng.Next() * 2 - 1);
        }
    }

    std::vector<int16_t> samples(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const float fadeOut = std::min(1.0f, float(n - i) / (0.05f * kSampleRate));
        const float v = std::tanh(mix[size_t(i)] * 1.2f) * fadeOut;  // soft limit, no clipping clicks
        samples[size_t(i)] = int16_t(std::lround(v * 30000.0f));
    }
    return EncodeWav(samples, kSampleRate);
}

}  // namespace assets
