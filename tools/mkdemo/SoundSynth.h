#pragma once

#include <string>

namespace mkdemo {

// The demo's sounds as WAV files (16-bit mono, 22 050 Hz): effects, music and
// voices, each made from its name, number or text alone.
class SoundSynth {
public:
    static constexpr int kMaxSyllables = 40;

    // The effect of that name: a click, a chime, a rustle and so on.
    static std::string Effect(const std::string& name);
    // Music track n: a short piece in its own key and tempo that loops without a seam.
    static std::string Music(int track);
    // A voice of the given syllable count at a fundamental that falls over the line.
    static std::string Voice(int syllables, double hertz, int minimumMs);
};

}  // namespace mkdemo
