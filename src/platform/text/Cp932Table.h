#pragma once

#include <string_view>
#include <vector>

namespace platform {

// CP932 characters to Unicode code points, built once through the code-page
// conversion so that the text engine and the rest of the game agree on every
// character.
class Cp932Table {
public:
    static const Cp932Table& Shared();

    // The code point of the one- or two-byte character ch; 0 when it has none.
    char32_t toUnicode(std::string_view ch) const;

private:
    Cp932Table();

    // Index: the byte of a single-byte character, or lead << 8 | trail.
    std::vector<char32_t> points_;
};

}  // namespace platform
