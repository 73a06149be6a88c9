#include "platform/media/FfmpegLogHold.h"

#include "platform/media/FfmpegLog.h"

namespace platform {

namespace {

thread_local FfmpegLogHold* held = nullptr;

}  // namespace

FfmpegLogHold::FfmpegLogHold() { held = this; }

FfmpegLogHold::~FfmpegLogHold() { held = nullptr; }

void FfmpegLogHold::release() {
    for (const std::string& line : lines_) LogFfmpegText(line);
    lines_.clear();
}

bool FfmpegLogHold::keep(std::string_view text) {
    if (held == nullptr) return false;
    held->lines_.emplace_back(text);
    return true;
}

}  // namespace platform
