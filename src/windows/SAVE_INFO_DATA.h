#pragma once

#include <cstdint>

// The header of one save slot, as its file's first line gave it: the local date and
// time of the save and the story's day. Numbers the line did not give are 0.
struct SAVE_INFO_DATA {
    std::uint32_t nExist = 0;
    std::int32_t nYear = 0;
    std::int32_t nMonth = 0;
    std::int32_t nDay = 0;
    std::int32_t nHour = 0;
    std::int32_t nMinute = 0;
    std::int32_t nSecond = 0;
    std::int32_t nGameDay = 0;
};
