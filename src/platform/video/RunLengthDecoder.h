#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace platform {

// The run-length codes of a 4- or 8-bit bitmap (stored bottom row first) as palette
// indices. A run or a move that would leave the picture refuses the whole picture;
// codes that end early leave the pixels not reached at index 0.
class RunLengthDecoder {
public:
    // Indices row after row, top row first.
    static std::optional<std::vector<std::uint8_t>> Decode(std::span<const std::uint8_t> codes,
                                                           int width, int height, bool fourBits);

private:
    enum class Step { kGoOn, kEnd, kRefuse };

    RunLengthDecoder(std::span<const std::uint8_t> codes, int width, int height, bool fourBits);

    Step next();
    Step escape(std::uint8_t code);
    Step move();
    Step repeat(int count, std::uint8_t value);
    Step copy(int count);
    bool fits(int count) const;
    void put(std::uint8_t index);
    // Pixel i of a run: a nibble (high first) at 4 bits, the byte at 8.
    std::uint8_t index(std::uint8_t byte, int i) const;

    std::span<const std::uint8_t> codes_;
    std::size_t at_ = 0;
    int width_;
    int height_;
    bool fourBits_;
    // Column, and row counted from the bottom as the codes store them.
    std::int64_t x_ = 0;
    std::int64_t y_ = 0;
    std::vector<std::uint8_t> indices_;
};

}  // namespace platform
