#pragma once

#include <cstdint>
#include <string>

#include "windows/SAVE_INFO_DATA.h"

// The texts of the save/load screen, CP932, converted once from their UTF-8 source.

// The row of slot nSlot: "NO.03[26/12/05 18:07:09 03日目]" for a used slot and
// "NO.12[--/--/-- --:--:-- --日目]" for an empty one. Every number fills exactly two
// characters (the year modulo 100); a number outside 0 to 99 shows "??".
std::string SaveRowText(std::int32_t nSlot, const SAVE_INFO_DATA& info);

// The status line's texts about one slot: "Ｎｏ．０１を選択しています。" and the like.
enum class SAVE_STATUS {
    Hover,
    SaveQuestion,
    LoadQuestion,
    SaveNotice,
    LoadNotice,
};

// The text for slot nSlot (1 to 20); empty for any other number.
const std::string& SaveStatusText(SAVE_STATUS status, std::int32_t nSlot);

// "はい" for yes, "いいえ" for no.
const std::string& SaveAnswerText(bool bYes);
