#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <tuple>
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
constexpr int kBody2Surface = 265, kBody2Texture = 9;
constexpr std::uint32_t kWhite = 0xFFFFFF, kBody = 0xC00000, kBody2 = 0x00C0C0;
constexpr std::uint32_t kEyes[] = {0x00C000, 0x0000C0, 0xC0C000};

// Colour c laid over under at alpha a.
std::uint32_t Over(std::uint32_t under, std::uint32_t c, float a) {
    std::uint32_t out = 0;
    for (const int shift : {16, 8, 0}) {
        const float mixed = a * ((c >> shift) & 0xFF) + (1 - a) * ((under >> shift) & 0xFF);
        out |= static_cast<std::uint32_t>(std::lround(mixed)) << shift;
    }
    return out;
}

// The largest difference of one channel between two colours.
int Gap(std::uint32_t a, std::uint32_t b) {
    int gap = 0;
    for (const int shift : {16, 8, 0}) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        gap = std::max(gap, std::abs(d));
    }
    return gap;
}

// A character whose body 0 (40 x 40) stands at (100, 100) with its face anchor at
// (110, 110), body 1 at (120, 100) with its anchor at (140, 110); face 0 has three
// 4 x 4 eye frames side by side lasting 100, 200 and 300 ms, face 1 none, face 2 one.
struct CharaKit : ScriptKit {
    ZKCHAR chara;

    CharaKit() {
        std::vector<std::uint32_t> sheet(12 * 4);
        for (int i = 0; i < 12 * 4; ++i) sheet[static_cast<std::size_t>(i)] = kEyes[(i % 12) / 4];
        const std::string face = zktools::BitmapBytes(zktools::BitmapForm::Rgb24, 12, 4, sheet);
        WriteArchive("dat/Img.dat", {{SurfaceName(kBodySurface), Flat(40, 40, kBody)},
                                     {SurfaceName(kFaceSurface), face},
                                     {SurfaceName(kBody2Surface), Flat(40, 40, kBody2)}});
        for (const int slot : {kBodySurface, kFaceSurface, kBody2Surface}) {
            EXPECT_EQ(SurfaceLoad(&sprites.sprite, &sys, slot, 0, 0), 1);
        }
        for (const int slot : {kBodyTexture, kFaceTexture, kBody2Texture}) {
            EXPECT_EQ(TextureLoad(&sprites.sprite, &sys, slot, 0, 0), 1);
        }
        EXPECT_EQ(chara.CreateCharData(&sprites.sprite, &snd, &sys, "Hero", 2, 3), 1);
        EXPECT_EQ(chara.SetBodyData(0, 100, 100, 10, 10, "body", kBodySurface, kBodyTexture), 1);
        EXPECT_EQ(chara.SetBodyData(1, 120, 100, 20, 10, "body2", kBody2Surface, kBody2Texture), 1);
        EXPECT_EQ(chara.SetFaceData(0, 0, 0, "face", kFaceSurface, kFaceTexture, 3, 0, 1), 1);
        for (int k = 0; k < 3; ++k) {
            const platform::Rect eye{4 * k, 0, 4 * k + 4, 4};
            EXPECT_EQ(chara.SetEyeData(0, k, &eye, 100u * (k + 1)), 1);
        }
        EXPECT_EQ(chara.SetFaceData(1, 0, 0, "blank", kFaceSurface, kFaceTexture, -1, 0, 0), 1);
        EXPECT_EQ(chara.SetFaceData(2, 0, 0, "face2", kFaceSurface, kFaceTexture, 1, 0, 0), 1);
        const platform::Rect blue{4, 0, 8, 4};
        EXPECT_EQ(chara.SetEyeData(2, 0, &blue, 100), 1);
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
    // At alpha 0 nothing is placed, not even a texture the script may not have loaded.
    EXPECT_TRUE(c.Placements(ZKCHAR::PLACE::Screen).empty());
    EXPECT_EQ(c.FadeIn(0, 0, 1, 0, 1100, 400), 1);
    EXPECT_FLOAT_EQ(c.fFaceAlpha, 0.25f);
    EXPECT_EQ(c.nX, 5);
    EXPECT_EQ(c.nFace, 0);
    // The five transitions share one state word: a face change continues the fade.
    EXPECT_EQ(c.FaceChange(1, 1300, 999), 1);
    EXPECT_FLOAT_EQ(c.fFaceAlpha, 0.25f);
    EXPECT_EQ(c.FadeIn(5, 6, 0, 0, 1400, 400), 0);
    EXPECT_EQ(c.fBodyAlpha, 1.0f);

    EXPECT_EQ(c.FaceChange(-1, 2000, 100), 1);
    EXPECT_FLOAT_EQ(c.fFaceAlpha, 0.99f);
    EXPECT_EQ(c.FaceChange(-1, 2100, 100), 0);
    EXPECT_EQ(c.nFace, -1);
    EXPECT_EQ(c.FaceBodyChange(-1, 0, 2200, 100), -1);
    EXPECT_EQ(c.FaceBodyChange(1, 0, 2200, 0), 0);
    EXPECT_EQ(c.nFace, 1);
    EXPECT_EQ(c.FaceBodyChange(2, 1, 2300, 100), 1);
    EXPECT_EQ(std::pair(c.fBodyAlpha, c.fFaceAlpha), std::pair(0.99f, 0.99f));
    EXPECT_EQ(c.FaceBodyChange(2, 1, 2400, 100), 0);
    EXPECT_EQ(std::pair(c.nBody, c.nFace), std::pair(1, 2));

    EXPECT_EQ(c.FadeOut(3000, 1000), 1);
    EXPECT_FLOAT_EQ(c.fBodyAlpha, 0.99f);
    EXPECT_EQ(c.FadeOut(3250, 1000), 1);
    EXPECT_FLOAT_EQ(c.fBodyAlpha, 0.75f);
    EXPECT_EQ(c.FadeOut(4000, 1000), 0);
    EXPECT_EQ(c.nDispFlg, 0);
    EXPECT_EQ(c.nBody, -1);
    EXPECT_EQ(std::pair(c.dwStartTime, c.dwDuration), std::pair(0u, 0u));

    // However long a fade-out, the pictures going out stay below 1, where they would be
    // blitted from the surfaces the fade unloaded.
    c.FadeIn(0, 0, 0, 0, 4000, 0);
    EXPECT_EQ(c.FadeOut(4000, 0xFFFFFFFFu), 1);
    EXPECT_EQ(c.FadeOut(4016, 0xFFFFFFFFu), 1);
    EXPECT_LT(c.fBodyAlpha, 1.0f);
    for (const CHAR_PLACEMENT& p : c.Placements(ZKCHAR::PLACE::Screen)) EXPECT_FALSE(p.bSurface);
    EXPECT_EQ(c.FadeOut(4016, 0), 0);

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
    EXPECT_EQ(c.FadeIn(1, 1, 0, 2, 1000, 0), -1);
    EXPECT_EQ(c.FadeIn(1, 1, 3, 0, 1000, 0), -1);
    EXPECT_EQ(std::pair(c.nX, c.nDispFlg), std::pair(0, 0));
    // A body change needs a body; no face (-1) is a face change's own choice.
    EXPECT_EQ(c.BodyChange(-1, 1000, 0), -1);
    EXPECT_EQ(c.FaceChange(3, 1000, 0), -1);
    EXPECT_EQ(c.FaceBodyChange(0, 2, 1000, 0), -1);
    EXPECT_EQ(std::tuple(c.nBody, c.nFace, c.nState), std::tuple(0, 0, 0));
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
                     "Error: <ZKCHARA::BodyChange> 体のナンバーが不正です",
                     "Error: <ZKCHARA::FaceChange> 顔のナンバーが不正です",
                     "Error: <ZKCHARA::FaceBodyChange> 体のナンバーが不正です",
                     "Error: <ZKCHARA::FlgControl> ビット値が不正です",
                     "Error: <ZKCHARA::FlgControl> ビット値が不正です",
                     "Error: <ZKCHARA::FlgControl> 操作フラグの種類が不正です",
                     "Error: <ZKCHARA::FlgControl> フラグ操作値が不正です",
                     "Error: <ZKCHAR::SetFaceData> 目のスプライト数257が上限256を超えています"}));
    c.nLoveValue = 2147483000;
    c.AddLoveValue(1000);
    EXPECT_EQ(c.nLoveValue, 2147483647);
}

// Picture counts outside 1 ... 256 are refused with the character as it was; a
// character created again starts afresh, off screen at the origin with its story cleared.
TEST(ZKCHAR, CreatingRefusesBadCountsAndStartsAfresh) {
    CharaKit k;
    ZKCHAR& c = k.chara;
    c.FadeIn(5, 6, 0, 0, 1000, 0);
    c.SetLoveValue(7);
    c.FlgControl(0, 3, 0);
    const std::string body = "Error: <ZKCHAR::CreateCharData> 指定した体のスプライト総数は不正です";
    const std::string face = "Error: <ZKCHAR::CreateCharData> 指定した顔のスプライト総数は不正です";
    const struct {
        int bodies, faces;
        std::string line;
    } refused[] = {{0, 1, body}, {257, 1, body}, {1, 0, face}, {1, 257, face}};
    for (const auto& t : refused) {
        EXPECT_EQ(c.CreateCharData(&k.sprites.sprite, &k.snd, &k.sys, "Hero", t.bodies, t.faces),
                  0);
        EXPECT_EQ(k.lines(), Lines{t.line}) << t.bodies << " " << t.faces;
        k.clearLog();
        EXPECT_EQ(std::tuple(c.nX, c.nY, c.nBodyNum, c.nDispFlg), std::tuple(5, 6, 2, 1));
    }
    EXPECT_EQ(c.CreateCharData(&k.sprites.sprite, &k.snd, &k.sys, "Hero", 256, 256), 1);
    EXPECT_EQ(std::tuple(c.nX, c.nY, c.nBodyNum, c.nFaceNum, c.nDispFlg),
              std::tuple(0, 0, 256, 256, 0));
    EXPECT_EQ(std::pair(c.nLoveValue, c.dwEventFlg), std::pair(0, 0u));
    EXPECT_EQ(k.lines(), Lines{});
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
        EXPECT_EQ(c.nBodyNum, 2);
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
    // The eyes run back and forth, each frame lasting its own time and frame 0 twice
    // its time at the turn.
    const std::uint32_t times[] = {1000, 1100, 1200, 1300, 1500, 1600, 1800, 1900, 2000};
    const int frames[] = {0, 1, 1, 2, 2, 1, 0, 0, 1};
    for (std::size_t i = 0; i < std::size(times); ++i) {
        SCOPED_TRACE(times[i]);
        EXPECT_EQ(c.Animation(times[i]), 1);
        EXPECT_EQ(k.DrawnAt(111, 111), kEyes[frames[i]]);
    }

    // Faces without eye frames show nothing over the body, also a face set again
    // without the eye frames it had.
    c.FaceChange(1, 2000, 0);
    EXPECT_EQ(c.Animation(2100), 1);
    EXPECT_EQ(k.DrawnAt(111, 111), kBody);
    EXPECT_EQ(c.SetFaceData(1, 0, 0, "face", kFaceSurface, kFaceTexture, 1, 0, 0), 1);
    const platform::Rect eye{0, 0, 4, 4};
    EXPECT_EQ(c.SetEyeData(1, 0, &eye, 100), 1);
    EXPECT_EQ(k.DrawnAt(111, 111), kEyes[0]);
    EXPECT_EQ(c.SetFaceData(1, 0, 0, "blank", kFaceSurface, kFaceTexture, -1, 0, 0), 1);
    EXPECT_EQ(k.DrawnAt(111, 111), kBody);

    c.FadeOut(2000, 0);
    c.FadeIn(0, 0, 0, 0, 3000, 1000);
    c.FadeIn(0, 0, 0, 0, 3250, 1000);
    EXPECT_LE(Gap(k.DrawnAt(130, 130), Over(kWhite, kBody, 0.25f)), 2);

    // A quarter into a cross-fade the old pictures lie at 0.75 under the new ones at
    // 0.25, bodies under faces; the faces show eye frame 0.
    const std::uint32_t oldBody = Over(kWhite, kBody, 0.75f);
    const std::uint32_t newBody = Over(kWhite, kBody2, 0.25f);
    using Pixels = std::vector<std::tuple<int, int, std::uint32_t>>;
    const struct {
        const char* name;
        int (*change)(ZKCHAR&, std::uint32_t);
        Pixels pixels;
    } changes[] = {
        {"body",
         [](ZKCHAR& h, std::uint32_t now) { return h.BodyChange(1, now, 1000); },
         {{105, 130, oldBody}, {150, 130, newBody}, {130, 130, Over(oldBody, kBody2, 0.25f)}}},
        {"face",
         [](ZKCHAR& h, std::uint32_t now) { return h.FaceChange(2, now, 1000); },
         {{111, 111, Over(Over(kBody, kEyes[1], 0.25f), kEyes[0], 0.75f)}}},
        {"face and body",
         [](ZKCHAR& h, std::uint32_t now) { return h.FaceBodyChange(2, 1, now, 1000); },
         {{111, 111, Over(Over(oldBody, kEyes[1], 0.25f), kEyes[0], 0.75f)},
          {141, 111, Over(Over(newBody, kEyes[1], 0.25f), kEyes[0], 0.75f)}}},
    };
    for (const auto& change : changes) {
        SCOPED_TRACE(change.name);
        c.FadeIn(0, 0, 0, 0, 5000, 0);
        EXPECT_EQ(change.change(c, 5000), 1);
        EXPECT_EQ(change.change(c, 5250), 1);
        for (const auto& [x, y, expected] : change.pixels) {
            EXPECT_LE(Gap(k.DrawnAt(x, y), expected), 2) << x << ", " << y;
        }
    }

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

// At the two ends of a body cross-fade the body fully out is neither drawn nor
// composed, and the body fully in is drawn opaque from its surface and composed.
TEST(ZKCHAR, ACrossFadeAtItsEndsPlacesOnlyTheBodyThatShows) {
    CharaKit k;
    ZKCHAR& c = k.chara;
    c.FadeIn(0, 0, 0, 0, 1000, 0);
    ASSERT_EQ(c.BodyChange(1, 2000, 1000), 1);
    using Body = std::tuple<bool, int, float>;  // surface or texture, its slot, alpha
    using PLACE = ZKCHAR::PLACE;
    const Body oldSurface{true, kBodySurface, 1.0f};
    const Body newSurface{true, kBody2Surface, 1.0f};
    const struct {
        float alpha;  // the old body's share
        PLACE place;
        std::vector<Body> bodies;
    } cases[] = {
        {1.0f, PLACE::Screen, {oldSurface, {false, kBody2Texture, 0.0f}}},
        {1.0f, PLACE::Composition, {oldSurface}},
        {0.0f, PLACE::Screen, {newSurface}},
        {0.0f, PLACE::Composition, {newSurface}},
    };
    for (const auto& t : cases) {
        c.fBodyAlpha = t.alpha;
        std::vector<Body> bodies;
        for (const CHAR_PLACEMENT& p : c.Placements(t.place)) {
            if (!p.rcSrc) bodies.emplace_back(p.bSurface, p.nIndex, p.fAlpha);
        }
        EXPECT_EQ(bodies, t.bodies) << t.alpha << (t.place == PLACE::Screen ? " screen" : "");
    }
    EXPECT_EQ(k.lines(), Lines{});
}

}  // namespace
