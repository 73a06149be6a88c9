#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Keeps back the lines FFmpeg logs on this thread while it lives, so that a try
// which may be given up logs nothing unless it stands: release() logs them, and
// they are dropped otherwise.
class FfmpegLogHold {
public:
    FfmpegLogHold();
    ~FfmpegLogHold();
    FfmpegLogHold(const FfmpegLogHold&) = delete;
    FfmpegLogHold& operator=(const FfmpegLogHold&) = delete;

    void release();

    // Keeps text when a hold lives on this thread; false when it is to be logged.
    static bool keep(std::string_view text);

private:
    std::vector<std::string> lines_;
};

}  // namespace platform
