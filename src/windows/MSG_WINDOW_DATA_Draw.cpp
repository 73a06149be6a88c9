#include <cstring>
#include <utility>

#include "game/GameContext.h"
#include "graphics/ZKSPRITE.h"
#include "platform/text/SjisText.h"
#include "platform/text/TextLayout.h"
#include "windows/MSG_WINDOW_DATA.h"
#include "windows/WindowLog.h"

namespace {

using platform::Rect;

constexpr const char* kTag = "MSG_WINDOW_DATA::Draw";
constexpr int kBackBuffer = -1;
constexpr std::uint32_t kShadowColor = 0x404040;
constexpr std::uint32_t kLineColor = 0xFFFFFF;
constexpr std::uint32_t kBackLogColor = 0xB4B4B4;
constexpr int kTextWeight = 700;
constexpr int kNameWeight = 400;
constexpr int kNameHeight = 24;
constexpr int kShadowOffset = 2;

// Cells of the window's material.
constexpr Rect kPanel{0, 0, 796, 148};
constexpr Rect kNamePlate{796, 0, 1056, 50};
constexpr std::int32_t kButtonColumn = 796;
constexpr std::int32_t kButtonWidth = 32;
constexpr std::int32_t kHoverWidth = 64;
constexpr std::int32_t kButtonHeight = 24;
constexpr std::int32_t kHoverHeight = 26;
constexpr std::int32_t kNormalRow = 50;
constexpr std::int32_t kPressRow = 74;
constexpr std::int32_t kDisableRow = 98;
constexpr std::int32_t kHoverRow = 122;
constexpr std::int32_t kWaitMarkLeft = 988;
constexpr std::int32_t kWaitMarkTop = 50;
constexpr std::int32_t kWaitMarkWidth = 30;
constexpr std::int32_t kWaitMarkHeight = 46;

// Places on the panel; a hovered cell starts this far left of its button.
constexpr std::int32_t kHoverShift = 17;
constexpr Rect kTextBox{18, 39, 782, 140};
constexpr std::int32_t kPlateX = 3;
constexpr std::int32_t kPlateY = -27;
constexpr std::int32_t kNameCentre = 133;
constexpr std::int32_t kNameY = -14;
// Half a name's bytes times this is half its width.
constexpr std::int32_t kNameCharWidth = 12;
constexpr std::int32_t kWaitMarkX = 750;
constexpr std::int32_t kWaitMarkY = 88;

// Drawn in this order, so that a hovered button's wide cell lies over its neighbours.
enum BUTTON_CELL : std::uint32_t { CELL_DISABLE, CELL_NORMAL, CELL_PRESS, CELL_HOVER };

Rect Moved(const Rect& rc, std::int32_t dx, std::int32_t dy) {
    return {rc.left + dx, rc.top + dy, rc.right + dx, rc.bottom + dy};
}

}  // namespace

std::uint32_t MSG_WINDOW_DATA::Draw() {
    if (nInitFlg == 0 || nOpenFlg == 0) return 1;
    Blt(kPanel, nX, nY);
    DrawButtons();
    if (nBackLogNo >= 0) {
        const MSG_DATA& entry = BackLog[nBackLogNo];
        DrawLine(entry, -1, kBackLogColor);
        DrawName(entry.szName, kBackLogColor);
        return 1;
    }
    // A count that would end inside a two-byte character shows the whole characters
    // before it; a count past the text, or -1, shows all of it.
    const std::string_view text = MsgData.szText;
    DrawLine(MsgData, platform::SjisTypedCount(text, nDispByte), kLineColor);
    DrawName(MsgData.szName, kLineColor);
    const bool bComplete = nDispByte == -1 || static_cast<std::size_t>(nDispByte) >= text.size();
    if (!text.empty() && bComplete) DrawWaitMark();
    return 1;
}

// Skip and auto show their toggle by the pressed cell; the voice button cannot
// replay an empty line. A state the bar never sets draws as normal.
std::uint32_t MSG_WINDOW_DATA::ButtonCell(int nButton) const {
    if (nButton == MSG_BUTTON_VOICE && MsgData.szText[0] == '\0') return CELL_DISABLE;
    switch (nButtonState[nButton]) {
        case kButtonDisable:
            return CELL_DISABLE;
        case kButtonHover:
            return CELL_HOVER;
        case kButtonPress:
            return CELL_PRESS;
        default:
            break;
    }
    const bool bToggled = (nButton == MSG_BUTTON_SKIP && nSkipFlg != 0) ||
                          (nButton == MSG_BUTTON_AUTO && nAutoFlg != 0);
    return bToggled ? CELL_PRESS : CELL_NORMAL;
}

void MSG_WINDOW_DATA::DrawButtons() {
    for (const std::uint32_t pass : {CELL_DISABLE, CELL_NORMAL, CELL_PRESS, CELL_HOVER}) {
        for (int i = 0; i < MSG_BUTTON_COUNT; ++i) {
            if (ButtonCell(i) != pass) continue;
            const Rect button = ButtonRect(i);
            if (pass == CELL_HOVER) {
                const std::int32_t left = kButtonColumn + kHoverWidth * i;
                Blt({left, kHoverRow, left + kHoverWidth, kHoverRow + kHoverHeight},
                    button.left - kHoverShift, button.top, i);
                continue;
            }
            const std::int32_t rows[] = {kDisableRow, kNormalRow, kPressRow};
            const std::int32_t left = kButtonColumn + kButtonWidth * i;
            const std::int32_t top = rows[pass];
            Blt({left, top, left + kButtonWidth, top + kButtonHeight}, button.left, button.top, i);
        }
    }
}

void MSG_WINDOW_DATA::DrawLine(const MSG_DATA& line, std::int32_t nCount, std::uint32_t dwColor) {
    const auto height = static_cast<int>(line.nFontSize);
    const Rect box = Moved(kTextBox, nX, nY);
    const Rect shadow = Moved(box, kShadowOffset, kShadowOffset);
    int nItem = 0;
    for (const auto& [rc, color] : {std::pair{shadow, kShadowColor}, std::pair{box, dwColor}}) {
        drawLatch_.Check(
            kTag,
            pContext->pSprite->DDTextOutRange(kBackBuffer, &rc, line.szText, color, height, nCount,
                                              kTextWeight, platform::TextLayout::kWordBreak),
            nItem++);
    }
}

void MSG_WINDOW_DATA::DrawName(const char* szName, std::uint32_t dwColor) {
    if (szName[0] == '\0') return;
    Blt(kNamePlate, nX + kPlateX, nY + kPlateY);
    const auto nHalf = static_cast<std::int32_t>(std::strlen(szName) / 2);
    const std::int32_t x = nX + kNameCentre - nHalf * kNameCharWidth;
    const std::int32_t y = nY + kNameY;
    drawLatch_.Check(kTag,
                     pContext->pSprite->DDTextOut(kBackBuffer, x + kShadowOffset, y + kShadowOffset,
                                                  szName, kShadowColor, kNameHeight, kNameWeight));
    drawLatch_.Check(kTag, pContext->pSprite->DDTextOut(kBackBuffer, x, y, szName, dwColor,
                                                        kNameHeight, kNameWeight));
}

void MSG_WINDOW_DATA::DrawWaitMark() {
    const auto left = kWaitMarkLeft + kWaitMarkWidth * static_cast<std::int32_t>(WaitMark.nAnimNo);
    Blt({left, kWaitMarkTop, left + kWaitMarkWidth, kWaitMarkTop + kWaitMarkHeight},
        nX + kWaitMarkX, nY + kWaitMarkY);
}

void MSG_WINDOW_DATA::Blt(const Rect& rcCell, std::int32_t nDestX, std::int32_t nDestY, int nItem,
                          CallSite site) {
    WindowBlt(drawLatch_, kTag, pContext->pSprite, kSurface, rcCell, nDestX, nDestY, nItem, site);
}
