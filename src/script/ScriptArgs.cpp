#include "script/ScriptArgs.h"

#include "platform/core/Log.h"
#include "platform/text/SjisText.h"
#include "script/ScriptNumber.h"

std::string_view ScriptArgs::Word(int i) const {
    if (i < 0 || i >= SCR_CMD_DATA::kArgCount) return {};
    return cmd_.szArg[i];
}

bool ScriptArgs::Is(int i, std::string_view keyword) const {
    return platform::SjisEqualsIgnoreCase(Word(i), keyword);
}

std::int32_t ScriptArgs::Number(int i) const { return ScriptNumber(Word(i)); }

bool ScriptArgs::NonNegative(int i, std::uint32_t& out) const {
    const std::int32_t value = Number(i);
    if (value < 0) {
        Invalid(i);
        return false;
    }
    out = static_cast<std::uint32_t>(value);
    return true;
}

bool ScriptArgs::Duration(int i, std::uint32_t& out) const {
    std::int32_t value = 0;
    if (!InRange(i, 0, kLongestDuration, value)) return false;
    out = static_cast<std::uint32_t>(value);
    return true;
}

bool ScriptArgs::InRange(int i, std::int32_t lo, std::int32_t hi, std::int32_t& out) const {
    const std::int32_t value = Number(i);
    if (value < lo || value > hi) {
        Invalid(i);
        return false;
    }
    out = value;
    return true;
}

bool ScriptArgs::Fits(int i, std::size_t limit) const {
    if (Word(i).size() <= limit) return true;
    TooLong(i, limit);
    return false;
}

void ScriptArgs::Invalid(int i) const {
    platform::LogError(tag_, u8"[%s] 第%d引数が不正です: %s", platform::Utf8Arg(word_), i + 1,
                       platform::GameArg(Word(i)));
}

void ScriptArgs::TooLong(int i, std::size_t limit) const {
    platform::LogError(tag_, u8"[%s] 第%d引数が長すぎます: %uバイト (上限%uバイト)",
                       platform::Utf8Arg(word_), i + 1, Word(i).size(), limit);
}

std::int32_t ScrRefuse(SCR_CMD_DATA& cmd) {
    cmd.Clear();
    return -1;
}

std::int32_t ScrWarned(SCR_CMD_DATA& cmd) {
    cmd.Clear();
    return 1;
}
