#include "mkdemo/MusicComposer.h"

#include <cstdint>

#include "mkdemo/NoiseSource.h"

namespace mkdemo {

namespace {

constexpr int kMajor[7] = {0, 2, 4, 5, 7, 9, 11};
constexpr int kMinor[7] = {0, 2, 3, 5, 7, 8, 10};
constexpr int kKeys = 12;
constexpr int kTempos = 19;
constexpr int kSlowestBpm = 80;
constexpr int kBpmStep = 2;

// Scale degrees of the chords, one per half bar.
constexpr int kProgressions[][4] = {{0, 4, 5, 3}, {5, 3, 0, 4}, {0, 5, 3, 4}, {0, 3, 0, 4}};

// Rhythms of the melody over one chord: note lengths in sixteenths, filling the
// chord's eight; a zero ends a shorter list.
constexpr int kRhythms[][4] = {{2, 2, 2, 2}, {3, 1, 4, 0}, {4, 2, 2, 0}, {2, 4, 2, 0}};

int NoteOf(const Piece& piece, int degree, int octave) {
    const int wrapped = ((degree % 7) + 7) % 7;
    const int octaves = (degree - wrapped) / 7 + octave;
    const int* scale = piece.minor ? kMinor : kMajor;
    return piece.tonic + 12 * octaves + scale[wrapped];
}

void AddPadAndBass(Piece& piece, int chord, int degree) {
    const int at = chord * MusicComposer::kChordSteps;
    for (const int third : {0, 2, 4}) {
        piece.pad.push_back({at, MusicComposer::kChordSteps, NoteOf(piece, degree + third, -1)});
    }
    piece.bass.push_back({at, 3, NoteOf(piece, degree, -2)});
    piece.bass.push_back({at + 4, 2, NoteOf(piece, degree, -2)});
    piece.bass.push_back({at + 6, 2, NoteOf(piece, degree + 4, -2)});
}

// The melody starts each chord on one of its tones and steps along the scale
// between them; a leap out of range falls back onto the chord.
int AddMelody(Piece& piece, int chord, int degree, int previous, NoiseSource& choice) {
    const int(&rhythm)[4] = kRhythms[choice.Below(4)];
    int at = chord * MusicComposer::kChordSteps;
    for (int i = 0; i < 4 && rhythm[i] > 0; at += rhythm[i++]) {
        int next = previous + choice.Below(5) - 2;
        if (i == 0) next = degree + 2 * choice.Below(3);
        if (next < 0 || next > 9) next = degree + 2;
        piece.melody.push_back({at, rhythm[i], NoteOf(piece, next, 0)});
        previous = next;
    }
    return previous;
}

void AddBeat(Piece& piece) {
    for (int step = 0; step < MusicComposer::kSteps; step += 2) {
        piece.beat.push_back({step, Drum::Hat});
    }
    for (int beat = 0; beat < MusicComposer::kSteps / MusicComposer::kStepsPerBeat; ++beat) {
        piece.beat.push_back(
            {beat * MusicComposer::kStepsPerBeat, beat % 2 == 0 ? Drum::Kick : Drum::Snare});
    }
}

}  // namespace

namespace {

// The notes over a key and tempo already set: a progression, the melody that the
// seed chooses over it, and the beat.
Piece Write(Piece piece, std::uint32_t seed, int progressionIndex) {
    NoiseSource choice(seed);
    const int(&progression)[4] = kProgressions[progressionIndex];
    int previous = 2;
    for (int chord = 0; chord < 4; ++chord) {
        AddPadAndBass(piece, chord, progression[chord]);
        previous = AddMelody(piece, chord, progression[chord], previous, choice);
    }
    AddBeat(piece);
    return piece;
}

}  // namespace

Piece MusicComposer::Compose(int track) {
    const int index = track - 1;
    Piece piece;
    // Stepping by fifths and by seven tempos keeps neighbouring tracks far apart;
    // the mode flips after the twelfth key so that no two tracks share a key.
    const int root = index * 7 % kKeys;
    piece.tonic = 60 + (root > 6 ? root - kKeys : root);
    piece.minor = (index % 2 == 1) != (index / kKeys == 1);
    piece.bpm = kSlowestBpm + kBpmStep * (index * 7 % kTempos);
    return Write(piece, static_cast<std::uint32_t>(track) * 2654435761u, index % 4);
}

Piece MusicComposer::Opening() {
    // F major, which no track takes, slower than the slowest track.
    Piece piece;
    piece.tonic = 65;
    piece.bpm = 72;
    return Write(piece, 0x0BE11A, 2);
}

}  // namespace mkdemo
