#include "mkdemo/Waveform.h"

#include <algorithm>
#include <cmath>

#include "mkdemo/NoiseSource.h"

namespace mkdemo {

namespace {

constexpr double kPi = 3.14159265358979323846;

double Sum(std::span<const double> weights) {
    double total = 0;
    for (const double weight : weights) total += weight;
    return total;
}

}  // namespace

std::size_t Waveform::Frames(double ms) {
    return static_cast<std::size_t>(std::lround(ms * kRate / 1000.0));
}

double Waveform::NoteHertz(int midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0); }

double Waveform::Level(const Envelope& envelope, std::size_t i, std::size_t frames) {
    double gain = 1;
    if (i < envelope.attack) gain = static_cast<double>(i) / static_cast<double>(envelope.attack);
    if (i >= envelope.attack && envelope.decayPerSecond > 0) {
        gain =
            std::exp(-envelope.decayPerSecond * static_cast<double>(i - envelope.attack) / kRate);
    }
    const std::size_t left = frames - 1 - i;
    if (left < envelope.release)
        gain *= static_cast<double>(left) / static_cast<double>(envelope.release);
    return gain;
}

std::vector<float> Waveform::Tone(const ToneShape& shape) {
    const double total = Sum(shape.harmonics);
    const double glide =
        shape.endHertz > 0 && shape.frames > 0
            ? std::log(shape.endHertz / shape.hertz) / static_cast<double>(shape.frames)
            : 0.0;
    std::vector<float> out(shape.frames);
    // The phase accumulates so that a gliding pitch stays continuous.
    double phase = 0;
    for (std::size_t i = 0; i < shape.frames; ++i) {
        double sample = 0;
        for (std::size_t h = 0; h < shape.harmonics.size(); ++h) {
            sample += shape.harmonics[h] * std::sin(phase * static_cast<double>(h + 1));
        }
        out[i] = static_cast<float>(shape.peak * Level(shape.envelope, i, shape.frames) * sample /
                                    total);
        phase += 2 * kPi * shape.hertz * std::exp(glide * static_cast<double>(i)) / kRate;
    }
    return out;
}

std::vector<float> Waveform::Noise(const NoiseShape& shape) {
    NoiseSource source(shape.seed);
    std::vector<float> out(shape.frames);
    double low = 0;
    for (std::size_t i = 0; i < shape.frames; ++i) {
        const double along = static_cast<double>(i) / static_cast<double>(shape.frames);
        const double opening = shape.startOpening + (shape.endOpening - shape.startOpening) * along;
        const double raw = source.Next();
        low += opening * (raw - low);
        const double filtered = shape.highPass ? raw - low : low;
        out[i] = static_cast<float>(shape.peak * Level(shape.envelope, i, shape.frames) * filtered);
    }
    return out;
}

void Waveform::MixLooped(std::vector<float>& mix, std::size_t at, std::span<const float> part,
                         float gain) {
    if (mix.empty()) return;
    for (std::size_t i = 0; i < part.size(); ++i) mix[(at + i) % mix.size()] += gain * part[i];
}

void Waveform::Normalise(std::vector<float>& samples, float peak) {
    float loudest = 0;
    for (const float sample : samples) loudest = std::max(loudest, std::abs(sample));
    if (loudest == 0) return;
    for (float& sample : samples) sample *= peak / loudest;
}

}  // namespace mkdemo
