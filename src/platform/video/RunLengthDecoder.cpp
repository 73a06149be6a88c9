#include "platform/video/RunLengthDecoder.h"

#include <algorithm>

namespace platform {

namespace {

constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfPicture = 1;
constexpr std::uint8_t kMove = 2;

}  // namespace

RunLengthDecoder::RunLengthDecoder(std::span<const std::uint8_t> codes, int width, int height,
                                   bool fourBits)
    : codes_(codes),
      width_(width),
      height_(height),
      fourBits_(fourBits),
      indices_(static_cast<std::size_t>(width) * height, 0) {}

std::optional<std::vector<std::uint8_t>> RunLengthDecoder::Decode(
    std::span<const std::uint8_t> codes, int width, int height, bool fourBits) {
    RunLengthDecoder decoder(codes, width, height, fourBits);
    Step step = Step::kGoOn;
    while (step == Step::kGoOn) step = decoder.next();
    if (step == Step::kRefuse) return std::nullopt;
    return std::move(decoder.indices_);
}

RunLengthDecoder::Step RunLengthDecoder::next() {
    if (codes_.size() - at_ < 2) return Step::kEnd;
    const std::uint8_t first = codes_[at_];
    const std::uint8_t second = codes_[at_ + 1];
    at_ += 2;
    return first != 0 ? repeat(first, second) : escape(second);
}

RunLengthDecoder::Step RunLengthDecoder::escape(std::uint8_t code) {
    switch (code) {
        case kEndOfLine:
            x_ = 0;
            ++y_;
            return Step::kGoOn;
        case kEndOfPicture:
            return Step::kEnd;
        case kMove:
            return move();
        default:
            return copy(code);
    }
}

RunLengthDecoder::Step RunLengthDecoder::move() {
    if (codes_.size() - at_ < 2) return Step::kEnd;
    x_ += codes_[at_];
    y_ += codes_[at_ + 1];
    at_ += 2;
    // The column may stop just past the last pixel, as a run that fills the row does.
    return x_ <= width_ && y_ < height_ ? Step::kGoOn : Step::kRefuse;
}

RunLengthDecoder::Step RunLengthDecoder::repeat(int count, std::uint8_t value) {
    if (!fits(count)) return Step::kRefuse;
    for (int i = 0; i < count; ++i) put(index(value, i));
    return Step::kGoOn;
}

RunLengthDecoder::Step RunLengthDecoder::copy(int count) {
    if (!fits(count)) return Step::kRefuse;
    const std::size_t bytes = fourBits_ ? (count + 1) / 2 : count;
    if (codes_.size() - at_ < bytes) return Step::kEnd;
    for (int i = 0; i < count; ++i) put(index(codes_[at_ + (fourBits_ ? i / 2 : i)], i));
    // Each run of pixels given one by one fills a whole number of 16-bit words.
    at_ = std::min(codes_.size(), at_ + bytes + bytes % 2);
    return Step::kGoOn;
}

bool RunLengthDecoder::fits(int count) const { return y_ < height_ && x_ + count <= width_; }

void RunLengthDecoder::put(std::uint8_t index) {
    indices_[static_cast<std::size_t>(height_ - 1 - y_) * width_ + x_] = index;
    ++x_;
}

std::uint8_t RunLengthDecoder::index(std::uint8_t byte, int i) const {
    if (!fourBits_) return byte;
    return i % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

}  // namespace platform
