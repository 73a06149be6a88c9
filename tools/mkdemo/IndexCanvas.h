#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mkdemo {

// A picture in palette indices with the few drawing operations the placeholder
// art needs. Everything is clipped to the canvas.
class IndexCanvas {
public:
    IndexCanvas(int width, int height, std::uint8_t fill);

    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<std::uint8_t>& indices() const { return indices_; }
    std::uint8_t at(int x, int y) const { return indices_[Offset(x, y)]; }

    void set(int x, int y, std::uint8_t index);
    // Right and bottom exclusive.
    void fillRect(int left, int top, int right, int bottom, std::uint8_t index);
    void frameRect(int left, int top, int right, int bottom, int thickness, std::uint8_t index);
    void fillEllipse(int cx, int cy, int rx, int ry, std::uint8_t index);
    // Copies part whole with its top-left at (x, y).
    void paste(const IndexCanvas& part, int x, int y);

    // Text whose top-left is (x, y): ink where the coverage is at least one half.
    void text(const std::string& text, int x, int y, int height, std::uint8_t ink);
    // Lines centred on (cx, cy), with a 2-pixel outline around the ink.
    void label(const std::vector<std::string>& lines, int cx, int cy, int height, std::uint8_t ink,
               std::uint8_t outline);
    // The largest text height up to maxHeight at which lines fit in width × height.
    static int FitHeight(const std::vector<std::string>& lines, int width, int height,
                         int maxHeight);

private:
    std::size_t Offset(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    int width_;
    int height_;
    std::vector<std::uint8_t> indices_;
};

}  // namespace mkdemo
