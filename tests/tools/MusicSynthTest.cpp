#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "mkdemo/DrumKit.h"
#include "mkdemo/MusicComposer.h"
#include "mkdemo/MusicSynth.h"
#include "mkdemo/Waveform.h"

using mkdemo::Drum;
using mkdemo::MusicComposer;
using mkdemo::MusicSynth;
using mkdemo::Note;
using mkdemo::Piece;
using mkdemo::Waveform;

namespace {

constexpr int kTracks = 19;
constexpr long kWindow = 512;

// Loudness over the window from a frame against the window before it, around the loop.
class Rises {
public:
    explicit Rises(const std::vector<float>& s) : n_(static_cast<long>(s.size())), sums_(1, 0.0) {
        for (long i = 0; i < 3 * n_; ++i) sums_.push_back(sums_.back() + s[i % n_] * s[i % n_]);
    }
    double At(long f) const {
        const auto sum = [&](long from) { return sums_[from + kWindow] - sums_[from]; };
        return sum(f + n_) - sum(f + n_ - kWindow);
    }
    // The frame of the sharpest rise from 5 ms before frame to 15 ms after it.
    long Sharpest(long frame) const {
        long best = frame - 110;
        for (long f = best; f < frame + 330; f += 16) best = At(f) > At(best) ? f : best;
        return best;
    }

private:
    long n_;
    std::vector<double> sums_;
};

bool InScale(const Piece& piece, int midi) {
    static constexpr int kScales[2][7] = {{0, 2, 4, 5, 7, 9, 11}, {0, 2, 3, 5, 7, 8, 10}};
    const int* scale = kScales[piece.minor];
    return std::count(scale, scale + 7, ((midi - piece.tonic) % 12 + 12) % 12) == 1;
}

}  // namespace

TEST(MusicComposer, EveryTrackHasItsOwnKeyTempoAndTune) {
    std::set<std::pair<int, bool>> keys;
    std::set<int> tempos;
    std::set<std::vector<int>> tunes;
    for (int track = 1; track <= kTracks; ++track) {
        const Piece piece = MusicComposer::Compose(track);
        keys.insert({piece.tonic % 12, piece.minor});
        tempos.insert(piece.bpm);
        std::vector<int> tune;
        for (const Note& note : piece.melody) tune.push_back(note.midi - piece.tonic);
        tunes.insert(tune);
    }
    EXPECT_EQ(keys.size(), 19u);
    EXPECT_EQ(tempos.size(), 19u);
    EXPECT_EQ(tunes.size(), 19u);
    EXPECT_EQ(*tempos.begin(), 80);
    EXPECT_EQ(*tempos.rbegin(), 116);
    // The opening movie's piece shares none of them.
    const Piece opening = MusicComposer::Opening();
    EXPECT_TRUE(keys.insert({opening.tonic % 12, opening.minor}).second);
    EXPECT_TRUE(tempos.insert(opening.bpm).second);
}

TEST(MusicComposer, TriadsUnderAMelodyInTheKeyThatFillsTheLoop) {
    // Track 0 stands for the opening movie's piece.
    for (int track = 0; track <= kTracks; ++track) {
        const Piece piece = track == 0 ? MusicComposer::Opening() : MusicComposer::Compose(track);
        for (const auto* part : {&piece.pad, &piece.bass, &piece.melody}) {
            for (const Note& note : *part) EXPECT_TRUE(InScale(piece, note.midi)) << track;
        }
        int at = 0;
        for (const Note& note : piece.melody) {
            EXPECT_EQ(note.step, at) << track;
            // Each chord's first melody note is one of the chord's tones.
            const Note* chord = &piece.pad.at(static_cast<std::size_t>(at / 8 * 3));
            EXPECT_TRUE(at % 8 != 0 || std::any_of(chord, chord + 3,
                                                   [&](const Note& tone) {
                                                       return (note.midi - tone.midi) % 12 == 0;
                                                   }))
                << track;
            at += note.steps;
        }
        EXPECT_EQ(at, MusicComposer::kSteps) << track;
        // Within a chord the tune mostly moves by step, not by leap.
        int moves = 0, steps = 0;
        for (std::size_t i = 1; i < piece.melody.size(); ++i) {
            if (piece.melody[i].step % MusicComposer::kChordSteps == 0) continue;
            ++moves;
            steps += std::abs(piece.melody[i].midi - piece.melody[i - 1].midi) <= 4;
        }
        EXPECT_GE(steps * 10, moves * 7) << track;
        ASSERT_EQ(piece.pad.size(), 12u) << track;
        std::set<int> roots;
        for (std::size_t i = 0; i < 12; ++i) {
            const Note& note = piece.pad[i];
            EXPECT_EQ(note.step, static_cast<int>(i / 3) * MusicComposer::kChordSteps) << track;
            EXPECT_EQ(note.steps, MusicComposer::kChordSteps) << track;
            EXPECT_GE(note.midi, piece.tonic - 12) << track;
            if (i % 3 == 0) roots.insert(note.midi);
            EXPECT_TRUE(i % 3 == 0 || std::abs(note.midi - piece.pad[i - 1].midi - 3.5) < 1);
        }
        EXPECT_GE(roots.size(), 3u) << track;
        // The bass sounds on every beat, one note at a time, below the pad.
        std::set<int> bassBeats;
        for (std::size_t i = 0; i < piece.bass.size(); ++i) {
            const Note& note = piece.bass[i];
            EXPECT_LT(note.midi, piece.tonic - 6) << track;
            const int next = i + 1 < piece.bass.size() ? piece.bass[i + 1].step : 32;
            EXPECT_LE(note.step + note.steps, next) << track;
            if (note.step % MusicComposer::kStepsPerBeat == 0) bassBeats.insert(note.step);
        }
        EXPECT_EQ(bassBeats.size(), 8u) << track;
    }
}

TEST(MusicComposer, KicksOnOneAndThreeSnaresOnTwoAndFourHatsOnEighths) {
    std::vector<std::pair<int, Drum>> drums;
    for (const mkdemo::Hit& hit : MusicComposer::Compose(5).beat)
        drums.push_back({hit.step, hit.drum});
    std::vector<std::pair<int, Drum>> expected;
    for (int step = 0; step < 32; step += 2) expected.push_back({step, Drum::Hat});
    for (int beat = 0; beat < 8; ++beat)
        expected.push_back({beat * 4, beat % 2 ? Drum::Snare : Drum::Kick});
    EXPECT_EQ(drums, expected);
}

// Whole bars of four to six seconds whose last sample leads into the first as
// smoothly as the track moves anywhere, with a sound starting on each beat.
TEST(MusicSynth, TracksLoopWithoutASeamOnTheirOwnBeat) {
    std::set<long> periods;
    for (int track = 1; track <= kTracks; ++track) {
        const Piece piece = MusicComposer::Compose(track);
        const std::vector<float> s = MusicSynth::Render(piece);
        const std::size_t step = MusicSynth::StepFrames(piece.bpm);
        EXPECT_EQ(s.size(), step * MusicComposer::kSteps) << track;
        EXPECT_GE(s.size(), 4u * Waveform::kRate) << track;
        EXPECT_LE(s.size(), 6u * Waveform::kRate) << track;
        double moves = 0;
        for (std::size_t i = 1; i < s.size(); ++i) moves += std::abs(s[i] - s[i - 1]);
        EXPECT_LE(std::abs(s.front() - s.back()), 4 * moves / static_cast<double>(s.size()))
            << track;
        const Rises rises(s);
        double loudest = 0;
        for (long f = 0; f < static_cast<long>(s.size()); f += 16)
            loudest = std::max(loudest, rises.At(f));
        std::vector<long> beats;
        for (std::size_t at = 0; at < s.size(); at += 4 * step) {
            beats.push_back(rises.Sharpest(static_cast<long>(at)));
            EXPECT_GT(rises.At(beats.back()), 0.1 * loudest) << track << " at " << at;
        }
        const double period =
            static_cast<double>(beats.back() - beats.front()) / 7 / Waveform::kRate;
        EXPECT_NEAR(period, 60.0 / piece.bpm, 0.002) << track;
        periods.insert(std::lround(period * 1000));
    }
    EXPECT_EQ(periods.size(), 19u);
    EXPECT_EQ(MusicSynth::StepFrames(100), 3308u);  // 60 / 100 / 4 s
}

TEST(MusicSynth, NotesAndHitsSoundAtTheirStepsAndTailsWrapToTheHead) {
    Piece piece;
    piece.bpm = 120;
    piece.melody = {{8, 4, 69}};
    piece.beat = {{MusicComposer::kSteps - 1, Drum::Kick}};
    const std::vector<float> s = MusicSynth::Render(piece);
    const std::size_t step = MusicSynth::StepFrames(120);
    const auto loudest = [&](std::size_t from, std::size_t to) {
        return std::abs(*std::max_element(s.begin() + from, s.begin() + to, [](float a, float b) {
            return std::abs(a) < std::abs(b);
        }));
    };
    EXPECT_EQ(loudest(step, 8 * step), 0.0f);
    EXPECT_GT(loudest(8 * step, 12 * step), 0.1f);
    EXPECT_EQ(loudest(12 * step, 31 * step), 0.0f);
    // The kick on the last step outlasts it, so its tail opens the loop.
    EXPECT_GT(loudest(31 * step, 32 * step), 0.1f);
    EXPECT_GT(loudest(0, step), 0.1f);
    EXPECT_NEAR(loudest(0, s.size()), 0.8f, 1e-6);
}

TEST(DrumKit, KickLowHatBrightSnareBetween) {
    const mkdemo::DrumKit kit;
    std::vector<double> crossings;
    for (const Drum drum : {Drum::Kick, Drum::Snare, Drum::Hat}) {
        const std::vector<float>& s = kit.Sound(drum);
        EXPECT_LT(s.size(), Waveform::Frames(250));
        EXPECT_EQ(s.front(), 0.0f);
        EXPECT_EQ(s.back(), 0.0f);
        EXPECT_GT(*std::max_element(s.begin(), s.end()), 0.05f);
        int count = 0;
        for (std::size_t i = 1; i < s.size(); ++i) count += (s[i - 1] < 0) != (s[i] < 0);
        crossings.push_back(count * Waveform::kRate / static_cast<double>(s.size()));
    }
    EXPECT_LT(crossings[0], 300);
    EXPECT_GT(crossings[1], 2 * crossings[0]);
    EXPECT_GT(crossings[2], 1.5 * crossings[1]);
}
