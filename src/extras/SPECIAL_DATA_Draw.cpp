#include <array>
#include <string>
#include <string_view>

#include "extras/SPECIAL_DATA.h"
#include "game/GameContext.h"
#include "graphics/ZKSPRITE.h"
#include "platform/text/Cp932.h"

namespace {

using platform::Rect;

constexpr const char* kTag = "SPECIAL_DATA::Draw";
constexpr int kBackBuffer = -1;
constexpr int kSurfaceBack = 19;
constexpr int kSurfaceMaterial = 20;

struct HOVER_PICTURE {
    Rect rcSource;
    std::int32_t nX;
    std::int32_t nY;
    int bColorKey;
    // The picture flag under which it is drawn.
    std::int32_t nShownFlg;
};

// By button id - 1.
constexpr HOVER_PICTURE kHoverPictures[SPECIAL_DATA::kButtonCount] = {
    {{160, 208, 408, 376}, 224, 432, 0, 1},
    {{0, 0, 160, 136}, 584, 320, 1, 1},
    {{160, 0, 448, 208}, 256, 16, 0, SPECIAL_DATA::kTitlePictureShown},
    {{0, 136, 80, 264}, 124, 367, 0, 1},
};

// The glow strips: resting, then the two blink frames of a chosen button.
constexpr std::int32_t kStripLeft = 160;
constexpr std::int32_t kStripRight = 434;
constexpr std::int32_t kStripHeight = 50;
constexpr std::int32_t kGlowTop = 376;
constexpr std::int32_t kBlinkTop = 426;

constexpr int kLabelHeight = 24;
constexpr int kLabelWeight = 700;
// Centred both ways on a single line.
constexpr std::uint32_t kCentredLine = 37;
// COLORREF.
constexpr std::uint32_t kWhite = 0xFFFFFF;

// By button id - 1, in CP932, converted once.
const std::string& Label(int nIndex) {
    using Labels = std::array<std::string, SPECIAL_DATA::kButtonCount>;
    static const Labels labels = [] {
        constexpr std::u8string_view kUtf8[] = {u8"ＣＧ／回想モード", u8"ＢＧＭモード",
                                                u8"タイトルへ戻る", u8"ドレスルーム"};
        Labels cp932;
        for (std::size_t k = 0; k < cp932.size(); ++k) {
            cp932[k] = platform::utf8ToCp932(kUtf8[k]).value_or("");
        }
        return cp932;
    }();
    return labels[static_cast<std::size_t>(nIndex)];
}

}  // namespace

// Only the background's failure is reported; the pictures over it are drawn as they
// can be.
std::int32_t SPECIAL_DATA::Draw() {
    if (nInitFlg == 0) return 1;
    ZKSPRITE& sprite = *pContext->pSprite;
    drawLatch_.Check(kTag, sprite.DDBlt(kSurfaceBack, 0, 0, 0));
    for (int k = 0; k < kButtonCount; ++k) {
        const HOVER_PICTURE& picture = kHoverPictures[k];
        if (nPictureFlg[k] != picture.nShownFlg) continue;
        const Rect& source = picture.rcSource;
        sprite.DDBltRange(kSurfaceMaterial, picture.nX, picture.nY, source.left, source.top,
                          source.right, source.bottom, picture.bColorKey);
    }
    const int buttons = ButtonsInPlay();
    for (int k = 0; k < buttons; ++k) DrawButton(Button[k], k);
    return 1;
}

// The glow grows with the strength around the button's centre; the label shows
// only at full strength.
void SPECIAL_DATA::DrawButton(const SPECIAL_BUTTON_DATA& button, int nIndex) {
    const float strength = button.fHighlight;
    if (strength <= 0.0f) return;
    ZKSPRITE& sprite = *pContext->pSprite;
    const std::int32_t top =
        button.nClickFlg != 0
            ? kBlinkTop + kStripHeight * static_cast<std::int32_t>(button.AnimData.nAnimNo)
            : kGlowTop;
    sprite.DDBltScale(kSurfaceMaterial, button.nX, button.nY, kStripLeft, top, kStripRight,
                      top + kStripHeight, strength, strength, 1);
    if (strength < 1.0f) return;
    const Rect area{button.nX - 124, button.nY - 12, button.nX + 124, button.nY + 11};
    sprite.DDTextOutRange(kBackBuffer, &area, Label(nIndex).c_str(), kWhite, kLabelHeight, -1,
                          kLabelWeight, kCentredLine);
}
