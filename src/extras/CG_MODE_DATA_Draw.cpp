#include <cstdio>
#include <string>
#include <string_view>

#include "extras/CG_MODE_DATA.h"
#include "game/GameContext.h"
#include "graphics/ZKSPRITE.h"
#include "platform/text/Cp932.h"

namespace {

using platform::Rect;

constexpr const char* kTag = "CG_MODE_DATA::Draw";
constexpr int kBackBuffer = -1;
constexpr int kSurfaceBack = 30;
constexpr int kSurfaceMaterial = 31;
constexpr Rect kPlates[] = {{1, 0, 157, 118}, {157, 0, 477, 118}};
constexpr Rect kIdleTab{1, 118, 175, 168};

// A button's looks one under the other from the top of its column: normal, hover,
// pressed and, for the kind buttons, selected.
constexpr std::int32_t kLooksTop = 418;
constexpr std::int32_t kLookHeight = 32;
constexpr std::int32_t kLookHover = 1;
constexpr std::int32_t kLookSelected = 3;
struct BUTTON_COLUMN {
    std::int32_t nId;
    std::int32_t nSourceLeft;
    std::int32_t nWidth;
};
constexpr BUTTON_COLUMN kPrevColumn{GALLERY_PREV, 361, 32};
constexpr BUTTON_COLUMN kNextColumn{GALLERY_NEXT, 393, 32};
constexpr BUTTON_COLUMN kCGColumn{GALLERY_CG, 1, 120};
constexpr BUTTON_COLUMN kReplayColumn{GALLERY_REPLAY, 121, 120};
constexpr BUTTON_COLUMN kBackColumn{GALLERY_BACK, 241, 120};

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kGrey = 0xA3A3A3;
constexpr std::uint32_t kShadow = 0x1E1E1E;
constexpr int kBold = 700;
constexpr int kPageHeight = 18;
constexpr int kNameHeight = 22;
constexpr int kSubtitleHeight = 8;
constexpr int kTitleHeight = 14;
constexpr int kTitleWeight = 400;
// Centred, vertically centred, one line.
constexpr std::uint32_t kCentredLine = 37;

struct TAB_TEXT {
    const char* szName;
    std::int32_t nNameX;
    std::u8string_view subtitle;
    std::int32_t nSubtitleX;
};
constexpr TAB_TEXT kTabTexts[kGalleryHeroines] = {
    {"Quiravel", 81, u8"-クィラヴェル-", 94},
    {"Dulcane", 263, u8"-ドゥルカーネ-", 278},
    {"Ombrea", 457, u8"-オンブレア-", 471},
    {"Ysma", 650, u8"-イスマ-", 655},
};
constexpr std::int32_t kNameY = 492;
constexpr std::int32_t kSubtitleY = 512;

const std::string& Subtitle(std::size_t nTab) {
    static const auto subtitles = [] {
        std::array<std::string, kGalleryHeroines> texts;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            texts[i] = platform::utf8ToCp932(kTabTexts[i].subtitle).value_or(std::string());
        }
        return texts;
    }();
    return subtitles[nTab];
}

// The animation's current frame on the material.
const Rect& Frame(const GRAPHIC_DATA_EX& anim) { return anim.prcAnim[anim.AnimData.nAnimNo]; }

}  // namespace

std::int32_t CG_MODE_DATA::Draw() {
    if (nInitFlg == 0) return 1;
    ZKSPRITE& sprite = *pContext->pSprite;
    if (nCGDispFlg == 1) {
        drawLatch_.Check(kTag, sprite.DDBlt(nCGSurfNo, 0, 0, 0));
        return 1;
    }
    drawLatch_.Check(kTag, sprite.DDBlt(kSurfaceBack, 0, 0, 0));
    DrawCells();
    if (nKind == kGalleryKindReplay) DrawTitles();
    DrawPageText();
    DrawTabs();
    DrawTabNames();
    DrawButtons();
    return 1;
}

// A thumbnail or the locked plate; the cursor over the cell the pointer rests on.
void CG_MODE_DATA::DrawCells() {
    ZKSPRITE& sprite = *pContext->pSprite;
    const auto cells = GalleryCells(nKind);
    const Rect& plate = kPlates[nKind];
    const GRAPHIC_DATA_EX& cursor = nKind == kGalleryKindCG ? TbCG : TbRP;
    for (std::int32_t i = 0; i < nPageItemNum && i < static_cast<std::int32_t>(cells.size()); ++i) {
        const Rect& cell = cells[static_cast<std::size_t>(i)];
        if (Item[i].nOpen == 1) {
            sprite.DDBlt(Item[i].nTbSurfNo, cell.left, cell.top, 0);
        } else {
            sprite.DDBltRange(kSurfaceMaterial, cell.left, cell.top, plate.left, plate.top,
                              plate.right, plate.bottom, 0);
        }
        if (nSelectId != GALLERY_CELL + i) continue;
        const Rect& frame = Frame(cursor);
        sprite.DDBltRange(kSurfaceMaterial, cell.left, cell.top, frame.left, frame.top, frame.right,
                          frame.bottom, 1);
    }
}

void CG_MODE_DATA::DrawTitles() {
    ZKSPRITE& sprite = *pContext->pSprite;
    const auto cells = GalleryCells(nKind);
    for (std::int32_t i = 0; i < nPageItemNum && i < static_cast<std::int32_t>(cells.size()); ++i) {
        if (Item[i].nOpen != 1 || Item[i].szTitle[0] == '\0') continue;
        const Rect& cell = cells[static_cast<std::size_t>(i)];
        const Rect area{cell.left + 13, cell.top + 96, cell.left + 307, cell.top + 114};
        sprite.DDTextOutRange(kBackBuffer, &area, Item[i].szTitle, kWhite, kTitleHeight, -1,
                              kTitleWeight, kCentredLine);
    }
}

void CG_MODE_DATA::DrawPageText() {
    ZKSPRITE& sprite = *pContext->pSprite;
    char text[100] = {};
    std::snprintf(text, sizeof text, "page:%d/%d", nPage, nPageMax);
    sprite.DDTextOutLock(17, 55, text, kShadow, kPageHeight, kBold);
    sprite.DDTextOutLock(16, 54, text, kWhite, kPageHeight, kBold);
    sprite.DDTextOutUnlock();
}

// Two runs over the tabs: the names, then the subtitles. A tab's texts are white for
// the current heroine and the tab under the pointer.
void CG_MODE_DATA::DrawTabNames() {
    ZKSPRITE& sprite = *pContext->pSprite;
    const auto colour = [&](std::int32_t nTab) {
        return nTab == nChara || nTab + GALLERY_TAB_QUIRA == nSelectId ? kWhite : kGrey;
    };
    for (std::int32_t tab = 0; tab < kGalleryHeroines; ++tab) {
        const TAB_TEXT& t = kTabTexts[tab];
        sprite.DDTextOutLock(t.nNameX + 1, kNameY + 1, t.szName, kShadow, kNameHeight, kBold);
        sprite.DDTextOutLock(t.nNameX, kNameY, t.szName, colour(tab), kNameHeight, kBold);
    }
    sprite.DDTextOutUnlock();
    for (std::int32_t tab = 0; tab < kGalleryHeroines; ++tab) {
        sprite.DDTextOutLock(kTabTexts[tab].nSubtitleX, kSubtitleY,
                             Subtitle(static_cast<std::size_t>(tab)).c_str(), colour(tab),
                             kSubtitleHeight, kBold);
    }
    sprite.DDTextOutUnlock();
}

// The current heroine's tab animates as such and never shows the hover frames.
void CG_MODE_DATA::DrawTabs() {
    ZKSPRITE& sprite = *pContext->pSprite;
    for (std::int32_t tab = 0; tab < kGalleryHeroines; ++tab) {
        const Rect& at = GalleryControl(tab + GALLERY_TAB_QUIRA).rcHit;
        const Rect* part = &kIdleTab;
        if (tab == nChara) {
            part = &Frame(NWndE);
        } else if (tab + GALLERY_TAB_QUIRA == nSelectId) {
            part = &Frame(NWndS);
        }
        sprite.DDBltRange(kSurfaceMaterial, at.left, at.top, part->left, part->top, part->right,
                          part->bottom, 1);
    }
}

// Arrows only where a page lies beyond them; the selected kind in its selected look;
// a hover look a pixel higher.
void CG_MODE_DATA::DrawButtons() {
    ZKSPRITE& sprite = *pContext->pSprite;
    const auto draw = [&](const BUTTON_COLUMN& column, std::int32_t nLook) {
        const Rect& at = GalleryControl(column.nId).rcHit;
        const std::int32_t top = kLooksTop + kLookHeight * nLook;
        const std::int32_t y = at.top - (nLook == kLookHover ? 1 : 0);
        sprite.DDBltRange(kSurfaceMaterial, at.left, y, column.nSourceLeft, top,
                          column.nSourceLeft + column.nWidth, top + kLookHeight, 0);
    };
    if (nPage > 1) draw(kPrevColumn, nBtnState[GALLERY_BUTTON_PREV]);
    if (nPage < nPageMax) draw(kNextColumn, nBtnState[GALLERY_BUTTON_NEXT]);
    draw(kCGColumn, nKind == kGalleryKindCG ? kLookSelected : nBtnState[GALLERY_BUTTON_CG]);
    draw(kReplayColumn,
         nKind == kGalleryKindReplay ? kLookSelected : nBtnState[GALLERY_BUTTON_REPLAY]);
    draw(kBackColumn, nBtnState[GALLERY_BUTTON_BACK]);
}
