#pragma once

#include <vector>

namespace mkdemo {

// A note in sixteenths from the piece's start, as a MIDI note number.
struct Note {
    int step = 0;
    int steps = 0;
    int midi = 0;
};

enum class Drum { Kick, Snare, Hat };

struct Hit {
    int step = 0;
    Drum drum = Drum::Kick;
};

// A short looping piece: a chord progression held by a pad, with a bass, a melody
// and a beat, in one key and tempo.
struct Piece {
    int bpm = 0;
    int tonic = 0;  // MIDI note of the key's root, in the melody's octave
    bool minor = false;
    std::vector<Note> pad;
    std::vector<Note> bass;
    std::vector<Note> melody;
    std::vector<Hit> beat;
};

// The notes of a music track from its number alone: each track its own key and
// tempo, two bars of four beats that repeat.
class MusicComposer {
public:
    static constexpr int kStepsPerBeat = 4;
    static constexpr int kBeatsPerBar = 4;
    static constexpr int kBars = 2;
    static constexpr int kSteps = kStepsPerBeat * kBeatsPerBar * kBars;
    static constexpr int kChordSteps = 2 * kStepsPerBeat;

    static Piece Compose(int track);
    // The opening movie's piece, in a key and at a tempo of its own.
    static Piece Opening();
};

}  // namespace mkdemo
