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
using mkdemo::Piece;
using mkdemo::Waveform;

namespace {

constexpr int kTracks = 19;

double Step(const std::vector<float>& s, std::size_t i) {
    return std::abs(static_cast<double>(s[(i + 1) % s.size()]) - s[i]);
}

// How much louder each hop of 32 frames starts than it was just before, over
// windows long enough to hold a bass note's cycle, around the loop.
std::vector<double> Rises(const std::vector<float>& samples) {
    constexpr std::size_t kHop = 32;
    constexpr std::size_t kWindow = 16 * kHop;
    const std::size_t hops = samples.size() / kHop;
    std::vector<double> energy(hops, 0.0);
    for (std::size_t j = 0; j < hops; ++j) {
        for (std::size_t i = 0; i < kWindow; ++i) {
            const double x = samples[(j * kHop + i) % samples.size()];
            energy[j] += x * x;
        }
    }
    std::vector<double> rise(hops);
    for (std::size_t j = 0; j < hops; ++j) {
        rise[j] = std::max(0.0, energy[j] - energy[(j + hops - kWindow / kHop) % hops]);
    }
    return rise;
}

struct Onsets {
    std::vector<double> beats;  // seconds of the sharpest rise near each beat
    double weakestBeat = 0;     // its rise against the loudest rise
};

// The sharpest rise in loudness near each beat.
Onsets OnsetsOf(const std::vector<float>& samples, int bpm) {
    constexpr double kHopSeconds = 32.0 / Waveform::kRate;
    const std::vector<double> rise = Rises(samples);
    const double loudest = *std::max_element(rise.begin(), rise.end());
    const double step = static_cast<double>(MusicSynth::StepFrames(bpm)) / Waveform::kRate;
    Onsets onsets{{}, 1};
    for (int s = 0; s < MusicComposer::kSteps; s += MusicComposer::kStepsPerBeat) {
        std::size_t best = 0;
        for (double t = s * step - 0.005; t < s * step + 0.015; t += kHopSeconds) {
            const std::size_t j =
                static_cast<std::size_t>(std::lround(std::max(t, 0.0) / kHopSeconds));
            if (rise[j] > rise[best] || best == 0) best = j;
        }
        onsets.beats.push_back(static_cast<double>(best) * kHopSeconds);
        onsets.weakestBeat = std::min(onsets.weakestBeat, rise[best] / loudest);
    }
    return onsets;
}

bool InScale(const Piece& piece, int midi) {
    static constexpr int kMajor[] = {0, 2, 4, 5, 7, 9, 11};
    static constexpr int kMinor[] = {0, 2, 3, 5, 7, 8, 10};
    const int degree = ((midi - piece.tonic) % 12 + 12) % 12;
    const auto& scale = piece.minor ? kMinor : kMajor;
    return std::find(std::begin(scale), std::end(scale), degree) != std::end(scale);
}

}  // namespace

TEST(MusicComposer, EveryTrackHasItsOwnKeyAndTempo) {
    std::set<std::pair<int, bool>> keys;
    std::set<int> tempos;
    std::set<std::vector<int>> tunes;
    for (int track = 1; track <= kTracks; ++track) {
        const Piece piece = MusicComposer::Compose(track);
        keys.insert({piece.tonic % 12, piece.minor});
        tempos.insert(piece.bpm);
        std::vector<int> tune;
        for (const mkdemo::Note& note : piece.melody) tune.push_back(note.midi - piece.tonic);
        tunes.insert(tune);
    }
    EXPECT_EQ(tunes.size(), static_cast<std::size_t>(kTracks));
    EXPECT_EQ(keys.size(), static_cast<std::size_t>(kTracks));
    EXPECT_EQ(tempos.size(), static_cast<std::size_t>(kTracks));
    EXPECT_EQ(*tempos.begin(), 80);
    EXPECT_EQ(*tempos.rbegin(), 116);
}

TEST(MusicComposer, NotesStayInTheKeyAndInsideTheLoop) {
    for (int track = 1; track <= kTracks; ++track) {
        const Piece piece = MusicComposer::Compose(track);
        for (const auto* part : {&piece.pad, &piece.bass, &piece.melody}) {
            EXPECT_FALSE(part->empty()) << track;
            for (const mkdemo::Note& note : *part) {
                EXPECT_TRUE(InScale(piece, note.midi)) << track << " " << note.midi;
                EXPECT_GT(note.steps, 0) << track;
                EXPECT_LE(note.step + note.steps, MusicComposer::kSteps) << track;
            }
        }
        // The melody sings through the loop, starting afresh on each chord.
        for (std::size_t i = 0; i + 1 < piece.melody.size(); ++i) {
            EXPECT_EQ(piece.melody[i].step + piece.melody[i].steps, piece.melody[i + 1].step)
                << track;
        }
        for (int chord = 0; chord < 4; ++chord) {
            EXPECT_TRUE(std::any_of(piece.melody.begin(), piece.melody.end(),
                                    [&](const mkdemo::Note& n) {
                                        return n.step == chord * MusicComposer::kChordSteps;
                                    }))
                << track;
        }
        EXPECT_EQ(piece.melody.back().step + piece.melody.back().steps, MusicComposer::kSteps)
            << track;
        // The pad in the octave below the melody's tonic, the bass lower still.
        for (const mkdemo::Note& note : piece.bass) EXPECT_LT(note.midi, piece.tonic - 6) << track;
        for (const mkdemo::Note& note : piece.pad) {
            EXPECT_LT(note.midi, piece.tonic + 12) << track;
            EXPECT_GE(note.midi, piece.tonic - 12) << track;
        }
    }
}

TEST(MusicComposer, ChordsAreTriadsThatChange) {
    for (int track = 1; track <= kTracks; ++track) {
        const Piece piece = MusicComposer::Compose(track);
        ASSERT_EQ(piece.pad.size(), 12u) << track;
        std::set<int> roots;
        for (std::size_t chord = 0; chord < 4; ++chord) {
            const mkdemo::Note* notes = &piece.pad[chord * 3];
            roots.insert(notes[0].midi);
            for (int i = 0; i < 3; ++i) {
                EXPECT_EQ(notes[i].step, static_cast<int>(chord) * MusicComposer::kChordSteps);
            }
            for (const int gap : {notes[1].midi - notes[0].midi, notes[2].midi - notes[1].midi}) {
                EXPECT_TRUE(gap == 3 || gap == 4) << track << " chord " << chord << " " << gap;
            }
        }
        EXPECT_GE(roots.size(), 3u) << track;
    }
}

TEST(MusicComposer, KicksOnOneAndThreeSnaresOnTwoAndFourHatsOnEighths) {
    const Piece piece = MusicComposer::Compose(5);
    std::vector<std::pair<int, Drum>> drums;
    for (const mkdemo::Hit& hit : piece.beat) {
        if (hit.drum != Drum::Hat) drums.push_back({hit.step, hit.drum});
    }
    std::vector<std::pair<int, Drum>> expected;
    for (int beat = 0; beat < 8; ++beat)
        expected.push_back({beat * 4, beat % 2 ? Drum::Snare : Drum::Kick});
    EXPECT_EQ(drums, expected);
    EXPECT_EQ(piece.beat.size() - drums.size(), 16u);
}

TEST(MusicSynth, TracksAreWholeBarsOfFourToSixSeconds) {
    for (int track = 1; track <= kTracks; ++track) {
        const Piece piece = MusicComposer::Compose(track);
        const std::vector<float> samples = MusicSynth::Render(piece);
        EXPECT_EQ(samples.size(), MusicSynth::StepFrames(piece.bpm) * MusicComposer::kSteps)
            << track;
        const double seconds = static_cast<double>(samples.size()) / Waveform::kRate;
        EXPECT_GE(seconds, 4.0) << track;
        EXPECT_LE(seconds, 6.0) << track;
    }
    EXPECT_EQ(MusicSynth::StepFrames(100), 3308u);  // 60 / 100 / 4 s
}

TEST(MusicSynth, TheLoopPointIsNoStepAboveTheTrackItself) {
    for (int track = 1; track <= kTracks; ++track) {
        const std::vector<float> samples = MusicSynth::Render(MusicComposer::Compose(track));
        double total = 0;
        double largest = 0;
        for (std::size_t i = 0; i + 1 < samples.size(); ++i) {
            total += Step(samples, i);
            largest = std::max(largest, Step(samples, i));
        }
        const double seam = Step(samples, samples.size() - 1);
        EXPECT_LE(seam, largest) << track;
        EXPECT_LE(seam, 4 * total / static_cast<double>(samples.size())) << track;
    }
}

TEST(MusicSynth, EveryBeatStartsASoundAtTheTrackTempo) {
    std::set<long> periods;
    for (int track = 1; track <= kTracks; ++track) {
        const Piece piece = MusicComposer::Compose(track);
        const Onsets onsets = OnsetsOf(MusicSynth::Render(piece), piece.bpm);
        const double beat =
            (onsets.beats.back() - onsets.beats.front()) / (onsets.beats.size() - 1);
        EXPECT_NEAR(beat, 60.0 / piece.bpm, 0.002) << track;
        EXPECT_GT(onsets.weakestBeat, 0.1) << track;
        periods.insert(std::lround(beat * 1000));
    }
    EXPECT_EQ(periods.size(), static_cast<std::size_t>(kTracks));
}

TEST(MusicSynth, NotesAndHitsSoundAtTheirStepsAndTailsWrapToTheHead) {
    Piece piece;
    piece.bpm = 120;
    piece.melody = {{8, 4, 69}};
    piece.beat = {{MusicComposer::kSteps - 1, Drum::Kick}};
    const std::vector<float> samples = MusicSynth::Render(piece);
    const std::size_t step = MusicSynth::StepFrames(120);
    const auto loudest = [&](std::size_t from, std::size_t to) {
        float peak = 0;
        for (std::size_t i = from; i < to; ++i) peak = std::max(peak, std::abs(samples[i]));
        return peak;
    };
    EXPECT_EQ(loudest(step, 8 * step), 0.0f);
    EXPECT_GT(loudest(8 * step, 12 * step), 0.1f);
    EXPECT_EQ(loudest(12 * step, 31 * step), 0.0f);
    // The kick on the last step lasts longer than the step, so its tail opens the loop.
    EXPECT_GT(loudest(31 * step, 32 * step), 0.1f);
    EXPECT_GT(loudest(0, step), 0.1f);
    EXPECT_NEAR(loudest(0, samples.size()), 0.8f, 1e-6);
}

TEST(DrumKit, KickLowHatBrightSnareBetween) {
    const mkdemo::DrumKit kit;
    const auto crossingsPerSecond = [&](Drum drum) {
        const std::vector<float>& s = kit.Sound(drum);
        int crossings = 0;
        for (std::size_t i = 1; i < s.size(); ++i) crossings += (s[i - 1] < 0) != (s[i] < 0);
        return crossings * Waveform::kRate / static_cast<double>(s.size());
    };
    const double kick = crossingsPerSecond(Drum::Kick);
    const double snare = crossingsPerSecond(Drum::Snare);
    const double hat = crossingsPerSecond(Drum::Hat);
    EXPECT_LT(kick, 300);
    EXPECT_GT(snare, 2 * kick);
    EXPECT_GT(hat, 1.5 * snare);
    for (const Drum drum : {Drum::Kick, Drum::Snare, Drum::Hat}) {
        const std::vector<float>& s = kit.Sound(drum);
        EXPECT_LT(s.size(), Waveform::Frames(250));
        EXPECT_EQ(s.front(), 0.0f);
        EXPECT_EQ(s.back(), 0.0f);
        EXPECT_GT(*std::max_element(s.begin(), s.end()), 0.05f);
    }
}
