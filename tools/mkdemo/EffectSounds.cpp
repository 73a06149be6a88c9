#include "mkdemo/EffectSounds.h"

#include <cctype>
#include <string>

#include "mkdemo/FileStem.h"
#include "mkdemo/Waveform.h"

namespace mkdemo {

namespace {

struct Named {
    std::string_view stem;
    EffectKind kind;
};

constexpr Named kMenuSounds[] = {
    {"Title_Start", EffectKind::Chime},     {"Load_Select", EffectKind::BrightClick},
    {"Cursor_Move", EffectKind::SoftClick}, {"GenPurEnter", EffectKind::BrightClick},
    {"ModeSelect", EffectKind::Bell},       {"WindowOpen", EffectKind::Swoosh},
    {"Page", EffectKind::PageTurn},
};

constexpr EffectKind kSceneSounds[] = {EffectKind::Knock, EffectKind::Bell,  EffectKind::Swoosh,
                                       EffectKind::Thud,  EffectKind::Chime, EffectKind::PageTurn};

constexpr double kBellHarmonics[] = {1.0, 0.0, 0.3, 0.0, 0.12};
constexpr double kClickHarmonics[] = {1.0, 0.4};
constexpr float kLoud = 0.7f;
constexpr float kSoft = 0.45f;

Envelope Struck(double decayPerSecond) {
    return {Waveform::Frames(1), Waveform::Frames(15), decayPerSecond};
}

std::vector<float> Click(double hertz, double ms, float peak) {
    std::vector<float> click = Waveform::Noise({.frames = Waveform::Frames(ms / 2),
                                                .seed = 3,
                                                .highPass = true,
                                                .envelope = Struck(150),
                                                .peak = 0.5f});
    click.resize(Waveform::Frames(ms), 0.0f);
    const std::vector<float> tick = Waveform::Tone({.hertz = hertz,
                                                    .frames = Waveform::Frames(ms),
                                                    .harmonics = kClickHarmonics,
                                                    .envelope = Struck(90)});
    Waveform::MixLooped(click, 0, tick, 1.0f);
    Waveform::Normalise(click, peak);
    return click;
}

// Struck notes that start in turn, each ringing to the end of the sound.
std::vector<float> Bells(std::initializer_list<double> hertz, double gapMs, double ms) {
    const std::size_t gap = Waveform::Frames(gapMs);
    std::vector<float> bells(Waveform::Frames(ms) + gap * (hertz.size() - 1), 0.0f);
    std::size_t at = 0;
    for (const double pitch : hertz) {
        const std::vector<float> note = Waveform::Tone({.hertz = pitch,
                                                        .frames = bells.size() - at,
                                                        .harmonics = kBellHarmonics,
                                                        .envelope = Struck(7)});
        Waveform::MixLooped(bells, at, note, 1.0f);
        at += gap;
    }
    Waveform::Normalise(bells, kLoud);
    return bells;
}

// Noise whose brightness moves from one opening to another: rising air or a
// falling rustle.
std::vector<float> Sweep(double from, double to, double ms, double attackMs) {
    std::vector<float> sweep =
        Waveform::Noise({.frames = Waveform::Frames(ms),
                         .seed = 5,
                         .startOpening = from,
                         .endOpening = to,
                         .envelope = {Waveform::Frames(attackMs), Waveform::Frames(ms / 3), 0}});
    Waveform::Normalise(sweep, kLoud);
    return sweep;
}

std::vector<float> Knocks() {
    std::vector<float> knocks(Waveform::Frames(240), 0.0f);
    const std::vector<float> knock = Waveform::Tone({.hertz = 320,
                                                     .endHertz = 200,
                                                     .frames = Waveform::Frames(90),
                                                     .harmonics = kClickHarmonics,
                                                     .envelope = Struck(45)});
    Waveform::MixLooped(knocks, 0, knock, 1.0f);
    Waveform::MixLooped(knocks, Waveform::Frames(150), knock, 0.8f);
    Waveform::Normalise(knocks, kLoud);
    return knocks;
}

std::vector<float> Thud() {
    std::vector<float> thud = Waveform::Tone(
        {.hertz = 130, .endHertz = 55, .frames = Waveform::Frames(260), .envelope = Struck(14)});
    const std::vector<float> dust = Waveform::Noise({.frames = Waveform::Frames(120),
                                                     .seed = 9,
                                                     .startOpening = 0.15,
                                                     .endOpening = 0.05,
                                                     .envelope = Struck(30)});
    Waveform::MixLooped(thud, 0, dust, 0.5f);
    Waveform::Normalise(thud, kLoud);
    return thud;
}

int FirstNumber(std::string_view name) {
    std::size_t i = 0;
    while (i < name.size() && std::isdigit(static_cast<unsigned char>(name[i])) == 0) ++i;
    int number = 0;
    for (; i < name.size() && std::isdigit(static_cast<unsigned char>(name[i])) != 0; ++i) {
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

}  // namespace

EffectKind EffectSounds::KindOf(std::string_view name) {
    const std::string stem = FileStem(std::string(name));
    for (const Named& sound : kMenuSounds) {
        if (sound.stem == stem) return sound.kind;
    }
    return kSceneSounds[FirstNumber(stem) % std::size(kSceneSounds)];
}

std::vector<float> EffectSounds::Render(EffectKind kind) {
    switch (kind) {
        case EffectKind::SoftClick:
            return Click(1800, 30, kSoft);
        case EffectKind::BrightClick:
            return Click(2600, 70, kLoud);
        case EffectKind::Chime:
            return Bells({1318.5, 1975.5}, 90, 450);
        case EffectKind::Bell:
            return Bells({880}, 0, 600);
        case EffectKind::Swoosh:
            return Sweep(0.03, 0.4, 320, 200);
        case EffectKind::PageTurn:
            return Sweep(0.45, 0.04, 260, 20);
        case EffectKind::Knock:
            return Knocks();
        case EffectKind::Thud:
            break;
    }
    return Thud();
}

}  // namespace mkdemo
