#include "game/SlotText.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/text/SjisText.h"

namespace {

constexpr char kLF = '\n';
constexpr char kBlank = ' ';
constexpr std::size_t kFloatDecimals = 6;

bool IsFieldByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte > 0x20 && byte != 0x7F;
}

bool IsDigits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// Digits of a canonical magnitude: "0", or no leading zero.
bool IsCanonicalDigits(std::string_view digits) {
    return IsDigits(digits) && (digits.size() == 1 || digits.front() != '0');
}

}  // namespace

SlotLineCursor::STATE SlotLineCursor::Next(std::string_view& line, std::size_t nMaxBytes) {
    if (rest_.empty()) return STATE::End;
    ++nNumber_;
    const std::size_t end = rest_.find(kLF);
    if (end == std::string_view::npos) return STATE::Unterminated;
    if (end > nMaxBytes) return STATE::TooLong;
    line = rest_.substr(0, end);
    rest_.remove_prefix(end + 1);
    return STATE::Line;
}

std::optional<std::string_view> SlotFieldCursor::Next() {
    if (bPendingBlank_) {
        if (rest_.empty() || rest_.front() != kBlank) return std::nullopt;
        rest_.remove_prefix(1);
        bPendingBlank_ = false;
    }
    std::size_t length = 0;
    while (length < rest_.size() && rest_[length] != kBlank) {
        if (!IsFieldByte(rest_[length])) return std::nullopt;
        ++length;
    }
    if (length == 0) return std::nullopt;
    const std::string_view field = rest_.substr(0, length);
    rest_.remove_prefix(length);
    if (bTrailingBlank_) {
        if (rest_.empty() || rest_.front() != kBlank) return std::nullopt;
        rest_.remove_prefix(1);
    } else {
        bPendingBlank_ = !rest_.empty();
    }
    return field;
}

std::optional<std::int32_t> ParseSlotInt(std::string_view text) {
    const bool bNegative = text.starts_with('-');
    const std::string_view digits = bNegative ? text.substr(1) : text;
    if (!IsCanonicalDigits(digits) || (bNegative && digits == "0")) return std::nullopt;
    std::int32_t nValue = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), nValue);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return nValue;
}

std::optional<std::uint32_t> ParseSlotWord(std::string_view text) {
    const std::optional<std::int32_t> nValue = ParseSlotInt(text);
    if (!nValue) return std::nullopt;
    return static_cast<std::uint32_t>(*nValue);
}

std::optional<float> ParseSlotFloat(std::string_view text) {
    const std::string_view unsigned_ = text.starts_with('-') ? text.substr(1) : text;
    const std::size_t point = unsigned_.find('.');
    if (point == std::string_view::npos) return std::nullopt;
    if (!IsCanonicalDigits(unsigned_.substr(0, point))) return std::nullopt;
    const std::string_view decimals = unsigned_.substr(point + 1);
    if (decimals.size() != kFloatDecimals || !IsDigits(decimals)) return std::nullopt;
    double dValue = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), dValue, std::chars_format::fixed);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    // A float cannot hold a larger value; converting one would be undefined.
    if (std::fabs(dValue) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(dValue);
}

std::optional<std::string> ParseSlotString(std::string_view text, std::size_t nMaxBytes) {
    if (SlotMarkerIs(text, kSlotNullText)) return std::string();
    if (text.empty() || text.size() > nMaxBytes) return std::nullopt;
    for (const char c : text) {
        if (!IsFieldByte(c)) return std::nullopt;
    }
    return std::string(text);
}

bool SlotMarkerIs(std::string_view line, std::string_view marker) {
    return platform::SjisEqualsIgnoreCase(line, marker);
}

void AppendSlotInt(std::string& out, std::int32_t nValue) {
    char text[16];
    const auto result = std::to_chars(text, text + sizeof text, nValue);
    out.append(text, result.ptr);
}

void AppendSlotWord(std::string& out, std::uint32_t dwValue) {
    AppendSlotInt(out, static_cast<std::int32_t>(dwValue));
}

void AppendSlotFloat(std::string& out, float fValue) {
    // The widest finite float in fixed form needs 39 integer digits and 7 more bytes.
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, static_cast<double>(fValue),
                                      std::chars_format::fixed, static_cast<int>(kFloatDecimals));
    out.append(text, result.ptr);
}

void AppendSlotString(std::string& out, std::string_view text) {
    out += text.empty() ? kSlotNullText : text;
}
