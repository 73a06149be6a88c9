#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "platform/video/Rect.h"

// The gallery page's controls by id; a cell is GALLERY_CELL + slot - 1.
enum GALLERY_ID : std::int32_t {
    GALLERY_NONE = 0,
    GALLERY_TAB_QUIRA = 1,
    GALLERY_TAB_YSMA = 4,
    GALLERY_PREV = 5,
    GALLERY_NEXT = 6,
    GALLERY_CG = 7,
    GALLERY_REPLAY = 8,
    GALLERY_BACK = 9,
    GALLERY_CELL = 10,
};
constexpr std::int32_t kGallerySlots = 12;

// What a frame of the page standby gives.
enum GALLERY_RESULT : std::int32_t {
    GALLERY_FAILED = -1,
    GALLERY_IDLE = 0,
    GALLERY_HOVER = 1,
    GALLERY_CELL_CLICKED = 2,
    GALLERY_CHANGE_CLICKED = 3,
    GALLERY_BACK_CLICKED = 4,
};

// nBtnState's order.
enum GALLERY_BUTTON : std::int32_t {
    GALLERY_BUTTON_NONE = -1,
    GALLERY_BUTTON_NEXT = 0,
    GALLERY_BUTTON_PREV = 1,
    GALLERY_BUTTON_CG = 2,
    GALLERY_BUTTON_REPLAY = 3,
    GALLERY_BUTTON_BACK = 4,
};
constexpr std::int32_t kGalleryButtons = 5;

struct GALLERY_CONTROL {
    std::int32_t nId;
    platform::Rect rcHit;
    std::int32_t nButton;
    std::int32_t nClickResult;
    int nClickEffect;
};

// Where an arrow key leads, by whether the page is the first and whether it is the
// last.
struct GALLERY_TARGET {
    std::int32_t nFirstLast;
    std::int32_t nFirstOnly;
    std::int32_t nLastOnly;
    std::int32_t nMiddle;

    // A target that is the same on every page.
    constexpr GALLERY_TARGET(std::int32_t nId)
        : nFirstLast(nId), nFirstOnly(nId), nLastOnly(nId), nMiddle(nId) {}
    constexpr GALLERY_TARGET(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d)
        : nFirstLast(a), nFirstOnly(b), nLastOnly(c), nMiddle(d) {}
    std::int32_t Resolve(bool bFirst, bool bLast) const {
        if (bFirst) return bLast ? nFirstLast : nFirstOnly;
        return bLast ? nLastOnly : nMiddle;
    }
};

// One row of a kind's arrow-key table: from a control, left, right, up, down.
struct GALLERY_ARROWS {
    std::int32_t nFrom;
    std::array<GALLERY_TARGET, 4> targets;
};

// The nine buttons and tabs in the order of the hit tests.
std::span<const GALLERY_CONTROL> GalleryButtons();
// The control of nId, 1 to 9.
const GALLERY_CONTROL& GalleryControl(std::int32_t nId);
// The cells of a kind in slot order: 12 for CG, 6 for REPLAY.
std::span<const platform::Rect> GalleryCells(std::int32_t nKind);
// Where control nId (cells included) lies in a kind; null for an id it lacks.
const platform::Rect* GalleryRect(std::int32_t nKind, std::int32_t nId);
// The arrow-key row of nFrom in a kind; null for an id without one.
const GALLERY_ARROWS* GalleryArrows(std::int32_t nKind, std::int32_t nFrom);

inline bool GalleryContains(const platform::Rect& rc, std::int32_t nX, std::int32_t nY) {
    return nX >= rc.left && nX < rc.right && nY >= rc.top && nY < rc.bottom;
}
