#include "platform/media/PictureConverter.h"

#include <algorithm>

extern "C" {
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

#include "platform/media/MediaFrame.h"

namespace platform {

namespace {

constexpr std::size_t kScalerSlack = 16;

bool ValidSize(const MediaPictureSize& size) {
    return size.width > 0 && size.height > 0 && size.width <= MediaFile::kLargestSide &&
           size.height <= MediaFile::kLargestSide && size.keptWidth > 0 && size.keptHeight > 0 &&
           size.keptWidth <= size.width && size.keptHeight <= size.height;
}

// Moves the kept part of a picture of size's width to the buffer's start, rows of
// the kept width; each row lands at or before where it was.
void KeepTopLeft(std::vector<std::uint32_t>& pixels, const MediaPictureSize& size) {
    if (size.keptWidth < size.width) {
        for (int y = 1; y < size.keptHeight; ++y) {
            const auto from = pixels.begin() + std::ptrdiff_t{y} * size.width;
            std::copy_n(from, size.keptWidth, pixels.begin() + std::ptrdiff_t{y} * size.keptWidth);
        }
    }
    pixels.resize(static_cast<std::size_t>(size.keptWidth) * size.keptHeight);
}

std::size_t ScaledWords(const MediaPictureSize& size) {
    return static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height) +
           kScalerSlack;
}

}  // namespace

std::vector<std::uint32_t> PictureConverter::Black(const MediaPictureSize& size) {
    std::vector<std::uint32_t> pixels;
    if (ValidSize(size)) pixels.reserve(ScaledWords(size));
    pixels.resize(static_cast<std::size_t>(size.keptWidth) * size.keptHeight);
    return pixels;
}

void PictureConverter::Freer::operator()(SwsContext* context) const { sws_freeContext(context); }

PictureConverter::PictureConverter() = default;
PictureConverter::~PictureConverter() = default;

bool PictureConverter::convert(const MediaFrame& frame, const MediaPictureSize& size,
                               MediaPicture& picture) {
    if (!frame.frame_ || !ValidSize(size)) return false;
    const AVFrame& source = *frame.frame_;
    // A cached scaler is rebuilt when the picture size or format changes.
    scaler_.reset(sws_getCachedContext(
        scaler_.release(), source.width, source.height, static_cast<AVPixelFormat>(source.format),
        size.width, size.height, AV_PIX_FMT_BGR0, SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!scaler_) return false;
    // Scaled straight into the picture's own buffer: its rows are whole words, so
    // no stride is ever needed beyond the width. The scaler writes pixels in pairs,
    // one past an odd row's end: the last row's must still land in the buffer.
    // A refusal comes before the scaler writes; the words the picture had stay first.
    std::vector<std::uint32_t>& pixels = picture.pixels;
    const std::size_t had = pixels.size();
    pixels.resize(ScaledWords(size));
    std::uint8_t* planes[4] = {reinterpret_cast<std::uint8_t*>(pixels.data()), nullptr, nullptr,
                               nullptr};
    int strides[4] = {size.width * 4, 0, 0, 0};
    if (sws_scale(scaler_.get(), source.data, source.linesize, 0, source.height, planes, strides) <=
        0) {
        pixels.resize(had);
        return false;
    }
    KeepTopLeft(pixels, size);
    // The scaler fills the unused byte; pictures carry it clear.
    for (std::uint32_t& pixel : pixels) pixel &= 0x00FFFFFFu;
    picture.time = frame.time();
    picture.width = size.keptWidth;
    picture.height = size.keptHeight;
    return true;
}

}  // namespace platform
