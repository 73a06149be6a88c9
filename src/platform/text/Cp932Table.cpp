#include "platform/text/Cp932Table.h"

#include "platform/text/Cp932.h"
#include "platform/text/SjisText.h"

namespace platform {

namespace {

// The one code point a UTF-8 text holds, or 0 when it holds anything else (the
// converter spells a byte it cannot read as several characters).
char32_t SingleCodePoint(std::string_view utf8) {
    if (utf8.empty()) return 0;
    const auto lead = static_cast<unsigned char>(utf8[0]);
    std::size_t length = 1;
    char32_t point = lead;
    if (lead >= 0xF0) {
        length = 4;
        point = lead & 0x07;
    } else if (lead >= 0xE0) {
        length = 3;
        point = lead & 0x0F;
    } else if (lead >= 0xC0) {
        length = 2;
        point = lead & 0x1F;
    }
    if (utf8.size() != length) return 0;
    for (std::size_t i = 1; i < length; ++i) point = point << 6 | (utf8[i] & 0x3F);
    return point;
}

}  // namespace

const Cp932Table& Cp932Table::Shared() {
    static const Cp932Table table;
    return table;
}

Cp932Table::Cp932Table() : points_(0x10000, 0) {
    for (int byte = 0x20; byte < 0x100; ++byte) {
        const char ch = static_cast<char>(byte);
        if (!IsSjisLeadByte(static_cast<unsigned char>(byte))) {
            points_[byte] = SingleCodePoint(cp932ToUtf8(std::string_view(&ch, 1)));
        }
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsSjisLeadByte(static_cast<unsigned char>(lead))) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (!IsSjisTrailByte(static_cast<unsigned char>(trail))) continue;
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            points_[lead << 8 | trail] = SingleCodePoint(cp932ToUtf8(std::string_view(pair, 2)));
        }
    }
}

char32_t Cp932Table::toUnicode(std::string_view ch) const {
    if (ch.size() == 1) return points_[static_cast<unsigned char>(ch[0])];
    if (ch.size() != 2 || SjisCharLength(ch, 0) != 2) return 0;
    return points_[static_cast<unsigned char>(ch[0]) << 8 | static_cast<unsigned char>(ch[1])];
}

}  // namespace platform
