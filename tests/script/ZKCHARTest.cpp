#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "common/BitmapWriter.h"
#include "game/ResourceLoader.h"
#include "support/ScriptKit.h"

namespace {

using Lines = std::vector<std::string>;
using zktest::ScriptKit;

constexpr int kBodySurface = 263, kBodyTexture = 7;
constexpr int kFaceSurface = 264, kFaceTexture = 8;
constexpr std::uint32_t kBody = 0xC00000;
constexpr std::uint32_t kEyes[] = {0x00C000, 0x0000C0, 0xC0C000};

// A character whose body (40 x 40) stands at (100, 100) with its face anchor at
// (110, 110); face 0 has three 4 x 4 eye frames side by side, face 1 none.
struct CharaKit : ScriptKit {
    ZKCHAR chara;

    CharaKit() {
        std::vector<std::uint32_t> sheet(12 * 4);
        for (int i = 0; i < 12 * 4; ++i) sheet[static_cast<std::size_t>(i)] = kEyes[(i % 12) / 4];
        const std::string face = zktools::BitmapBytes(zktools::BitmapForm::Rgb24, 12, 4, sheet);
        WriteArchive("dat/Img.dat", {{SurfaceName(kBodySurface), Flat(40, 40, kBody)},
                                     {SurfaceName(kFaceSurface), face}});
        for (const int slot : {kBodySurface, kFaceSurface}) {
            EXPECT_EQ(SurfaceLoad(&sprites.sprite, &sys, slot, 0, 0), 1);
        }
        for (const int slot : {kBodyTexture, kFaceTexture}) {
            EXPECT_EQ(TextureLoad(&sprites.sprite, &sys, slot, 0, 0), 1);
        }
        EXPECT_EQ(chara.CreateCharData(&sprites.sprite, &snd, &sys, "Hero", 1, 2), 1);
        EXPECT_EQ(chara.SetBodyData(0, 100, 100, 10, 10, "body", kBodySurface, kBodyTexture), 1);
        EXPECT_EQ(chara.SetFaceData(0, 0, 0, "face", kFaceSurface, kFaceTexture, 3, 0, 1), 1);
        for (int k = 0; k < 3; ++k) {
            const platform::Rect eye{4 * k, 0, 4 * k + 4, 4};
            EXPECT_EQ(chara.SetEyeData(0, k, &eye, 100), 1);
        }
        EXPECT_EQ(chara.SetFaceData(1, 0, 0, "blank", kFaceSurface, kFaceTexture, -1, 0, 0), 1);
        clearLog();
    }
    // Draws the character over a white back buffer; returns the pixel at (x, y).
    std::uint32_t DrawnAt(int x, int y) {
        sprites.fillBack(0xFFFFFF);
        EXPECT_EQ(chara.Draw(), 1);
        return sprites.backPixel(x, y);
    }
};

TEST(ZKCHAR, TransitionsMoveTheirAlphasOverTime) {
    CharaKit k;
    ZKCHAR& c = k.chara;
    EXPECT_EQ(c.FadeIn(5, 6, 0, 0, 1000, 400), 1);
    EXPECT_EQ(c.fBodyAlpha, 0.0f);
    EXPECT_EQ(c.FadeIn(0, 0, 1, 0, 1100, 400), 1);
    EXPECT_FLOAT_EQ(c.fFaceAlpha, 0.25f);
    EXPECT_EQ(c.nX, 5);
    EXPECT_EQ(c.nFace, 0);
    // The five transitions share one state word: a face change continues the fade.
    EXPECT_EQ(c.FaceChange(1, 1200, 999), 1);
    EXPECT_FLOAT_EQ(c.fFaceAlpha, 0.5f);
    EXPECT_EQ(c.FadeIn(5, 6, 0, 0, 1400, 400), 0);
    EXPECT_EQ(c.fBodyAlpha, 1.0f);

    EXPECT_EQ(c.FaceChange(-1, 2000, 100), 1);
    EXPECT_FLOAT_EQ(c.fFaceAlpha, 0.99f);
    EXPECT_EQ(c.FaceChange(-1, 2100, 100), 0);
    EXPECT_EQ(c.nFace, -1);
    EXPECT_EQ(c.FaceBodyChange(-1, 0, 2200, 100), -1);
    EXPECT_EQ(c.FaceBodyChange(1, 0, 2200, 0), 0);
    EXPECT_EQ(c.nFace, 1);

    EXPECT_EQ(c.FadeOut(3000, 1000), 1);
    EXPECT_FLOAT_EQ(c.fBodyAlpha, 0.99f);
    EXPECT_EQ(c.FadeOut(3500, 1000), 1);
    EXPECT_FLOAT_EQ(c.fBodyAlpha, 0.5f);
    EXPECT_EQ(c.FadeOut(4000, 1000), 0);
    EXPECT_EQ(c.nDispFlg, 0);
    EXPECT_EQ(c.nBody, -1);

    // A running transition restored with no duration is complete, never 0 / 0.
    c.nState = 1;
    c.dwDuration = 0;
    EXPECT_EQ(c.BodyChange(0, 5000, 100), 0);
    EXPECT_EQ(c.fBodyAlpha, 1.0f);
    EXPECT_EQ(k.lines(), Lines{"Error: <ZKCHARA::FaceBodyChange> 顔のナンバーが不正です"});
}

TEST(ZKCHAR, RefusalsChangeNothing) {
    CharaKit k;
    ZKCHAR& c = k.chara;
    EXPECT_EQ(c.FadeIn(1, 1, 0, 1, 1000, 0), -1);
    EXPECT_EQ(c.FadeIn(1, 1, 2, 0, 1000, 0), -1);
    EXPECT_EQ(std::pair(c.nX, c.nDispFlg), std::pair(0, 0));
    EXPECT_EQ(c.FlgControl(0, 33, 0), -1);
    EXPECT_EQ(c.FlgControl(0, 0, 0), -1);
    EXPECT_EQ(c.FlgControl(1, 5, 0), -1);
    EXPECT_EQ(c.FlgControl(0, 5, 2), -1);
    EXPECT_EQ(c.FlgControl(0, 6, 1), 0);
    EXPECT_EQ(c.dwEventFlg, 0u);
    EXPECT_EQ(c.SetFaceData(0, 0, 0, "f", 1, 1, 257, 0, 0), 0);
    EXPECT_EQ(c.pFaceData[0].nEyeNum, 3);
    EXPECT_EQ(k.lines(),
              (Lines{"Error: <ZKCHARA::FadeIn> 体のナンバーが不正です",
                     "Error: <ZKCHARA::FadeIn> 顔のナンバーが不正です",
                     "Error: <ZKCHARA::FlgControl> ビット値が不正です",
                     "Error: <ZKCHARA::FlgControl> ビット値が不正です",
                     "Error: <ZKCHARA::FlgControl> 操作フラグの種類が不正です",
                     "Error: <ZKCHARA::FlgControl> フラグ操作値が不正です",
                     "Error: <ZKCHAR::SetFaceData> 目のスプライト数257が上限256を超えています"}));
    c.nLoveValue = 2147483000;
    c.AddLoveValue(1000);
    EXPECT_EQ(c.nLoveValue, 2147483647);
}

TEST(ZKCHAR, ResetUnloadsThePicturesShownAndKeepsTheStoryOnlyWhenAsked) {
    for (const int clear : {0, 1}) {
        SCOPED_TRACE(clear);
        CharaKit k;
        ZKCHAR& c = k.chara;
        c.FadeIn(3, 4, 0, 0, 1000, 0);
        c.FlgControl(0, 3, 0);
        c.SetLoveValue(7);
        c.Reset(clear);
        for (const int slot : {kBodySurface, kFaceSurface}) {
            EXPECT_EQ(k.sprites.sprite.GetSurfaceLoadState(slot), 1);
        }
        EXPECT_EQ(k.sprites.sprite.GetTextureLoadState(kBodyTexture), 1);
        EXPECT_EQ(c.nDispFlg, 0);
        EXPECT_EQ(c.nBodyNum, 1);
        EXPECT_EQ(c.nLoveValue, clear ? 0 : 7);
        EXPECT_EQ(c.dwEventFlg, clear ? 0u : 4u);
        EXPECT_EQ(k.lines(), Lines{});
    }
}

TEST(ZKCHAR, DrawShowsBodyEyesAndBlendsAndNothingElse) {
    CharaKit k;
    ZKCHAR& c = k.chara;
    c.FadeIn(0, 0, 0, 0, 1000, 0);
    EXPECT_EQ(k.DrawnAt(130, 130), kBody);
    // The eyes run back and forth, each frame lasting one interval and frame 0 two.
    const std::uint32_t times[] = {1000, 1100, 1200, 1300, 1400, 1500, 1600};
    const int frames[] = {0, 1, 2, 1, 0, 0, 1};
    for (std::size_t i = 0; i < std::size(times); ++i) {
        SCOPED_TRACE(times[i]);
        EXPECT_EQ(c.Animation(times[i]), 1);
        EXPECT_EQ(k.DrawnAt(111, 111), kEyes[frames[i]]);
    }

    // Faces without eye frames show nothing over the body.
    c.FaceChange(1, 2000, 0);
    EXPECT_EQ(c.Animation(2100), 1);
    EXPECT_EQ(k.DrawnAt(111, 111), kBody);

    c.FadeOut(2000, 0);
    c.FadeIn(0, 0, 0, 0, 3000, 1000);
    c.FadeIn(0, 0, 0, 0, 3500, 1000);
    const std::uint32_t half = k.DrawnAt(130, 130);
    EXPECT_NEAR(static_cast<int>(half >> 16), 0xDF, 2);
    EXPECT_NEAR(static_cast<int>(half & 0xFF), 0x7F, 2);

    c.FadeOut(4000, 0);
    EXPECT_EQ(k.DrawnAt(130, 130), 0xFFFFFFu);

    // Indices from a damaged save name nothing.
    c.nDispFlg = 1;
    c.nBody = 5;
    c.nNextBody = 9;
    c.nFace = 7;
    c.nNextFace = -4;
    EXPECT_EQ(k.DrawnAt(130, 130), 0xFFFFFFu);
    EXPECT_EQ(c.Animation(5000), 1);
    c.Reset(1);
    EXPECT_EQ(k.lines(), Lines{});
}

}  // namespace
