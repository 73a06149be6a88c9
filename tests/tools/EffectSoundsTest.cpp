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

constexpr EffectKind kKinds[] = {
    EffectKind::SoftClick, EffectKind::BrightClick, EffectKind::Chime, EffectKind::Bell,
    EffectKind::Swoosh,    EffectKind::PageTurn,    EffectKind::Knock, EffectKind::Thud};

float Peak(const std::vector<float>& s, std::size_t from, std::size_t to) {
    float peak = 0;
    for (std::size_t i = from; i < to; ++i) peak = std::max(peak, std::abs(s[i]));
    return peak;
}

double CrossingsPerSecond(const std::vector<float>& s, std::size_t from, std::size_t to) {
    int crossings = 0;
    for (std::size_t i = from + 1; i < to; ++i) crossings += (s[i - 1] < 0) != (s[i] < 0);
    return crossings * Waveform::kRate / static_cast<double>(to - from);
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
        {"SE-NUTYA05.sou", EffectKind::PageTurn},
    };
    for (const auto& c : cases) EXPECT_EQ(EffectSounds::KindOf(c.name), c.kind) << c.name;
}

TEST(EffectSounds, TheManifestsSoundsUseEveryKind) {
    std::set<EffectKind> used;
    for (const std::string& name : AssetManifest::Instance().EffectNames()) {
        if (!name.empty()) used.insert(EffectSounds::KindOf(name));
    }
    EXPECT_EQ(used.size(), std::size(kKinds));
}

TEST(EffectSounds, ShortAudibleAndSilentAtBothEnds) {
    for (const EffectKind kind : kKinds) {
        const std::vector<float> s = EffectSounds::Render(kind);
        const int k = static_cast<int>(kind);
        EXPECT_GE(s.size(), Waveform::Frames(20)) << k;
        EXPECT_LE(s.size(), Waveform::Frames(700)) << k;
        EXPECT_GE(Peak(s, 0, s.size()), 0.4f) << k;
        EXPECT_LE(Peak(s, 0, s.size()), 0.71f) << k;
        EXPECT_LT(std::abs(s.front()), 0.05f) << k;
        EXPECT_LT(std::abs(s.back()), 0.01f) << k;
    }
}

TEST(EffectSounds, ClicksAreBriefTheCursorsTheSofter) {
    const std::vector<float> soft = EffectSounds::Render(EffectKind::SoftClick);
    const std::vector<float> bright = EffectSounds::Render(EffectKind::BrightClick);
    EXPECT_LE(soft.size(), Waveform::Frames(40));
    EXPECT_LE(bright.size(), Waveform::Frames(100));
    EXPECT_LT(Peak(soft, 0, soft.size()), Peak(bright, 0, bright.size()));
    EXPECT_GT(CrossingsPerSecond(bright, 0, bright.size()), 2 * 2000);
}

TEST(EffectSounds, BellsRingAtTheirPitchChimesRiseToASecondNote) {
    const std::vector<float> bell = EffectSounds::Render(EffectKind::Bell);
    const std::size_t tenth = Waveform::Frames(100);
    EXPECT_NEAR(CrossingsPerSecond(bell, tenth, 2 * tenth), 2 * 880.0, 2 * 880.0 * 0.1);
    const std::vector<float> chime = EffectSounds::Render(EffectKind::Chime);
    const double first = CrossingsPerSecond(chime, 0, Waveform::Frames(80));
    const double both = CrossingsPerSecond(chime, Waveform::Frames(150), Waveform::Frames(250));
    EXPECT_NEAR(first, 2 * 1318.5, 2 * 1318.5 * 0.1);
    EXPECT_GT(both, first * 1.1);
}

TEST(EffectSounds, ThePageTurnDarkensTheSwooshBrightens) {
    const struct {
        EffectKind kind;
        bool brightens;
    } cases[] = {{EffectKind::PageTurn, false}, {EffectKind::Swoosh, true}};
    for (const auto& c : cases) {
        const std::vector<float> s = EffectSounds::Render(c.kind);
        const std::size_t half = s.size() / 2;
        const double early = CrossingsPerSecond(s, 0, half);
        const double late = CrossingsPerSecond(s, half, s.size());
        EXPECT_EQ(late > early * 1.3, c.brightens) << static_cast<int>(c.kind);
        EXPECT_EQ(early > late * 1.3, !c.brightens) << static_cast<int>(c.kind);
    }
}

TEST(EffectSounds, KnocksComeTwiceAThudIsLow) {
    const std::vector<float> knocks = EffectSounds::Render(EffectKind::Knock);
    const std::size_t gap = Waveform::Frames(150);
    EXPECT_GT(Peak(knocks, 0, Waveform::Frames(20)), 0.5f);
    EXPECT_LT(Peak(knocks, gap - Waveform::Frames(10), gap), 0.1f);
    EXPECT_GT(Peak(knocks, gap, gap + Waveform::Frames(20)), 0.4f);
    const std::vector<float> thud = EffectSounds::Render(EffectKind::Thud);
    EXPECT_LT(CrossingsPerSecond(thud, Waveform::Frames(120), thud.size()), 2 * 130.0);
}
