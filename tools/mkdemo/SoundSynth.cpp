#include "mkdemo/SoundSynth.h"

#include <algorithm>
#include <vector>

#include "common/WavWriter.h"
#include "mkdemo/EffectSounds.h"
#include "mkdemo/MusicComposer.h"
#include "mkdemo/MusicSynth.h"
#include "mkdemo/Waveform.h"

namespace mkdemo {

namespace {

constexpr zktools::WavFormat kFormat{16, 1, Waveform::kRate};

// Harmonic weights of five vowels, spoken in turn.
constexpr double kVowels[5][4] = {
    {1.0, 0.8, 0.5, 0.2},   // a
    {1.0, 0.2, 0.1, 0.4},   // i
    {1.0, 0.3, 0.1, 0.05},  // u
    {1.0, 0.6, 0.4, 0.3},   // e
    {1.0, 0.7, 0.2, 0.05},  // o
};

void AppendSyllable(std::vector<float>& out, const double (&vowel)[4], double hertz) {
    const std::size_t fade = Waveform::Frames(10);
    const std::vector<float> syllable = Waveform::Tone({.hertz = hertz,
                                                        .frames = Waveform::Frames(110),
                                                        .harmonics = vowel,
                                                        .envelope = {fade, fade, 0},
                                                        .peak = 0.35f});
    out.insert(out.end(), syllable.begin(), syllable.end());
}

}  // namespace

std::string SoundSynth::Effect(const std::string& name) {
    return zktools::WavBytes(kFormat, EffectSounds::Render(EffectSounds::KindOf(name)));
}

std::string SoundSynth::Music(int track) {
    return zktools::WavBytes(kFormat, MusicSynth::Render(MusicComposer::Compose(track)));
}

std::string SoundSynth::Voice(int syllables, double hertz, int minimumMs) {
    constexpr double kFall = 0.10;
    constexpr double kGapMs = 30;
    const int count = std::clamp(syllables, 1, kMaxSyllables);
    std::vector<float> samples;
    for (int i = 0; i < count; ++i) {
        const double pitch = hertz * (1 - kFall * i / std::max(count - 1, 1));
        AppendSyllable(samples, kVowels[i % 5], pitch);
        samples.resize(samples.size() + Waveform::Frames(kGapMs), 0.0f);
    }
    samples.resize(std::max(samples.size(), Waveform::Frames(minimumMs)), 0.0f);
    return zktools::WavBytes(kFormat, samples);
}

}  // namespace mkdemo
