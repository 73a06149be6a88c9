#include "platform/media/MediaFrame.h"

extern "C" {
#include <libavutil/frame.h>
}

namespace platform {

void MediaFrame::Freer::operator()(AVFrame* frame) const { av_frame_free(&frame); }

MediaFrame::MediaFrame() = default;
MediaFrame::~MediaFrame() = default;
MediaFrame::MediaFrame(MediaFrame&&) noexcept = default;
MediaFrame& MediaFrame::operator=(MediaFrame&&) noexcept = default;

}  // namespace platform
