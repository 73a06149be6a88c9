#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#include "platform/text/TextLayout.h"
#include "platform/text/TextRenderer.h"
#include "platform/video/DisplayStatus.h"
#include "platform/video/DrawKey.h"
#include "platform/video/DrawList.h"
#include "platform/video/HeadlessDisplay.h"
#include "platform/video/SpriteRasterizer.h"

using platform::Affine2D;
using platform::Rect;
using platform::Surface;

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

// What every frame draws from: an off-screen picture with a key, a texture, and the
// text's renderer.
struct Materials {
    explicit Materials(const platform::PixelFormat& format)
        : picture(std::make_shared<Surface>(16, 16, format)), texture(Texels(), 8, 8) {
        picture->fill({0, 0, 16, 16}, 0x3060C0);
        picture->fill({4, 4, 12, 12}, 0x00FF00);
        picture->setColorKey(format.fromColorRef(0x00FF00));
    }
    static std::vector<std::uint32_t> Texels() {
        std::vector<std::uint32_t> texels(64);
        for (std::size_t i = 0; i < texels.size(); ++i) texels[i] = 0x102030u * (i % 7) + 0x0F;
        return texels;
    }
    std::shared_ptr<Surface> picture;
    platform::Texture texture;
};

// One frame's drawing, given the frame's target and the materials.
using Frame = std::function<void(Surface&, Materials&)>;

void Sprite(Surface& target, const Materials& m, double x, double y, std::uint32_t alpha) {
    platform::SpriteSource source{&m.texture, 0, 0, 8, 8, false};
    platform::SpritePaint paint;
    paint.alpha = alpha;
    const Affine2D map = Affine2D::Scaling(8, 8).then(Affine2D::Translation(x + 4, y + 4));
    platform::SpriteRasterizer::DrawTextured(target, source, map, paint);
}

void Text(Surface& target, std::string_view text) {
    platform::TextRenderer::Shared().draw(target, text, platform::TextLayout::Line(text, 2, 30, 12),
                                          {12, false, 0xFFFFFF, true}, target.bounds());
}

// The still picture of the frames below: a clear, the keyed picture, a sprite and a line.
void Scene(Surface& target, Materials& m, double spriteX, platform::ColorRef clear = 0x202020) {
    target.fill(target.bounds(), clear);
    target.blt({8, 8, 40, 40}, *m.picture, {0, 0, 16, 16}, true);
    Sprite(target, m, spriteX, 4, 255);
    Text(target, "Ab");
}

// Draws the frames on a recording surface and on one drawing at once, and checks
// that each frame's picture is the same on both.
void ExpectSameAsImmediate(const platform::PixelFormat& format, const std::vector<Frame>& frames) {
    Materials recordedMaterials(format), immediateMaterials(format);
    Surface recorded(kWidth, kHeight, format), immediate(kWidth, kHeight, format);
    recorded.recordFrames();
    for (std::size_t i = 0; i < frames.size(); ++i) {
        frames[i](recorded, recordedMaterials);
        recorded.finishFrame();
        frames[i](immediate, immediateMaterials);
        ASSERT_EQ(recorded.toXrgb(), immediate.toXrgb()) << "frame " << i;
    }
}

const Frame kStill = [](Surface& s, Materials& m) { Scene(s, m, 30); };
// No clear, and no draw covering everything: each frame adds to the last.
const Frame kAdding = [](Surface& s, Materials& m) {
    s.blt({40, 0, 56, 16}, *m.picture, {0, 0, 16, 16}, false);
    platform::SpriteRasterizer::DrawFlat(s, {0, 0, 20, 20}, 0x101010,
                                         platform::BlendMode::Additive);
};

// A small picture at (x, y) under a half-clear sprite, an additive band and a line, all
// reaching beyond any area it changes.
void Layered(Surface& s, Materials& m, double x, double y) {
    s.fill(s.bounds(), 0x204060);
    s.blt({8, 8, 40, 40}, *m.picture, {0, 0, 16, 16}, true);
    Sprite(s, m, x, y, 255);
    platform::SpriteSource wide{&m.texture, 0, 0, 8, 8, false};
    platform::SpritePaint half;
    half.alpha = 96;
    platform::SpriteRasterizer::DrawTextured(
        s, wide, Affine2D::Scaling(60, 24).then(Affine2D::Translation(32.5, 30.25)), half);
    platform::SpriteRasterizer::DrawFlat(s, {0, 24, 64, 36}, 0x202020,
                                         platform::BlendMode::Additive);
    Text(s, "Ab");
}

class DrawListPictures : public testing::TestWithParam<int> {
protected:
    platform::PixelFormat format() const { return platform::PixelFormat::ForDepth(GetParam()); }
};

}  // namespace

TEST_P(DrawListPictures, FramesGiveThePicturesOfDrawingAtOnce) {
    const std::vector<Frame> frames = {
        kStill,
        kStill,
        [](Surface& s, Materials& m) { Scene(s, m, 33); },  // the sprite moved
        [](Surface& s, Materials& m) {                      // a fade step over it
            Scene(s, m, 33);
            platform::SpriteRasterizer::DrawFlat(s, s.bounds(), 0, platform::BlendMode::Normal);
            Sprite(s, m, 0, 0, 96);
        },
        [](Surface& s, Materials& m) {  // more text appears
            Scene(s, m, 33);
            Text(s, "Abc");
        },
        [](Surface& s, Materials& m) {  // the picture changed since, the blit is the same
            m.picture->fill({0, 0, 3, 3}, 0xFF0000);
            Scene(s, m, 33);
        },
        [](Surface& s, Materials& m) {  // the picture changes after it was blitted
            Scene(s, m, 33);
            m.picture->fill({0, 0, 16, 2}, 0x0000FF);
            s.blt({40, 0, 56, 16}, *m.picture, {0, 0, 16, 16}, false);
        },
        [](Surface& s, Materials& m) {  // a read and a lock in the middle of the frame
            Scene(s, m, 33);
            platform::ColorRef color = 0;
            s.getPixel(20, 20, color);
            s.setPixel(1, 1, color);
            Sprite(s, m, 50, 30, 128);
        },
        kStill,
        [](Surface& s, Materials& m) { Scene(s, m, 30, 0x404040); },  // only the clear differs
        [](Surface& s, Materials& m) {  // a blit from itself, then the picture goes
            Scene(s, m, 30);
            s.blt({0, 0, 32, 24}, s, {16, 16, 48, 40}, false);
            s.blt({40, 30, 56, 46}, *m.picture, {0, 0, 16, 16}, false);
            m.picture = std::make_shared<Surface>(16, 16, m.picture->format());
        },
        kAdding,
        kAdding,
        [](Surface& s, Materials& m) { Layered(s, m, 6, 26); },
        [](Surface& s, Materials& m) { Layered(s, m, 7, 27); },  // moved under the rest
        [](Surface& s, Materials& m) { Layered(s, m, 7, 27); },
        kStill,
        [](Surface& s, Materials& m) {  // more draws than a frame keeps, then the still scene
            for (std::size_t i = 0; i < platform::DrawList::kMaxDraws; ++i) {
                const int x = static_cast<int>(i * 7 % 48), y = static_cast<int>(i * 5 % 32);
                s.blt({x, y, x + 16, y + 16}, *m.picture, {0, 0, 16, 16}, i % 2 == 0);
            }
            Scene(s, m, 30);
            s.blt({40, 30, 56, 46}, *m.picture, {0, 0, 16, 16}, false);
        },
        kStill,
    };
    ExpectSameAsImmediate(format(), frames);
}

TEST_P(DrawListPictures, ClipListsAndKeysAreThoseOfTheirDraw) {
    auto clipper = std::make_shared<platform::Clipper>();
    const std::vector<Frame> frames = {
        [clipper](Surface& s, Materials& m) {
            clipper->list = platform::ClipRegion({{0, 0, 20, 48}});
            s.attachClipper(clipper);
            Scene(s, m, 30);
            s.attachClipper(nullptr);
            clipper->list = platform::ClipRegion({{30, 0, 64, 48}});
        },
        [clipper](Surface& s, Materials& m) {
            s.attachClipper(clipper);
            Scene(s, m, 30);
            s.attachClipper(nullptr);
            m.picture->setColorKey(m.picture->format().fromColorRef(0x3060C0));
            m.texture.setColorKey(0);
        },
        kStill,
    };
    ExpectSameAsImmediate(format(), frames);
}

TEST_P(DrawListPictures, CopiesOfAPartReadTheDrawsSoFar) {
    const Rect part{0, 0, 8, 8};
    const auto pending = [this] {
        auto target = std::make_unique<Surface>(kWidth, kHeight, format());
        target->recordFrames();
        target->fill(target->bounds(), 0xFFFFFF);
        return target;
    };
    Surface copy(kWidth, kHeight, format());
    ASSERT_TRUE(copy.copyPixels(*pending(), part));
    EXPECT_EQ(copy.toXrgb()[0], 0xFFFFFFu);
    EXPECT_EQ(copy.toXrgb()[kWidth * 9 + 9], 0u);
    std::vector<std::uint32_t> words(kWidth * kHeight, 0);
    pending()->copyXrgb(words.data(), part);
    EXPECT_EQ(words[0], 0xFFFFFFu);
    EXPECT_EQ(words[kWidth * 9 + 9], 0u);
}

INSTANTIATE_TEST_SUITE_P(Depths, DrawListPictures, testing::Values(32, 16));

namespace platform {
void PrintTo(const Rect& r, std::ostream* out) {
    *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
}  // namespace platform

namespace {

struct DamageCase {
    const char* what;
    Frame last;
    Frame next;
    Rect changed;
};

const Frame kNothing = [](Surface&, Materials&) {};
// The still scene with a picture between the blit and the sprite.
const Frame kInserted = [](Surface& s, Materials& m) {
    s.fill(s.bounds(), 0x202020);
    s.blt({8, 8, 40, 40}, *m.picture, {0, 0, 16, 16}, true);
    s.blt({50, 40, 60, 44}, *m.picture, {0, 0, 10, 4}, false);
    Sprite(s, m, 30, 4, 255);
    Text(s, "Ab");
};

// The still scene with a picture over it all, bottom rows down.
Frame EndingWithAPicture(int bottom) {
    return [bottom](Surface& s, Materials& m) {
        Scene(s, m, 30);
        s.blt({50, 40, 60, bottom}, *m.picture, {0, 0, 10, 4}, false);
    };
}

}  // namespace

TEST(DrawListDamage, IsWhereTheDrawsDifferInEitherFrame) {
    const Rect all{0, 0, kWidth, kHeight};
    const std::vector<DamageCase> cases = {
        {"still", kStill, kStill, {}},
        {"nothing drawn", kStill, kNothing, {}},
        {"the sprite moved",
         kStill,
         [](Surface& s, Materials& m) { Scene(s, m, 33); },
         {30, 4, 41, 12}},
        {"a picture put between", kStill, kInserted, {50, 40, 60, 44}},
        {"a picture taken away", kInserted, kStill, {50, 40, 60, 44}},
        {"the last draw differs", EndingWithAPicture(44), EndingWithAPicture(46), {50, 40, 60, 46}},
        {"the blitted picture changed",
         kStill,
         [](Surface& s, Materials& m) {
             m.picture->fill({0, 0, 1, 1}, 0xFF0000);
             Scene(s, m, 30);
         },
         {8, 8, 40, 40}},
        {"read in the middle",
         kStill,
         [](Surface& s, Materials& m) {
             Scene(s, m, 30);
             platform::ColorRef color = 0;
             s.getPixel(0, 0, color);
         },
         {}},
        {"only the clear differs", kStill,
         [](Surface& s, Materials& m) { Scene(s, m, 30, 0x404040); }, all},
        {"written outside the draws", kStill,
         [](Surface& s, Materials& m) {
             Scene(s, m, 30);
             s.setPixel(0, 0, 0);
         },
         all},
        {"nothing covers all", kAdding, kAdding, all},
        {"the first frame", kNothing, kStill, all},
    };
    const platform::PixelFormat format = platform::PixelFormat::ForDepth(32);
    for (const DamageCase& c : cases) {
        Materials m(format);
        Surface target(kWidth, kHeight, format);
        target.recordFrames();
        c.last(target, m);
        target.finishFrame();
        c.next(target, m);
        EXPECT_EQ(target.finishFrame(), c.changed) << c.what;
    }
}

// A game that stops presenting keeps drawing: what its frame keeps stays bounded, and
// every draw is done once, in order.
TEST(DrawListBound, AFrameNeverFinishedKeepsNoMoreThanItsCap) {
    Surface target(kWidth, kHeight, platform::PixelFormat::ForDepth(32));
    platform::DrawList list(target);
    std::vector<std::size_t> done;
    const std::size_t count = 3 * platform::DrawList::kMaxDraws + 5;
    std::size_t most = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const auto draw = [&done, i](Surface&, const Rect&) { done.push_back(i); };
        ASSERT_TRUE(list.defer(platform::DrawKey('t').add(i), target.bounds(), draw));
        most = std::max(most, list.size());
    }
    EXPECT_EQ(most, platform::DrawList::kMaxDraws);
    EXPECT_EQ(list.finishFrame(), target.bounds());
    ASSERT_EQ(done.size(), count);
    for (std::size_t i = 0; i < count; ++i) ASSERT_EQ(done[i], i);
}

// A headless display at 32 bits with the scenes' materials in its format.
struct DrawList : testing::Test {
    void SetUp() override {
        ASSERT_EQ(
            display.createContext({platform::kLevelDefault, kWidth, kHeight, 32, false}, context),
            platform::DD_OK);
        materials = std::make_unique<Materials>(context->backBuffer->format());
    }
    platform::HeadlessDisplay display;
    std::unique_ptr<platform::DisplayContext> context;
    std::unique_ptr<Materials> materials;
};

TEST_F(DrawList, AStillFrameTouchesNoPixelAndPresentsNothingNew) {
    Materials& m = *materials;
    int composed = 0;
    display.onCompose = [&composed](const std::vector<std::uint32_t>&, int) { ++composed; };
    Surface& back = *context->backBuffer;
    const auto frame = [&] {
        ASSERT_EQ(display.clear(*context), platform::DD_OK);
        Scene(back, m, 30);
        ASSERT_EQ(display.present(*context), platform::DD_OK);
    };
    frame();
    const std::vector<std::uint32_t> first = display.frame();
    const std::uint64_t backVersion = back.version(), primaryVersion = context->primary->version();
    frame();
    EXPECT_EQ(back.version(), backVersion);
    EXPECT_EQ(context->primary->version(), primaryVersion);
    EXPECT_EQ(display.presents(), 2);
    EXPECT_EQ(composed, 2) << "the still frame is recorded as presented";
    EXPECT_EQ(display.frame(), first);

    // Text on the primary itself is covered again by the next frame, still or not.
    context->primary->fill({0, 0, 8, 8}, 0xFFFFFF);
    frame();
    EXPECT_EQ(back.version(), backVersion);
    EXPECT_EQ(display.frame(), first);

    // After the surfaces came back the frame is drawn again.
    display.loseEverything();
    EXPECT_EQ(display.present(*context), platform::DDERR_SURFACELOST);
    ASSERT_EQ(display.restoreAllSurfaces(), platform::DD_OK);
    frame();
    EXPECT_NE(back.version(), backVersion);
    EXPECT_EQ(display.frame(), first);
}

TEST_F(DrawList, AFrameThatNeverReachedThePrimaryIsDrawnNextTime) {
    Materials& m = *materials;
    Surface& back = *context->backBuffer;
    Scene(back, m, 30);
    ASSERT_EQ(display.present(*context), platform::DD_OK);
    Scene(back, m, 31);
    context->primary->markLost();
    EXPECT_EQ(display.present(*context), platform::DDERR_SURFACELOST);
    context->primary->restore();
    Scene(back, m, 31);
    ASSERT_EQ(display.present(*context), platform::DD_OK);
    EXPECT_EQ(context->primary->toXrgb(), back.toXrgb());
    EXPECT_NE(context->primary->toXrgb(), std::vector<std::uint32_t>(kWidth * kHeight, 0));
    EXPECT_EQ(display.frame(), back.toXrgb());
}

// A still frame read in its middle has its draws done though the picture stays; the
// next frame, read by nothing but the present, is drawn from its own first draw on.
TEST_F(DrawList, AFrameAfterAStillFrameReadInItsMiddleIsDrawnWhole) {
    Materials& m = *materials;
    Surface& back = *context->backBuffer;
    Scene(back, m, 30);
    ASSERT_EQ(display.present(*context), platform::DD_OK);
    Scene(back, m, 30);
    platform::ColorRef color = 0;
    ASSERT_EQ(back.getPixel(0, 0, color), platform::DD_OK);
    ASSERT_EQ(display.present(*context), platform::DD_OK);
    Scene(back, m, 34);
    ASSERT_EQ(display.present(*context), platform::DD_OK);

    Surface immediate(kWidth, kHeight, back.format());
    Materials im(immediate.format());
    Scene(immediate, im, 34);
    EXPECT_EQ(context->primary->toXrgb(), immediate.toXrgb());
    EXPECT_EQ(display.frame(), immediate.toXrgb());
}
