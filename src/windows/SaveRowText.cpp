#include "windows/SaveRowText.h"

#include <array>
#include <string_view>

#include "game/SaveSlotPath.h"
#include "platform/text/Cp932.h"

namespace {

constexpr std::size_t kStatusKinds = 5;

std::string Cp932(std::u8string_view utf8) { return platform::utf8ToCp932(utf8).value_or(""); }

std::string TwoCharacters(std::int32_t nValue) {
    if (nValue < 0 || nValue > 99) return "??";
    return {static_cast<char>('0' + nValue / 10), static_cast<char>('0' + nValue % 10)};
}

std::u8string FullWidthNumber(std::int32_t nSlot) {
    constexpr const char8_t* kDigits[] = {u8"０", u8"１", u8"２", u8"３", u8"４",
                                          u8"５", u8"６", u8"７", u8"８", u8"９"};
    return std::u8string(kDigits[nSlot / 10]) + kDigits[nSlot % 10];
}

using StatusTable = std::array<std::array<std::string, kSaveSlotCount>, kStatusKinds>;

StatusTable BuildStatusTexts() {
    constexpr const char8_t* kEndings[kStatusKinds] = {
        u8"を選択しています。", u8"にセーブしますか？", u8"をロードしますか？",
        u8"にセーブできません。", u8"はロードできません。"};
    StatusTable table;
    for (std::size_t kind = 0; kind < kStatusKinds; ++kind) {
        for (std::int32_t slot = 1; slot <= kSaveSlotCount; ++slot) {
            table[kind][static_cast<std::size_t>(slot - 1)] =
                Cp932(u8"Ｎｏ．" + FullWidthNumber(slot) + kEndings[kind]);
        }
    }
    return table;
}

}  // namespace

std::string SaveRowText(std::int32_t nSlot, const SAVE_INFO_DATA& info) {
    static const std::string dayMark = Cp932(u8"日目]");
    const std::string number = "NO." + TwoCharacters(nSlot) + "[";
    if (info.nExist != 1) return number + "--/--/-- --:--:-- --" + dayMark;
    return number + TwoCharacters(info.nYear % 100) + "/" + TwoCharacters(info.nMonth) + "/" +
           TwoCharacters(info.nDay) + " " + TwoCharacters(info.nHour) + ":" +
           TwoCharacters(info.nMinute) + ":" + TwoCharacters(info.nSecond) + " " +
           TwoCharacters(info.nGameDay) + dayMark;
}

const std::string& SaveStatusText(SAVE_STATUS status, std::int32_t nSlot) {
    static const StatusTable table = BuildStatusTexts();
    static const std::string none;
    if (nSlot < 1 || nSlot > kSaveSlotCount) return none;
    return table[static_cast<std::size_t>(status)][static_cast<std::size_t>(nSlot - 1)];
}

const std::string& SaveAnswerText(bool bYes) {
    static const std::string yes = Cp932(u8"はい");
    static const std::string no = Cp932(u8"いいえ");
    return bYes ? yes : no;
}
