#pragma once

namespace platform {

// Sends FFmpeg's own diagnostics, errors only, to the log sink from then on, from
// whichever thread FFmpeg reports them. Safe to call any number of times.
void RouteFfmpegLog();

}  // namespace platform
