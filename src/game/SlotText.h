#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The text of a slot file, without any locale: lines ending in one LF, fields
// separated by exactly one blank, canonical decimal integers, floats in the fixed
// six-decimal form, and strings with "__NULL__" for the empty string.

// The lines of a slot file in order; each must end in its LF.
class SlotLineCursor {
public:
    enum class STATE { Line, End, Unterminated, TooLong };

    explicit SlotLineCursor(std::string_view bytes) : rest_(bytes) {}

    // The next line without its LF. A line longer than nMaxBytes, or bytes after the
    // last LF, are refused without being handed out.
    STATE Next(std::string_view& line, std::size_t nMaxBytes);
    // The line last handed out, or refused, counted from 1.
    std::int32_t Number() const { return nNumber_; }

private:
    std::string_view rest_;
    std::int32_t nNumber_ = 0;
};

// The fields of one line, taken in order. A field is refused (empty result) when it
// is missing, empty (two blanks in a row) or holds a byte below 0x20 or 0x7F.
class SlotFieldCursor {
public:
    // bTrailingBlank: the layout ends this line's every field, the last included,
    // with a blank.
    SlotFieldCursor(std::string_view line, bool bTrailingBlank)
        : rest_(line), bTrailingBlank_(bTrailingBlank) {}

    std::optional<std::string_view> Next();
    // True when the line held nothing after the fields taken.
    bool AtEnd() const { return rest_.empty() && !bPendingBlank_; }

private:
    std::string_view rest_;
    bool bTrailingBlank_;
    bool bPendingBlank_ = false;
};

inline constexpr std::string_view kSlotNullText = "__NULL__";

// "0", or an optional "-" and digits without a leading zero, within i32.
std::optional<std::int32_t> ParseSlotInt(std::string_view text);
// A 32-bit word written through its signed value.
std::optional<std::uint32_t> ParseSlotWord(std::string_view text);
// An optional "-", the integer digits, "." and six digits, finite.
std::optional<float> ParseSlotFloat(std::string_view text);
// 1 to nMaxBytes bytes above 0x20 and not 0x7F; "__NULL__" in any ASCII case is the
// empty string.
std::optional<std::string> ParseSlotString(std::string_view text, std::size_t nMaxBytes);
// A whole marker line, compared ignoring the case of single-byte letters.
bool SlotMarkerIs(std::string_view line, std::string_view marker);

void AppendSlotInt(std::string& out, std::int32_t nValue);
void AppendSlotWord(std::string& out, std::uint32_t dwValue);
void AppendSlotFloat(std::string& out, float fValue);
// The empty string is written "__NULL__".
void AppendSlotString(std::string& out, std::string_view text);
