#pragma once

#include <string>

namespace mkdemo {

// The demo's sounds as WAV files (16-bit mono, 22 050 Hz): effects, music and
// voices, each made from its number or text alone.
class SoundSynth {
public:
    static constexpr int kRate = 22050;
    static constexpr int kFirstEffect = 2;
    static constexpr int kMaxSyllables = 40;

    // Effect record r: a short sine that rises a semitone per record.
    static std::string Effect(int record);
    // Music track n: an arpeggio that loops without a seam.
    static std::string Music(int track);
    // A voice of the given syllable count at a fundamental that falls over the line.
    static std::string Voice(int syllables, double hertz, int minimumMs);
};

}  // namespace mkdemo
