#include "platform/text/SjisText.h"

#include <algorithm>

namespace platform {

bool IsSjisLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool IsSjisTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

std::size_t SjisCharLength(std::string_view text, std::size_t i) {
    if (i + 1 < text.size() && IsSjisLeadByte(static_cast<unsigned char>(text[i])) &&
        IsSjisTrailByte(static_cast<unsigned char>(text[i + 1]))) {
        return 2;
    }
    return 1;
}

bool SjisContainsByte(std::string_view text, char c) {
    for (std::size_t i = 0; i < text.size(); i += SjisCharLength(text, i)) {
        if (SjisCharLength(text, i) == 1 && text[i] == c) return true;
    }
    return false;
}

namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool SjisEqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size();) {
        const std::size_t lenA = SjisCharLength(a, i);
        if (lenA != SjisCharLength(b, i)) return false;
        if (lenA == 2) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
        i += lenA;
    }
    return true;
}

std::size_t SjisTruncatedLength(std::string_view text, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + SjisCharLength(text, end);
        if (next > maxBytes) break;
        end = next;
    }
    return end;
}

std::int32_t SjisTypedCount(std::string_view text, std::int32_t nCount) {
    if (nCount < 0 || static_cast<std::size_t>(nCount) >= text.size()) return -1;
    return static_cast<std::int32_t>(SjisTruncatedLength(text, static_cast<std::size_t>(nCount)));
}

bool SjisCopyTruncated(char* buffer, std::size_t bufferSize, std::string_view text) {
    if (buffer == nullptr || bufferSize == 0) return text.empty();
    const std::size_t length = SjisTruncatedLength(text, bufferSize - 1);
    std::copy_n(text.data(), length, buffer);  // an empty view may carry a null data()
    buffer[length] = '\0';
    return length == text.size();
}

}  // namespace platform
