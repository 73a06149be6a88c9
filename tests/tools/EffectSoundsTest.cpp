#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "mkdemo/EffectSounds.h"
#include "mkdemo/Waveform.h"
#include "shell/AssetManifest.h"

using mkdemo::EffectKind;
using mkdemo::EffectSounds;
using mkdemo::Waveform;

namespace {

float Peak(const std::vector<float>& s, std::size_t from, std::size_t to) {
    float peak = 0;
    for (std::size_t i = from; i < std::min(to, s.size()); ++i)
        peak = std::max(peak, std::abs(s[i]));
    return peak;
}

// Half the zero crossings per second: the pitch of a tone, the brightness of noise.
double Hertz(const std::vector<float>& s, double fromMs, double toMs) {
    const std::size_t from = Waveform::Frames(fromMs);
    const std::size_t to = std::min(Waveform::Frames(toMs), s.size());
    int crossings = 0;
    for (std::size_t i = from + 1; i < to; ++i) crossings += (s[i - 1] < 0) != (s[i] < 0);
    return crossings * Waveform::kRate / 2.0 / static_cast<double>(to - from);
}

}  // namespace

TEST(EffectSounds, MenuSoundsByNameSceneSoundsByNumber) {
    const struct {
        const char* name;
        EffectKind kind;
    } cases[] = {
        {"Cursor_Move.sou", EffectKind::SoftClick},
        {"GenPurEnter.sou", EffectKind::BrightClick},
        {"Load_Select.sou", EffectKind::BrightClick},
        {"Title_Start.sou", EffectKind::Chime},
        {"ModeSelect.sou", EffectKind::Bell},
        {"WindowOpen.sou", EffectKind::Swoosh},
        {"Page.sou", EffectKind::PageTurn},
        {"SE00.sou", EffectKind::Knock},
        {"SE03.sou", EffectKind::Thud},
        {"SE11-A.sou", EffectKind::PageTurn},
        {"SE14.sou", EffectKind::Swoosh},
        {"SE-NUTYA01.sou", EffectKind::Bell},
    };
    for (const auto& c : cases) EXPECT_EQ(EffectSounds::KindOf(c.name), c.kind) << c.name;
    std::set<EffectKind> used;
    for (const std::string& name : AssetManifest::Instance().EffectNames()) {
        if (!name.empty()) used.insert(EffectSounds::KindOf(name));
    }
    EXPECT_EQ(used.size(), 8u);
}

// Short, loud enough, silent at the end, and at the pitch or brightness of its kind
// over its first moments.
TEST(EffectSounds, EachKindSoundsLikeItself) {
    const struct {
        EffectKind kind;
        double longestMs;
        float peak;
        double lowHz, highHz;
    } cases[] = {
        {EffectKind::SoftClick, 40, 0.45f, 1000, 11025},
        {EffectKind::BrightClick, 100, 0.7f, 2000, 11025},
        {EffectKind::Chime, 700, 0.7f, 1200, 1450},
        {EffectKind::Bell, 700, 0.7f, 800, 960},
        {EffectKind::Swoosh, 400, 0.7f, 0, 11025},
        {EffectKind::PageTurn, 400, 0.7f, 0, 11025},
        {EffectKind::Knock, 300, 0.7f, 150, 700},
        {EffectKind::Thud, 300, 0.7f, 40, 150},
    };
    for (const auto& c : cases) {
        const std::vector<float> s = EffectSounds::Render(c.kind);
        const int k = static_cast<int>(c.kind);
        EXPECT_GE(s.size(), Waveform::Frames(20)) << k;
        EXPECT_LE(s.size(), Waveform::Frames(c.longestMs)) << k;
        EXPECT_NEAR(Peak(s, 0, s.size()), c.peak, 1e-4) << k;
        EXPECT_LT(std::abs(s.back()), 0.01f) << k;
        const double hertz = Hertz(s, 0, 80);
        EXPECT_GE(hertz, c.lowHz) << k;
        EXPECT_LE(hertz, c.highHz) << k;
    }
}

TEST(EffectSounds, ChimesRiseKnocksComeTwicePagesDarkenSwooshesBrighten) {
    const std::vector<float> chime = EffectSounds::Render(EffectKind::Chime);
    EXPECT_GT(Hertz(chime, 150, 250), 1.1 * Hertz(chime, 0, 80));
    const std::vector<float> knocks = EffectSounds::Render(EffectKind::Knock);
    EXPECT_LT(Peak(knocks, Waveform::Frames(140), Waveform::Frames(150)), 0.1f);
    EXPECT_GT(Peak(knocks, Waveform::Frames(150), Waveform::Frames(170)), 0.4f);
    const std::vector<float> page = EffectSounds::Render(EffectKind::PageTurn);
    EXPECT_GT(Hertz(page, 0, 100), 1.3 * Hertz(page, 150, 250));
    const std::vector<float> swoosh = EffectSounds::Render(EffectKind::Swoosh);
    EXPECT_LT(1.3 * Hertz(swoosh, 0, 150), Hertz(swoosh, 170, 320));
}
