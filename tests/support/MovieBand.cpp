#include "support/MovieBand.h"

namespace zktest {

int MovieBand::BlockBit(std::uint32_t xrgb) {
    const int mean =
        static_cast<int>(((xrgb >> 16) & 0xFF) + ((xrgb >> 8) & 0xFF) + (xrgb & 0xFF)) / 3;
    if (mean > 190) return 1;
    if (mean >= 64) return 0;
    return -1;
}

int MovieBand::Read(const std::vector<std::uint32_t>& frame, int frameWidth, int x, int y,
                    int width) {
    const int cy = y + width / 20;
    int number = 0;
    for (int b = 0; b < 10; ++b) {
        const int cx = x + (2 * b + 1) * width / 20;
        const std::size_t at = static_cast<std::size_t>(cy) * frameWidth + cx;
        if (cx < 0 || cx >= frameWidth || cy < 0 || at >= frame.size()) return -1;
        const int bit = BlockBit(frame[at]);
        if (bit < 0) return -1;
        number = number * 2 + bit;
    }
    return number;
}

}  // namespace zktest
