#include "extras/GalleryControls.h"

#include <iterator>

namespace {

using platform::Rect;

constexpr int kEffectBack = 6;
constexpr int kEffectChange = 8;

constexpr GALLERY_CONTROL Change(std::int32_t nId, Rect rc, std::int32_t nButton) {
    return {nId, rc, nButton, GALLERY_CHANGE_CLICKED, kEffectChange};
}

constexpr GALLERY_CONTROL kButtons[] = {
    Change(1, {37, 483, 211, 533}, GALLERY_BUTTON_NONE),
    Change(2, {221, 483, 395, 533}, GALLERY_BUTTON_NONE),
    Change(3, {405, 483, 579, 533}, GALLERY_BUTTON_NONE),
    Change(4, {589, 483, 763, 533}, GALLERY_BUTTON_NONE),
    Change(GALLERY_CG, {384, 552, 504, 584}, GALLERY_BUTTON_CG),
    Change(GALLERY_REPLAY, {504, 552, 624, 584}, GALLERY_BUTTON_REPLAY),
    Change(GALLERY_PREV, {4, 284, 36, 316}, GALLERY_BUTTON_PREV),
    Change(GALLERY_NEXT, {764, 284, 796, 316}, GALLERY_BUTTON_NEXT),
    {GALLERY_BACK, {664, 552, 784, 584}, GALLERY_BUTTON_BACK, GALLERY_BACK_CLICKED, kEffectBack},
};

// Two blocks of two columns and three rows, row by row.
constexpr Rect kCGCells[] = {
    {51, 103, 207, 221},  {215, 103, 371, 221}, {51, 231, 207, 349},  {215, 231, 371, 349},
    {51, 359, 207, 477},  {215, 359, 371, 477}, {429, 103, 585, 221}, {593, 103, 749, 221},
    {429, 231, 585, 349}, {593, 231, 749, 349}, {429, 359, 585, 477}, {593, 359, 749, 477},
};
// Two columns of three, top to bottom.
constexpr Rect kReplayCells[] = {
    {51, 103, 371, 221},  {51, 231, 371, 349},  {51, 359, 371, 477},
    {429, 103, 749, 221}, {429, 231, 749, 349}, {429, 359, 749, 477},
};

// onFirst on the first page, else onOther; onLast on the last page, else onOther.
constexpr GALLERY_TARGET First(GALLERY_TARGET onFirst, GALLERY_TARGET onOther) {
    return {onFirst.nFirstLast, onFirst.nFirstOnly, onOther.nLastOnly, onOther.nMiddle};
}
constexpr GALLERY_TARGET Last(GALLERY_TARGET onLast, GALLERY_TARGET onOther) {
    return {onLast.nFirstLast, onOther.nFirstOnly, onLast.nLastOnly, onOther.nMiddle};
}

const GALLERY_ARROWS kReplayArrows[] = {
    {0, {10, 10, 10, 10}},
    {10, {First(Last(13, 6), 5), 13, 1, 11}},
    {11, {First(Last(14, 6), 5), 14, 10, 12}},
    {12, {First(Last(15, 6), 5), 15, 11, 1}},
    {13, {10, Last(10, 6), 3, 14}},
    {14, {11, Last(11, 6), 13, 15}},
    {15, {12, Last(12, 6), 14, 3}},
    {5, {Last(13, 6), 10, 10, 1}},
    {6, {13, First(10, 5), 13, 4}},
    {1, {4, 2, 12, 10}},
    {2, {1, 3, 12, 10}},
    {3, {2, 4, 15, 7}},
    {4, {3, 1, 15, 9}},
    {7, {9, 8, 3, 13}},
    {8, {7, 9, 3, 13}},
    {9, {8, 7, 4, 13}},
};

const GALLERY_ARROWS kCGArrows[] = {
    {0, {10, 10, 10, 10}},
    {10, {First(Last(17, 6), 5), 11, 1, 12}},
    {11, {10, 16, 2, 13}},
    {12, {First(Last(19, 6), 5), 13, 10, 14}},
    {13, {12, 18, 11, 15}},
    {14, {First(Last(21, 6), 5), 15, 12, 1}},
    {15, {14, 20, 13, 2}},
    {16, {11, 17, 7, 18}},
    {17, {16, Last(First(10, 5), 6), 9, 19}},
    {18, {13, 19, 16, 20}},
    {19, {18, Last(First(12, 5), 6), 17, 21}},
    {20, {15, 21, 18, 3}},
    {21, {20, Last(First(14, 5), 6), 19, 4}},
    {5, {Last(17, 6), 10, 10, 1}},
    {6, {17, First(10, 5), 17, 4}},
    {1, {4, 2, 14, 10}},
    {2, {1, 3, 15, 11}},
    {3, {2, 4, 20, 7}},
    {4, {3, 1, 21, 9}},
    {7, {9, 8, 3, 16}},
    {8, {7, 9, 3, 16}},
    {9, {8, 7, 4, 17}},
};

}  // namespace

std::span<const GALLERY_CONTROL> GalleryButtons() { return kButtons; }

const GALLERY_CONTROL& GalleryControl(std::int32_t nId) {
    for (const GALLERY_CONTROL& control : kButtons) {
        if (control.nId == nId) return control;
    }
    return kButtons[std::size(kButtons) - 1];
}

std::span<const Rect> GalleryCells(std::int32_t nKind) {
    if (nKind == 0) return kCGCells;
    return kReplayCells;
}

const Rect* GalleryRect(std::int32_t nKind, std::int32_t nId) {
    const std::span<const Rect> cells = GalleryCells(nKind);
    if (nId >= GALLERY_CELL && nId < GALLERY_CELL + static_cast<std::int32_t>(cells.size())) {
        return &cells[static_cast<std::size_t>(nId - GALLERY_CELL)];
    }
    if (nId < GALLERY_TAB_QUIRA || nId > GALLERY_BACK) return nullptr;
    return &GalleryControl(nId).rcHit;
}

const GALLERY_ARROWS* GalleryArrows(std::int32_t nKind, std::int32_t nFrom) {
    const std::span<const GALLERY_ARROWS> rows =
        nKind == 0 ? std::span<const GALLERY_ARROWS>(kCGArrows) : kReplayArrows;
    for (const GALLERY_ARROWS& row : rows) {
        if (row.nFrom == nFrom) return &row;
    }
    return nullptr;
}
