#include <string>

#include "game/GameContext.h"
#include "graphics/ZKSPRITE.h"
#include "platform/text/Cp932.h"
#include "platform/text/TextLayout.h"
#include "windows/CONFIG_DATA.h"
#include "windows/WindowLog.h"

namespace {

using platform::Rect;

constexpr const char* kTag = "CONFIG_DATA::Draw";
constexpr int kBackBuffer = -1;
constexpr int kTextHeight = 24;
constexpr int kTextWeight = 700;
constexpr int kShadowOffset = 2;

constexpr Rect kPanel{0, 0, 672, 416};
constexpr Rect kUnavailable{432, 416, 582, 440};
constexpr Rect kBox{396, 464, 748, 644};
// The box is scaled about this screen point.
constexpr std::int32_t kBoxCentreX = 400;
constexpr std::int32_t kBoxCentreY = 302;
constexpr Rect kMessageRect{240, 258, 580, 333};
constexpr std::int32_t kTextY = 343;
constexpr std::int32_t kYesX = 329;
constexpr std::int32_t kSlashX = 377;
constexpr std::int32_t kNoX = 400;

// COLORREF, blue in the high byte: white, yellow, red.
constexpr std::uint32_t kShadow = 0x404040;
constexpr std::uint32_t kItemColours[] = {0xFFFFFF, 0x00FFFF, 0x0000FF};

std::string Cp932(std::u8string_view utf8) { return platform::utf8ToCp932(utf8).value_or(""); }

struct BOX_TEXTS {
    std::string message =
        Cp932(u8"このままタイトルへ戻ると、\n設定内容は無効になります。\nよろしいですか？");
    std::string yes = Cp932(u8"はい");
    std::string slash = Cp932(u8"／");
    std::string no = Cp932(u8"いいえ");
};

const BOX_TEXTS& Texts() {
    static const BOX_TEXTS texts;
    return texts;
}

std::uint32_t ItemColour(std::int32_t nState) {
    return nState >= 0 && nState <= 2 ? kItemColours[nState] : kItemColours[0];
}

// A short text with its shadow first.
void Shadowed(ZKSPRITE& sprite, std::int32_t nX, const std::string& text, std::uint32_t dwColor) {
    sprite.DDTextOutLock(nX + kShadowOffset, kTextY + kShadowOffset, text.c_str(), kShadow,
                         kTextHeight, kTextWeight);
    sprite.DDTextOutLock(nX, kTextY, text.c_str(), dwColor, kTextHeight, kTextWeight);
}

}  // namespace

SLIDE_FIELDS CONFIG_DATA::Slide() { return {nInitFlg, nDispFlg, nSlideFlg, nX, nY, fAngle}; }

std::int32_t CONFIG_DATA::WindowOpen(std::uint32_t dwStep) {
    return SlideOpen(SlideRow(SLIDE_WINDOW::Config), dwStep, Slide());
}

// After a confirmed return to the title the flag still holds the shrunk box's 3, so
// the slide goes on from where the panel stands without starting again.
std::int32_t CONFIG_DATA::WindowClose(std::uint32_t dwStep) {
    return SlideClose(SlideRow(SLIDE_WINDOW::Config), dwStep, Slide());
}

std::int32_t CONFIG_DATA::Draw(std::uint32_t nInGame) {
    if (nInitFlg == 0 || nDispFlg == 0) return 1;
    WindowBlt(drawLatch_, kTag, pContext->pSprite, kSurface, kPanel, nX, nY, 0, CallSite::Here());
    for (const CONFIG_CONTROL& control : ConfigControls()) {
        switch (control.kind) {
            case CONFIG_KIND::Ok:
                DrawButton(control, nOkBtnState);
                break;
            case CONFIG_KIND::Title:
                if (nInGame != 0) DrawButton(control, nTitleBtnState);
                break;
            case CONFIG_KIND::Yes:
            case CONFIG_KIND::No:
                break;
            default:
                DrawControl(control);
                break;
        }
    }
    DrawBox();
    return 1;
}

bool CONFIG_DATA::Selected(const CONFIG_CONTROL& control) const {
    const std::int32_t value = nValue[control.setting];
    if (control.kind == CONFIG_KIND::HighColour) return value == 1 || value == 2;
    return value == control.nValue;
}

// An option shows only selected or under the pointer: the panel has its normal look.
// The selected level always shows, from its off band while the row is switched off,
// where the pointer brings out no other level.
void CONFIG_DATA::DrawControl(const CONFIG_CONTROL& control) {
    if (control.kind == CONFIG_KIND::HighColour && nDisplayBits <= 16) {
        Blt(kUnavailable, control.nDrawX, control.nDrawY);
        return;
    }
    const bool level = control.kind == CONFIG_KIND::Level;
    const bool switchedOff = level && nValue[control.gate] == 0;
    if (Selected(control)) {
        Blt(control.rcLook[switchedOff ? CONFIG_LOOK_REST : CONFIG_LOOK_ACTIVE], control.nDrawX,
            control.nDrawY);
    } else if (nCursorId == control.nId && !switchedOff) {
        Blt(control.rcLook[CONFIG_LOOK_HOVER], control.nDrawX, control.nDrawY);
    }
}

void CONFIG_DATA::DrawButton(const CONFIG_CONTROL& control, std::int32_t nState) {
    const int look = nState == 0 || nState == 1 ? nState : CONFIG_LOOK_ACTIVE;
    Blt(control.rcLook[look], control.nDrawX, control.nDrawY);
}

// The box grows and shrinks without its texts; they stand only while it is up.
void CONFIG_DATA::DrawBox() {
    if (nSlideFlg < kBoxGrowing || nSlideFlg > kBoxShrinking || fConfirmScale <= 0.0f) return;
    ZKSPRITE& sprite = *pContext->pSprite;
    sprite.DDBltScale(kSurface, kBoxCentreX, kBoxCentreY, kBox.left, kBox.top, kBox.right,
                      kBox.bottom, fConfirmScale, fConfirmScale, 1);
    if (nSlideFlg != kBoxUp) return;
    const BOX_TEXTS& texts = Texts();
    const Rect shadow{kMessageRect.left + kShadowOffset, kMessageRect.top + kShadowOffset,
                      kMessageRect.right + kShadowOffset, kMessageRect.bottom + kShadowOffset};
    sprite.DDTextOutRange(kBackBuffer, &shadow, texts.message.c_str(), kShadow, kTextHeight, -1,
                          kTextWeight, platform::TextLayout::kWordBreak);
    sprite.DDTextOutRange(kBackBuffer, &kMessageRect, texts.message.c_str(), kItemColours[0],
                          kTextHeight, -1, kTextWeight, platform::TextLayout::kWordBreak);
    Shadowed(sprite, kSlashX, texts.slash, kItemColours[0]);
    Shadowed(sprite, kYesX, texts.yes, ItemColour(nYesState));
    Shadowed(sprite, kNoX, texts.no, ItemColour(nNoState));
    sprite.DDTextOutUnlock();
}

void CONFIG_DATA::Blt(const Rect& rcCell, std::int32_t nDrawX, std::int32_t nDrawY) {
    pContext->pSprite->DDBltRange(kSurface, nX + nDrawX, nY + nDrawY, rcCell.left, rcCell.top,
                                  rcCell.right, rcCell.bottom, 1);
}
