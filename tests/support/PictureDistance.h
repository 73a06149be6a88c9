#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zktest {

// How far a shown picture (XRGB, width by height) is from a painted one (BGRA rows,
// paintedWidth by paintedHeight, such as a movie's picture before encoding): the
// mean difference of R, G and B, 0 to 255, over points every 4 pixels of the shown
// picture, each against the painted pixel at the same place scaled to its size.
double PictureDistance(const std::vector<std::uint32_t>& shown, int width, int height,
                       const std::string& painted, int paintedWidth, int paintedHeight);

}  // namespace zktest
