#include "mkdemo/DrumKit.h"

#include "mkdemo/Waveform.h"

namespace mkdemo {

namespace {

std::vector<float> Kick() {
    return Waveform::Tone({.hertz = 150,
                           .endHertz = 45,
                           .frames = Waveform::Frames(220),
                           .envelope = {Waveform::Frames(1), Waveform::Frames(20), 14},
                           .peak = 0.6f});
}

std::vector<float> Snare() {
    std::vector<float> snare =
        Waveform::Noise({.frames = Waveform::Frames(160),
                         .seed = 7,
                         .startOpening = 0.7,
                         .endOpening = 0.5,
                         .envelope = {Waveform::Frames(1), Waveform::Frames(20), 22},
                         .peak = 0.35f});
    const std::vector<float> body =
        Waveform::Tone({.hertz = 190,
                        .endHertz = 160,
                        .frames = Waveform::Frames(90),
                        .envelope = {Waveform::Frames(1), Waveform::Frames(10), 30},
                        .peak = 0.25f});
    Waveform::MixLooped(snare, 0, body, 1.0f);
    return snare;
}

std::vector<float> Hat() {
    return Waveform::Noise({.frames = Waveform::Frames(45),
                            .seed = 11,
                            .startOpening = 0.6,
                            .endOpening = 0.6,
                            .highPass = true,
                            .envelope = {Waveform::Frames(1), Waveform::Frames(10), 60},
                            .peak = 0.15f});
}

}  // namespace

DrumKit::DrumKit() : kick_(Kick()), snare_(Snare()), hat_(Hat()) {}

const std::vector<float>& DrumKit::Sound(Drum drum) const {
    switch (drum) {
        case Drum::Kick:
            return kick_;
        case Drum::Snare:
            return snare_;
        case Drum::Hat:
            break;
    }
    return hat_;
}

}  // namespace mkdemo
