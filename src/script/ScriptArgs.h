#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "script/SCR_CMD_DATA.h"

// The arguments of one command slot as its handler reads them, counted from 0 after
// the command word and re-read on every call. A refused argument logs one line under
// the handler's tag and command word, counting arguments from 1 as a script's author
// does, before the handler changes anything.
class ScriptArgs {
public:
    ScriptArgs(const SCR_CMD_DATA& cmd, const char* szTag, const char* szWord)
        : cmd_(cmd), tag_(szTag), word_(szWord) {}

    // Argument i; the empty word when it is missing.
    std::string_view Word(int i) const;
    // Argument i is the keyword, in any letter case.
    bool Is(int i, std::string_view keyword) const;
    // Argument i read as atoi reads it, held to the i32 range.
    std::int32_t Number(int i) const;

    // The longest duration or wait a command takes, in ms: ten minutes. A longer one is
    // a slip of the keyboard that would hold the story for days.
    static constexpr std::int32_t kLongestDuration = 600000;

    // Checked reads, false after the refusal line. A step is never negative; a
    // duration or wait in ms lies between 0 ("at once") and the longest.
    bool NonNegative(int i, std::uint32_t& out) const;
    bool Duration(int i, std::uint32_t& out) const;
    bool InRange(int i, std::int32_t lo, std::int32_t hi, std::int32_t& out) const;
    // Argument i holds at most limit bytes.
    bool Fits(int i, std::size_t limit) const;

    // "[#Word] 第k引数が不正です: VALUE" and "[#Word] 第k引数が長すぎます: Nバイト (上限Mバイト)".
    void Invalid(int i) const;
    void TooLong(int i, std::size_t limit) const;

private:
    const SCR_CMD_DATA& cmd_;
    const char* tag_;
    const char* word_;
};

// The end of a refused or failed command: its slot freed, -1 for the interpreter.
std::int32_t ScrRefuse(SCR_CMD_DATA& cmd);

// The end of a command that logged a warning: its slot freed, 1 for the interpreter.
std::int32_t ScrWarned(SCR_CMD_DATA& cmd);
