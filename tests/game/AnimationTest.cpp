#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "game/ANIMATION_DATA.h"
#include "game/GRAPHIC_DATA.h"
#include "game/GRAPHIC_DATA_EX.h"
#include "support/TestKit.h"

namespace {

using Frames = std::vector<std::uint32_t>;

TEST(Animation, PerFrameDurationsStepAcrossTheClockWrap) {
    zktest::TestKit kit;
    const struct {
        std::uint32_t frames, type;
        Frames durations, times, shown;
    } cases[] = {
        {3,
         1,
         {100, 200, 300},
         {1000, 1099, 1100, 1299, 1300, 1600, 1800, 1900},
         {0, 0, 1, 1, 2, 1, 0, 1}},
        {2, 0, {100}, {0xFFFFFFC0u, 0x10u, 0x24u}, {0, 0, 1}},
    };
    for (const auto& c : cases) {
        ANIMATION_DATA anim;
        anim.Set(c.frames, c.type);
        for (std::size_t i = 0; i < c.durations.size(); ++i) {
            ASSERT_EQ(anim.AnimationSet(static_cast<std::int32_t>(i), c.durations[i], 65535), 1u);
        }
        Frames shown;
        for (const std::uint32_t now : c.times) {
            ASSERT_EQ(anim.AnimationProc(now), 1u);
            shown.push_back(anim.nAnimNo);
        }
        EXPECT_EQ(shown, c.shown);
    }
    EXPECT_TRUE(kit.debugLines().empty());
}

TEST(Animation, OneIntervalSequences) {
    const struct {
        std::uint32_t frames, type;
        Frames shown;  // after each 50 ms step
    } cases[] = {
        {2, 1, {0, 1, 0, 0, 1, 0, 0}},
        {1, 1, {0, 0, 0, 0}},
        {4, 1, {0, 1, 2, 3, 2, 1, 0, 0, 1}},
        {3, 0, {0, 1, 2, 0, 1}},
    };
    for (const auto& c : cases) {
        ANIMATION_DATA anim;
        anim.Set(c.frames, c.type);
        Frames shown;
        for (std::uint32_t now = 1000; shown.size() < c.shown.size(); now += 50) {
            ASSERT_EQ(anim.AnimationProc(now, 50), 1u);
            shown.push_back(anim.nAnimNo);
        }
        EXPECT_EQ(shown, c.shown) << c.frames;
    }
}

TEST(Animation, SetRefusalsAndKeptType) {
    zktest::TestKit kit;
    ANIMATION_DATA anim;
    anim.Set(3, 1);
    anim.AnimationProc(1000);
    anim.AnimationProc(1000);
    ASSERT_EQ(anim.nAnimNo, 1u);
    // 65535 keeps type, frame and direction but restarts the timing.
    EXPECT_EQ(anim.AnimationSet(2, 40, 65535), 1u);
    EXPECT_EQ(anim.nType, 1u);
    EXPECT_EQ(anim.dwLastTime, 0u);
    EXPECT_EQ(anim.AnimationSet(0, 5, 2), 0u);
    EXPECT_EQ(anim.AnimationSet(3, 5, 65535), 0u);
    EXPECT_EQ(anim.nAnimNo, 1u);
    EXPECT_EQ(anim.pdwCtrlTime[2], 40u);

    ANIMATION_DATA big;
    big.Set(1025, 0);
    EXPECT_EQ(big.nAnimNum, 0u);
    EXPECT_FALSE(big.pdwCtrlTime);
    // A refused animation has nothing to step: a quiet success with either clock.
    EXPECT_EQ(big.AnimationProc(1000), 1u);
    EXPECT_EQ(big.AnimationProc(1000, 50), 1u);
    big.Set(static_cast<std::uint32_t>(-1), 0);
    EXPECT_EQ(
        kit.debugLines(),
        (std::vector<std::string>{
            "Error: <ANIMATION_DATA::AnimationSet> アニメーションタイプが不正です",
            "Error: <ANIMATION_DATA::AnimationSet> アニメーションナンバーが総数を上まっています",
            "Error: <ANIMATION_DATA::Set> フレーム数1025が上限1024を超えています",
            "Error: <ANIMATION_DATA::Set> フレーム数4294967295が上限1024を超えています"}));
}

// Intervals as (current -> next) pairs, one per frame change.
std::vector<std::string> CrossFadeIntervals(std::uint32_t type, int changes) {
    GRAPHIC_DATA_EX layer;
    layer.Set(0, 3, 3, type, 0, 0, 1);
    for (int i = 0; i < 3; ++i) layer.AnimationSet(i, 100, nullptr, 65535);
    std::vector<std::string> intervals;
    for (std::uint32_t now = 1000; intervals.size() < static_cast<std::size_t>(changes);
         now += 100) {
        layer.AnimationProc(now);
        intervals.push_back(std::to_string(layer.AnimData.nAnimNo) + ">" +
                            std::to_string(layer.nNextAnim));
    }
    return intervals;
}

TEST(GraphicDataEx, CrossFadeWeightsAndIntervals) {
    GRAPHIC_DATA_EX layer;
    layer.Set(0, 3, 2, 0, 0, 0, 1);
    layer.AnimationSet(0, 1000, nullptr, 65535);
    layer.AnimationProc(5000);
    EXPECT_EQ(layer.nCrossAlpha, 255);
    layer.AnimationProc(5250);
    EXPECT_FLOAT_EQ(layer.fAlpha, 0.75f);
    EXPECT_EQ(layer.nCrossAlpha, 191);
    layer.AnimationProc(6000);
    EXPECT_EQ(layer.nCrossAlpha, 255);
    EXPECT_EQ(layer.AnimData.nAnimNo, 1u);

    EXPECT_EQ(CrossFadeIntervals(1, 11),
              (std::vector<std::string>{"0>0", "1>2", "2>2", "2>2", "1>0", "0>1", "1>2", "2>2",
                                        "2>2", "1>0", "0>1"}));
    EXPECT_EQ(CrossFadeIntervals(0, 5),
              (std::vector<std::string>{"0>0", "1>2", "2>0", "0>1", "1>2"}));
}

TEST(GraphicDataEx, ZeroDurationNeverComputesAWeight) {
    GRAPHIC_DATA_EX layer;
    // Three frames, so that two changes in the same millisecond cannot look like none.
    layer.Set(0, 3, 3, 0, 0, 0, 1);
    ASSERT_EQ(layer.AnimationProc(700), 1u);
    EXPECT_EQ(layer.fAlpha, 1.0f);
    ASSERT_EQ(layer.AnimationProc(700), 1u);
    EXPECT_EQ(layer.AnimData.nAnimNo, 0u);
    ASSERT_EQ(layer.AnimationProc(701), 1u);
    EXPECT_EQ(layer.AnimData.nAnimNo, 1u);
    EXPECT_EQ(layer.nCrossAlpha, 255);

    // A one-frame back-and-forth only ever names its one frame.
    GRAPHIC_DATA_EX single;
    single.Set(0, 3, 1, 1, 0, 0, 1);
    for (std::uint32_t now = 10; now < 15; ++now) {
        single.AnimationProc(now);
        EXPECT_EQ(single.AnimData.nAnimNo + single.nNextAnim, 0u);
    }
}

TEST(GraphicDataEx, SetRefusesUnknownKindsTypesAndFrameCounts) {
    zktest::TestKit kit;
    GRAPHIC_DATA_EX layer;
    layer.Set(5, 12, 4, 7, 1, 1, 0);
    EXPECT_EQ(layer.nGKind, 1u);
    EXPECT_EQ(layer.AnimData.nType, 0u);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(layer.prcAnim[i].empty()) << i;

    layer.Set(0, 0, 1025, 0, 0, 0, 0);
    EXPECT_EQ(layer.nAnimNum + layer.AnimData.nAnimNum, 0u);
    EXPECT_FALSE(layer.prcAnim);
    EXPECT_EQ(kit.debugLines(),
              std::vector<std::string>{
                  "Error: <GRAPHIC_DATA_EX::Set> フレーム数1025が上限1024を超えています"});
}

TEST(GraphicData, FileRowAssignmentKeepsTheFlagWordAndCopyCarriesIt) {
    GRAPHIC_FILE_DATA row;
    std::strcpy(row.szName, "BG1");
    row.nIndex = 245;
    row.dwFlag = 1;
    GRAPHIC_FILE_DATA target;
    target.dwFlag = 9;
    target = row;
    EXPECT_STREQ(target.szName, "BG1");
    EXPECT_EQ(target.nIndex, 245);
    EXPECT_EQ(target.dwFlag, 9u);

    GRAPHIC_DATA layer;
    layer.Initialize(nullptr, nullptr);
    std::strcpy(layer.szName, "BG1");
    layer.dwFlag = 1;
    layer.fAlpha = 0.25f;
    GRAPHIC_DATA copy;
    copy.Copy(&layer);
    EXPECT_STREQ(copy.szName, "BG1");
    EXPECT_EQ(copy.dwFlag, 1u);
    EXPECT_EQ(copy.fAlpha, 0.25f);
}

}  // namespace
