#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/media/MediaFile.h"

struct SwsContext;

namespace platform {

class MediaFrame;

// Scales decoded pictures to the output's size as 0x00RRGGBB words. A scaler serves one thread at a
// time, so each thread that converts has a converter of its own.
class PictureConverter {
public:
    PictureConverter();
    ~PictureConverter();
    PictureConverter(const PictureConverter&) = delete;
    PictureConverter& operator=(const PictureConverter&) = delete;

    // Scales frame to size and keeps its kept part in picture, whose buffer is reused;
    // false, with picture left as it was, for a size out of range or a picture the
    // scaler refuses.
    bool convert(const MediaFrame& frame, const MediaPictureSize& size, MediaPicture& picture);
    // A black picture of size's kept part, in a buffer that a picture of size is
    // converted into without growing it.
    static std::vector<std::uint32_t> Black(const MediaPictureSize& size);

private:
    struct Freer {
        void operator()(SwsContext* context) const;
    };
    std::unique_ptr<SwsContext, Freer> scaler_;
};

}  // namespace platform
