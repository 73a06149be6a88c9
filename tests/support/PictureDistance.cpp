#include "support/PictureDistance.h"

#include <cstdlib>

namespace zktest {

double PictureDistance(const std::vector<std::uint32_t>& shown, int width, int height,
                       const std::string& painted, int paintedWidth, int paintedHeight) {
    constexpr int kEvery = 4;
    double total = 0;
    int points = 0;
    for (int y = kEvery / 2; y < height; y += kEvery) {
        for (int x = kEvery / 2; x < width; x += kEvery) {
            const std::uint32_t pixel = shown.at(static_cast<std::size_t>(y) * width + x);
            const std::size_t at =
                (static_cast<std::size_t>(y * paintedHeight / height) * paintedWidth +
                 x * paintedWidth / width) *
                4;
            for (int c = 0; c < 3; ++c) {
                const int s = static_cast<int>(pixel >> (8 * c) & 0xFF);
                const int p = static_cast<unsigned char>(painted.at(at + c));
                total += std::abs(s - p);
            }
            ++points;
        }
    }
    return points == 0 ? 0 : total / (3.0 * points);
}

}  // namespace zktest
