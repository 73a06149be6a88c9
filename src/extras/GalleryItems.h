#pragma once

#include <cstdint>
#include <string>

// The gallery's lists: per heroine (0 QUIRA, 1 DULCANE, 2 OMBREA, 3 YSMA) and kind
// (0 CG, 1 REPLAY), how many items it has, how many a page shows, where its
// thumbnails start and which unlock words are its own.
constexpr std::int32_t kGalleryHeroines = 4;
constexpr std::int32_t kGalleryKinds = 2;
constexpr std::int32_t kGalleryKindCG = 0;
constexpr std::int32_t kGalleryKindReplay = 1;

struct GALLERY_LIST {
    std::int32_t nItems;
    std::int32_t nPageSize;
    // Item n's thumbnail is surface nThumbBase + n.
    std::int32_t nThumbBase;
    // The heroine's first word in the system save's unlock array of the kind, and how
    // many are hers.
    std::int32_t nFirstWord;
    std::int32_t nWords;
};

// nChara 0 to 3, nKind 0 or 1.
const GALLERY_LIST& GalleryList(std::int32_t nChara, std::int32_t nKind);
// Pages of the list, the last one possibly short.
std::int32_t GalleryPageCount(const GALLERY_LIST& list);
// Items on page nPage (from 1).
std::int32_t GalleryPageItems(const GALLERY_LIST& list, std::int32_t nPage);
// Item nItem (from 1): the picture's file for CG, the scene's script for REPLAY;
// empty past the list's end.
std::string GalleryItemFile(std::int32_t nChara, std::int32_t nKind, std::int32_t nItem);
// The Shift-JIS title of scene nItem (from 1); empty past the list's end.
const std::string& GalleryItemTitle(std::int32_t nChara, std::int32_t nItem);
