#include <cstdio>

#include "extras/BGM_DATA.h"
#include "game/GameContext.h"
#include "graphics/ZKSPRITE.h"

namespace {

using platform::Rect;

constexpr const char* kTag = "BGM_DATA::Draw";
constexpr int kBackBuffer = -1;
constexpr int kSurfaceBack = 23;
constexpr int kSurfaceMaterial = 24;
constexpr Rect kBar{1, 0, 369, 26};
constexpr Rect kCommentBox{20, 481, 650, 577};
constexpr std::int32_t kShadowOffset = 2;

constexpr int kTextHeight = 24;
constexpr int kTextWeight = 700;
// Whole words wrapped onto the lines of the box.
constexpr std::uint32_t kWordBreak = 16;
// COLORREF.
constexpr std::uint32_t kShadow = 0x404040;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kGrey = 0x808080;

}  // namespace

// A failed blit is logged and the rest is still drawn.
std::int32_t BGM_DATA::Draw() {
    if (nInitFlg == 0) return 1;
    ZKSPRITE& sprite = *pContext->pSprite;
    drawLatch_.Check(kTag, sprite.DDBlt(kSurfaceBack, 0, 0, 0));
    DrawButtons();
    const Rect& selected = MusicRoomControl(MusicRowId(nSelectNo)).rcHit;
    drawLatch_.Check(kTag, sprite.DDBltRange(kSurfaceMaterial, selected.left, selected.top,
                                             kBar.left, kBar.top, kBar.right, kBar.bottom, 1));
    if (SlideMark.nSlideFlg != 0) {
        const Rect& part = SlideMark.rcSrc;
        drawLatch_.Check(kTag, sprite.DDBltRange(kSurfaceMaterial, SlideMark.DrawX(), SlideMark.nY,
                                                 part.left, part.top, part.right, part.bottom, 1));
    }
    DrawRows();
    DrawComment();
    return 1;
}

// The hover look is drawn a pixel higher; Play shows its inactive look while music
// plays, whatever its state.
void BGM_DATA::DrawButtons() {
    ZKSPRITE& sprite = *pContext->pSprite;
    const bool bPlaying = MusicPlaying();
    for (std::int32_t id = MUSIC_PLAY; id <= MUSIC_EXIT; ++id) {
        const MUSIC_ROOM_CONTROL& control = MusicRoomControl(id);
        const std::int32_t look =
            id == MUSIC_PLAY && bPlaying ? MUSIC_LOOK_INACTIVE : nBtnState[id - 1];
        const Rect& cell = control.rcCell[static_cast<std::size_t>(look)];
        const std::int32_t y = control.rcHit.top - (look == MUSIC_LOOK_HOVER ? 1 : 0);
        drawLatch_.Check(kTag,
                         sprite.DDBltRange(kSurfaceMaterial, control.rcHit.left, y, cell.left,
                                           cell.top, cell.right, cell.bottom, 0),
                         id);
    }
}

// Each row's number and title over its shadow: white for the selected track and the
// row under the pointer, grey for the others.
void BGM_DATA::DrawRows() {
    ZKSPRITE& sprite = *pContext->pSprite;
    for (std::int32_t track = 1; track <= kMusicTracks; ++track) {
        const std::int32_t id = MusicRowId(track);
        const Rect& row = MusicRoomControl(id).rcHit;
        char text[100] = {};
        std::snprintf(text, sizeof text, "%.2d:%s", track, BgmData[track - 1].szTitle);
        sprite.DDTextOutLock(row.left + kShadowOffset, row.top + kShadowOffset, text, kShadow,
                             kTextHeight, kTextWeight);
        const std::uint32_t color = track == nSelectNo || id == nSelectId ? kWhite : kGrey;
        sprite.DDTextOutLock(row.left, row.top, text, color, kTextHeight, kTextWeight);
    }
    sprite.DDTextOutUnlock();
}

void BGM_DATA::DrawComment() {
    ZKSPRITE& sprite = *pContext->pSprite;
    const char* comment = BgmData[nSelectNo - 1].szComment;
    const Rect shadow{kCommentBox.left + kShadowOffset, kCommentBox.top + kShadowOffset,
                      kCommentBox.right + kShadowOffset, kCommentBox.bottom + kShadowOffset};
    sprite.DDTextOutRange(kBackBuffer, &shadow, comment, kShadow, kTextHeight, -1, kTextWeight,
                          kWordBreak);
    sprite.DDTextOutRange(kBackBuffer, &kCommentBox, comment, kWhite, kTextHeight, -1, kTextWeight,
                          kWordBreak);
}
