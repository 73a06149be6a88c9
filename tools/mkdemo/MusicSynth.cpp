#include "mkdemo/MusicSynth.h"

#include <cmath>

#include "mkdemo/DrumKit.h"
#include "mkdemo/Waveform.h"

namespace mkdemo {

namespace {

constexpr double kPadHarmonics[] = {1.0, 0.5, 0.25};
constexpr double kBassHarmonics[] = {1.0, 0.6, 0.3, 0.15};
constexpr double kLeadHarmonics[] = {1.0, 0.35, 0.2, 0.1};
constexpr float kLoudest = 0.8f;

struct Instrument {
    std::span<const double> harmonics;
    Envelope envelope;
    float peak;
};

void Play(std::vector<float>& mix, const std::vector<Note>& notes, const Instrument& instrument,
          std::size_t stepFrames) {
    for (const Note& note : notes) {
        const std::vector<float> tone =
            Waveform::Tone({.hertz = Waveform::NoteHertz(note.midi),
                            .frames = stepFrames * static_cast<std::size_t>(note.steps),
                            .harmonics = instrument.harmonics,
                            .envelope = instrument.envelope,
                            .peak = instrument.peak});
        Waveform::MixLooped(mix, stepFrames * static_cast<std::size_t>(note.step), tone, 1.0f);
    }
}

}  // namespace

std::size_t MusicSynth::StepFrames(int bpm) {
    return static_cast<std::size_t>(
        std::lround(60.0 * Waveform::kRate / (bpm * MusicComposer::kStepsPerBeat)));
}

std::vector<float> MusicSynth::Render(const Piece& piece) {
    const std::size_t step = StepFrames(piece.bpm);
    std::vector<float> mix(step * MusicComposer::kSteps, 0.0f);
    Play(mix, piece.pad, {kPadHarmonics, {Waveform::Frames(40), Waveform::Frames(60), 0.8}, 0.12f},
         step);
    Play(mix, piece.bass, {kBassHarmonics, {Waveform::Frames(5), Waveform::Frames(30), 3}, 0.3f},
         step);
    Play(mix, piece.melody,
         {kLeadHarmonics, {Waveform::Frames(8), Waveform::Frames(40), 2.5}, 0.3f}, step);
    const DrumKit kit;
    for (const Hit& hit : piece.beat) {
        Waveform::MixLooped(mix, step * static_cast<std::size_t>(hit.step), kit.Sound(hit.drum),
                            1.0f);
    }
    Waveform::Normalise(mix, kLoudest);
    return mix;
}

}  // namespace mkdemo
