#include "game/CostumeNames.h"

#include <array>
#include <string_view>

#include "platform/text/Cp932.h"

namespace {

using NameTable = std::array<COSTUME_NAME, kCostumeNameCount>;

NameTable BuildNames() {
    constexpr std::u8string_view kUtf8[kCostumeNameCount][2] = {
        {u8"オーソドックス", u8"-Orthodox-"},
        {u8"ホワイトミニ", u8"-White Mini-"},
        {u8"キモノ", u8"-Kimono-"},
        {u8"メイド", u8"-Maid-"},
        {u8"ケープ", u8"-Cape-"},
        {u8"オールド", u8"-Old-"},
        {u8"ボディスーツ", u8"-Bodysuit-"},
        {u8"リクルート", u8"-Recruit-"},
        {u8"レディ", u8"-Lady-"},
        {u8"ナース", u8"-Nurse-"},
        {u8"ホワイトロング", u8"-White Long-"},
        {u8"ブラックミニ", u8"-Black Mini-"},
        {u8"シスター", u8"-Sister-"},
        {u8"ブラックロング", u8"-Black Long-"},
    };
    NameTable names;
    for (std::size_t k = 0; k < names.size(); ++k) {
        names[k] = {platform::utf8ToCp932(kUtf8[k][0]).value_or(""),
                    platform::utf8ToCp932(kUtf8[k][1]).value_or("")};
    }
    return names;
}

}  // namespace

const COSTUME_NAME* CostumeName(std::int32_t nClothes) {
    static const NameTable names = BuildNames();
    if (nClothes < 0 || nClothes >= kCostumeNameCount) return nullptr;
    return &names[static_cast<std::size_t>(nClothes)];
}
