#include <optional>

#include "game/GAMEMAIN.h"
#include "platform/input/VirtualKeys.h"
#include "platform/video/Rect.h"
#include "system/ZKSYSTEM.h"

namespace {

struct POINT_XY {
    std::int32_t x;
    std::int32_t y;
};

// Where the arrow keys can put the pointer: the message window's six bar buttons
// (the first one's rectangle relative to the window, then one pitch to the right
// each), the choice plates' tops for one, two and three plates, and the rest point
// just above the message window.
constexpr struct {
    platform::Rect rcFirstButton;
    std::int32_t nButtonPitch;
    std::uint32_t nButtonNum;
    std::int32_t nPlateLeft;
    std::int32_t nPlateWidth;
    std::int32_t nPlateHeight;
    std::int32_t nPlateTop[SELECT_WINDOW_COLLECT_DATA::kMaxPlates]
                          [SELECT_WINDOW_COLLECT_DATA::kMaxPlates];
    POINT_XY ptRest;
} kTargets = {{553, 9, 585, 33}, 39, 6, 263, 274, 50, {{263}, {227, 299}, {199, 263, 327}},
              {400, 410}};

// What the keys judge from, read once on entry. A plate count outside the table is
// no choices up (0), a hovered plate outside the count none (-1), so no state can
// send the pointer to a target the table does not hold.
struct HOVER_STATE {
    std::int32_t nWndX;
    std::int32_t nWndY;
    std::uint32_t nButton;
    std::int32_t nPlates;
    std::int32_t nPlate;
};

POINT_XY Centre(const platform::Rect& rc) {
    return {rc.left + (rc.right - rc.left) / 2, rc.top + (rc.bottom - rc.top) / 2};
}

// Bar button k, counted from 1.
POINT_XY Button(const HOVER_STATE& s, std::uint32_t k) {
    const platform::Rect& rc = kTargets.rcFirstButton;
    const std::int32_t dx = s.nWndX + kTargets.nButtonPitch * static_cast<std::int32_t>(k - 1);
    return Centre({rc.left + dx, rc.top + s.nWndY, rc.right + dx, rc.bottom + s.nWndY});
}

POINT_XY Plate(const HOVER_STATE& s, std::int32_t i) {
    const std::int32_t top = kTargets.nPlateTop[s.nPlates - 1][i];
    return Centre({kTargets.nPlateLeft, top, kTargets.nPlateLeft + kTargets.nPlateWidth,
                   top + kTargets.nPlateHeight});
}

// With no choices up, UP and DOWN alternate between the first button and the rest point.
POINT_XY NoChoiceMove(const HOVER_STATE& s) {
    return s.nButton != 0 ? kTargets.ptRest : Button(s, 1);
}

std::optional<POINT_XY> LeftMove(const HOVER_STATE& s) {
    if (s.nButton > kTargets.nButtonNum) return std::nullopt;
    if (s.nButton == 0) return Button(s, 1);
    return Button(s, s.nButton == 1 ? kTargets.nButtonNum : s.nButton - 1);
}

std::optional<POINT_XY> RightMove(const HOVER_STATE& s) {
    if (s.nButton > kTargets.nButtonNum) return std::nullopt;
    return Button(s, s.nButton % kTargets.nButtonNum + 1);
}

std::optional<POINT_XY> UpMove(const HOVER_STATE& s) {
    if (s.nPlates == 0) return NoChoiceMove(s);
    if (s.nPlate == 0) return Button(s, 1);
    if (s.nPlate > 0) return Plate(s, s.nPlate - 1);
    return Plate(s, s.nButton != 0 ? s.nPlates - 1 : 0);
}

std::optional<POINT_XY> DownMove(const HOVER_STATE& s) {
    if (s.nPlates == 0) return NoChoiceMove(s);
    if (s.nPlate == s.nPlates - 1) return Button(s, 1);
    if (s.nPlate >= 0) return Plate(s, s.nPlate + 1);
    return Plate(s, 0);
}

// Judged in this order in one frame, so that when several keys are released
// together the last move wins.
constexpr struct {
    int vk;
    std::optional<POINT_XY> (*pMove)(const HOVER_STATE&);
} kKeys[] = {{platform::VK_LEFT, LeftMove},
             {platform::VK_RIGHT, RightMove},
             {platform::VK_UP, UpMove},
             {platform::VK_DOWN, DownMove}};

HOVER_STATE ReadHover(const MSG_WINDOW_DATA& msg, const SELECT_WINDOW_COLLECT_DATA& slc) {
    HOVER_STATE s{msg.nX, msg.nY, msg.nHoverButton, 0, -1};
    if (slc.SlcWnd[0].nDispFlg != 0 && slc.nNum >= 1 &&
        slc.nNum <= SELECT_WINDOW_COLLECT_DATA::kMaxPlates) {
        s.nPlates = slc.nNum;
        if (slc.nHover >= 0 && slc.nHover < slc.nNum) s.nPlate = slc.nHover;
    }
    return s;
}

}  // namespace

// Places the pointer only; the windows' own hover tests see it there.
std::int32_t GAMEMAIN::ADVKeyCursorMove() {
    if (nMsgWndDispFlg == 0 || MsgWindowData.nOpenFlg == 0) return 1;
    const HOVER_STATE s = ReadHover(MsgWindowData, SelectWindowData);
    std::optional<POINT_XY> target;
    for (const auto& key : kKeys) {
        if (pSystem->GetVKeyStatus(key.vk) != KEY_STATE_RELEASED) continue;
        if (const std::optional<POINT_XY> move = key.pMove(s)) target = move;
    }
    if (target) pSystem->SetMousePos(target->x, target->y);
    return 1;
}
