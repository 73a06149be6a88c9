#pragma once

#include <string_view>

namespace platform {

// Sends FFmpeg's own diagnostics, errors only, to the log sink from then on, from
// whichever thread FFmpeg reports them. Safe to call any number of times.
void RouteFfmpegLog();
// Logs one of FFmpeg's lines, its line end taken off, as the route does.
void LogFfmpegText(std::string_view text);

}  // namespace platform
