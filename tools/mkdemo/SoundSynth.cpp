#include "mkdemo/SoundSynth.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/WavWriter.h"

namespace mkdemo {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr zktools::WavFormat kFormat{16, 1, SoundSynth::kRate};

std::size_t Frames(double ms) {
    return static_cast<std::size_t>(std::lround(ms * kFormat.sampleRate / 1000.0));
}

// A tone of the given length with linear fades at both ends, appended to out.
void AppendTone(std::vector<float>& out, double hertz, double ms, double fadeMs, float peak) {
    const std::size_t frames = Frames(ms);
    const double fade = static_cast<double>(Frames(fadeMs));
    for (std::size_t i = 0; i < frames; ++i) {
        const double edge = static_cast<double>(std::min(i, frames - 1 - i));
        const double gain = fade > 0 ? std::min(1.0, edge / fade) : 1.0;
        const double phase = 2 * kPi * hertz * static_cast<double>(i) / kFormat.sampleRate;
        out.push_back(static_cast<float>(peak * gain * std::sin(phase)));
    }
}

// Harmonic weights of five vowels, spoken in turn.
constexpr double kVowels[5][4] = {
    {1.0, 0.8, 0.5, 0.2},   // a
    {1.0, 0.2, 0.1, 0.4},   // i
    {1.0, 0.3, 0.1, 0.05},  // u
    {1.0, 0.6, 0.4, 0.3},   // e
    {1.0, 0.7, 0.2, 0.05},  // o
};

void AppendSyllable(std::vector<float>& out, const double (&vowel)[4], double hertz) {
    constexpr double kToneMs = 110;
    constexpr double kFadeMs = 10;
    constexpr float kPeak = 0.35f;
    double total = 0;
    for (const double weight : vowel) total += weight;
    const std::size_t frames = Frames(kToneMs);
    const double fade = static_cast<double>(Frames(kFadeMs));
    for (std::size_t i = 0; i < frames; ++i) {
        const double edge = static_cast<double>(std::min(i, frames - 1 - i));
        const double gain = std::min(1.0, edge / fade);
        const double t = static_cast<double>(i) / kFormat.sampleRate;
        double sample = 0;
        for (int h = 0; h < 4; ++h) sample += vowel[h] * std::sin(2 * kPi * hertz * (h + 1) * t);
        out.push_back(static_cast<float>(kPeak * gain * sample / total));
    }
}

}  // namespace

std::string SoundSynth::Effect(int record) {
    const int n = record - kFirstEffect;
    std::vector<float> samples;
    AppendTone(samples, 262.0 * std::pow(2.0, n / 12.0), 150 + 10 * (n % 8), 5, 0.5f);
    return zktools::WavBytes(kFormat, samples);
}

std::string SoundSynth::Music(int track) {
    const double root = 196.0 * std::pow(2.0, (track - 1) / 12.0);
    const double steps[] = {1.0, std::pow(2.0, 4 / 12.0), std::pow(2.0, 7 / 12.0), 2.0};
    const int notes = (4 + track % 3) * 2;  // 500 ms each
    std::vector<float> samples;
    for (int i = 0; i < notes; ++i) AppendTone(samples, root * steps[i % 4], 500, 10, 0.25f);
    return zktools::WavBytes(kFormat, samples);
}

std::string SoundSynth::Voice(int syllables, double hertz, int minimumMs) {
    constexpr double kFall = 0.10;
    constexpr double kGapMs = 30;
    const int count = std::clamp(syllables, 1, kMaxSyllables);
    std::vector<float> samples;
    for (int i = 0; i < count; ++i) {
        const double pitch = hertz * (1 - kFall * i / std::max(count - 1, 1));
        AppendSyllable(samples, kVowels[i % 5], pitch);
        samples.resize(samples.size() + Frames(kGapMs), 0.0f);
    }
    samples.resize(std::max(samples.size(), Frames(minimumMs)), 0.0f);
    return zktools::WavBytes(kFormat, samples);
}

}  // namespace mkdemo
