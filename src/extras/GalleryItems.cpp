#include "extras/GalleryItems.h"

#include <array>
#include <cstdio>
#include <span>
#include <string_view>
#include <vector>

#include "platform/text/Cp932.h"
#include "script/ScriptKeywords.h"

namespace {

constexpr std::int32_t kWordBits = 32;
constexpr std::int32_t kCGPageSize = 12;
constexpr std::int32_t kReplayPageSize = 6;

struct HEROINE_ITEMS {
    std::int32_t nCGItems;
    std::int32_t nCGThumbBase;
    std::int32_t nReplayItems;
    std::int32_t nReplayThumbBase;
    // The scene scripts' initial and the titles' name.
    char cInitial;
    std::u8string_view name;
};

constexpr HEROINE_ITEMS kHeroineItems[kGalleryHeroines] = {
    {86, 32, 42, 118, 'Q', u8"クィラヴェル"},
    {33, 160, 16, 193, 'D', u8"ドゥルカーネ"},
    {17, 209, 1, 226, 'O', u8"オンブレア"},
    {13, 227, 3, 240, 'Y', u8"イスマ"},
};

// The pictures in item order, page after page.
constexpr std::string_view kQuiraPictures[] = {
    "EV01",     "EV16",     "EV03",     "EV03A",    "EV04",     "EV04A",    "EV04B",    "EV22",
    "EV22A",    "EV22C",    "EV04C",    "EV22B",    "EV20",     "HCG0410A", "HCG0410D", "EV20A",
    "EV08",     "EV10",     "EV11",     "EV11A",    "EV27",     "EV28",     "EV16C",    "HCG1200",
    "EV17",     "EV17A",    "ED01",     "EV16A",    "EV30A",    "EV30",     "EV30B",    "ED02",
    "ED02A",    "ED03",     "ED04",     "HCG0100",  "HCG0110",  "HCG0120",  "HCG0120A", "HCG0200",
    "HCG0210",  "HCG0200A", "HCG0210A", "HCG0300",  "HCG0310",  "HCG0300A", "HCG0310A", "HCG0400",
    "HCG0400A", "HCG0410",  "HCG0400C", "HCG0400D", "HCG0420",  "HCG0420A", "HCG0430A", "HCG0610",
    "HCG0620",  "HCG0600",  "HCG0630",  "HCG0700",  "HCG0710",  "HCG0800",  "HCG0800A", "HCG0800B",
    "HCG0810",  "HCG0900",  "HCG0910",  "HCG0900A", "HCG0910A", "HCG1000",  "HCG1010",  "HCG1020",
    "HCG1020A", "HCG1100",  "HCG1100A", "HCG1110",  "HCG1200A", "HCG1210",  "HCG1300",  "HCG1310",
    "HCG1310A", "HCG1400",  "HCG1410",  "HCG1500",  "HCG1500A", "HCG1510",
};
constexpr std::string_view kDulcanePictures[] = {
    "EV09",    "EV09B",    "EV09A",    "EV23",     "EV05B",   "EV05C",   "EV06B",
    "EV06F",   "EV06J",    "EV05A",    "EV05",     "EV06",    "EV06D",   "EV06H",
    "EV21",    "EV21A",    "EV21C",    "EV21B",    "EV15",    "ED04",    "ED03",
    "HCG0430", "HCG0430A", "HCG0900A", "HCG0910A", "HCG1300", "HCG1310", "HCG1310A",
    "HCG1400", "HCG1410",  "HCG1500",  "HCG1500A", "HCG1510",
};
constexpr std::string_view kOmbreaPictures[] = {
    "EV01", "EV12",  "EV27",  "EV26", "EV19",  "EV19A", "EV19B", "EV25", "EV25A",
    "EV14", "EV14A", "EV14B", "EV13", "EV13A", "EV13B", "EV18",  "ED06",
};
constexpr std::string_view kYsmaPictures[] = {
    "EV24A", "EV24B", "EV24C", "EV02",  "EV07", "EV07A", "EV02A",
    "EV07B", "EV29A", "EV07C", "EV07D", "EV24", "ED05",
};
constexpr std::span<const std::string_view> kPictures[kGalleryHeroines] = {
    kQuiraPictures, kDulcanePictures, kOmbreaPictures, kYsmaPictures};

std::array<std::array<GALLERY_LIST, kGalleryKinds>, kGalleryHeroines> BuildLists() {
    std::array<std::array<GALLERY_LIST, kGalleryKinds>, kGalleryHeroines> lists{};
    const auto heroines = ScriptKeywords::Heroines();
    for (std::size_t chara = 0; chara < lists.size(); ++chara) {
        const HEROINE_ITEMS& items = kHeroineItems[chara];
        const HEROINE_KEYWORD& keyword = heroines[chara];
        lists[chara][kGalleryKindCG] = {items.nCGItems, kCGPageSize, items.nCGThumbBase,
                                        keyword.nFirstCGWord, keyword.nCGItems / kWordBits};
        lists[chara][kGalleryKindReplay] = {items.nReplayItems, kReplayPageSize,
                                            items.nReplayThumbBase, keyword.nFirstReplayWord,
                                            keyword.nReplayItems / kWordBits};
    }
    return lists;
}

// "<name>　第<n>話" with n in full-width digits.
std::string SceneTitle(std::u8string_view name, std::int32_t nItem) {
    static constexpr std::u8string_view kDigits[] = {u8"０", u8"１", u8"２", u8"３", u8"４",
                                                     u8"５", u8"６", u8"７", u8"８", u8"９"};
    std::u8string title(name);
    title += u8"　第";
    if (nItem >= 10) title += kDigits[nItem / 10];
    title += kDigits[nItem % 10];
    title += u8"話";
    return platform::utf8ToCp932(title).value_or(std::string());
}

std::array<std::vector<std::string>, kGalleryHeroines> BuildTitles() {
    std::array<std::vector<std::string>, kGalleryHeroines> titles;
    for (std::size_t chara = 0; chara < titles.size(); ++chara) {
        const HEROINE_ITEMS& items = kHeroineItems[chara];
        for (std::int32_t item = 1; item <= items.nReplayItems; ++item) {
            titles[chara].push_back(SceneTitle(items.name, item));
        }
    }
    return titles;
}

}  // namespace

const GALLERY_LIST& GalleryList(std::int32_t nChara, std::int32_t nKind) {
    static const auto lists = BuildLists();
    return lists[static_cast<std::size_t>(nChara)][static_cast<std::size_t>(nKind)];
}

std::int32_t GalleryPageCount(const GALLERY_LIST& list) {
    return list.nItems / list.nPageSize + (list.nItems % list.nPageSize != 0 ? 1 : 0);
}

std::int32_t GalleryPageItems(const GALLERY_LIST& list, std::int32_t nPage) {
    if (nPage * list.nPageSize <= list.nItems) return list.nPageSize;
    return list.nItems - (nPage - 1) * list.nPageSize;
}

std::string GalleryItemFile(std::int32_t nChara, std::int32_t nKind, std::int32_t nItem) {
    if (nItem < 1 || nItem > GalleryList(nChara, nKind).nItems) return {};
    if (nKind == kGalleryKindCG) {
        return std::string(kPictures[nChara][static_cast<std::size_t>(nItem - 1)]) + ".gpc";
    }
    char name[16] = {};
    std::snprintf(name, sizeof name, "%c%02d.spt", kHeroineItems[nChara].cInitial, nItem);
    return name;
}

const std::string& GalleryItemTitle(std::int32_t nChara, std::int32_t nItem) {
    static const auto titles = BuildTitles();
    static const std::string kNone;
    const auto& list = titles[static_cast<std::size_t>(nChara)];
    if (nItem < 1 || nItem > static_cast<std::int32_t>(list.size())) return kNone;
    return list[static_cast<std::size_t>(nItem - 1)];
}
