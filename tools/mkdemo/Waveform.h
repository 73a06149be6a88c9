#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace mkdemo {

// How a sound's level moves: a linear rise from silence, an exponential fall after
// it, and a linear fall to silence over its last frames.
struct Envelope {
    std::size_t attack = 0;
    std::size_t release = 0;
    double decayPerSecond = 0;
};

inline constexpr double kPureTone[] = {1.0};

// A pitched sound: harmonics of a fundamental that may glide to another pitch.
struct ToneShape {
    double hertz = 440;
    double endHertz = 0;  // 0 keeps the pitch steady
    std::size_t frames = 0;
    std::span<const double> harmonics = kPureTone;  // weights from the fundamental up
    Envelope envelope{};
    float peak = 0.5f;
};

// An unpitched sound: seeded noise through a low-pass whose opening (0 dull to 1
// open) moves across the sound; a high-pass keeps what the low-pass takes away.
struct NoiseShape {
    std::size_t frames = 0;
    std::uint32_t seed = 1;
    double startOpening = 1;
    double endOpening = 1;
    bool highPass = false;
    Envelope envelope{};
    float peak = 0.5f;
};

// The oscillators, noise and mixing that the voices, effects and music share, at the
// demo's one sample rate.
class Waveform {
public:
    static constexpr int kRate = 22050;

    static std::size_t Frames(double ms);
    static double NoteHertz(int midiNote);
    // The envelope's gain at frame i of a sound frames long.
    static double Level(const Envelope& envelope, std::size_t i, std::size_t frames);
    static std::vector<float> Tone(const ToneShape& shape);
    static std::vector<float> Noise(const NoiseShape& shape);
    // Adds part from frame at, wrapping past the end so that a loop's tails sound
    // again at its head.
    static void MixLooped(std::vector<float>& mix, std::size_t at, std::span<const float> part,
                          float gain);
    // Scales the samples so that the loudest reaches peak.
    static void Normalise(std::vector<float>& samples, float peak);
};

}  // namespace mkdemo
