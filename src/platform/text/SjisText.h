#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace platform {

// Shift-JIS text as the game stores it: a two-byte character is a lead byte
// 0x81-0x9F or 0xE0-0xFC followed by a trail byte 0x40-0x7E or 0x80-0xFC; every
// other byte stands alone.

bool IsSjisLeadByte(unsigned char c);
bool IsSjisTrailByte(unsigned char c);

// Length (1 or 2) of the character that starts at byte i of text.
std::size_t SjisCharLength(std::string_view text, std::size_t i);

// True when text holds the single-byte character c (a trail byte never matches).
bool SjisContainsByte(std::string_view text, char c);

// Equality with single-byte A-Z folded to a-z; two-byte characters compare exactly.
bool SjisEqualsIgnoreCase(std::string_view a, std::string_view b);

// The longest prefix of text of at most maxBytes bytes that ends on a character boundary.
std::size_t SjisTruncatedLength(std::string_view text, std::size_t maxBytes);

// The bytes to draw of text typed out to nCount bytes: nCount cut back to the start
// of the character it would split, or -1 (all of it) for -1 or a count at or past
// the end.
std::int32_t SjisTypedCount(std::string_view text, std::int32_t nCount);

// Copies text into a fixed buffer of bufferSize bytes, truncated on a character
// boundary and always terminated. Returns false when text had to be cut.
bool SjisCopyTruncated(char* buffer, std::size_t bufferSize, std::string_view text);

}  // namespace platform
