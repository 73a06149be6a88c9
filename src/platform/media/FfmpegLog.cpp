#include "platform/media/FfmpegLog.h"

#include <cstdarg>
#include <mutex>
#include <string_view>

extern "C" {
#include <libavutil/log.h>
}

#include "platform/core/Log.h"
#include "platform/media/FfmpegLogHold.h"

namespace platform {

namespace {

void LogFfmpegLine(void* object, int level, const char* format, va_list args) {
    if (level > AV_LOG_ERROR) return;
    char line[1024];
    int printPrefix = 1;
    av_log_format_line2(object, level, format, args, line, sizeof line, &printPrefix);
    if (!FfmpegLogHold::keep(line)) LogFfmpegText(line);
}

}  // namespace

void LogFfmpegText(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
    if (!text.empty()) LogError("FFmpeg", "%s", Utf8Arg(text));
}

void RouteFfmpegLog() {
    static std::once_flag routed;
    std::call_once(routed, [] { av_log_set_callback(LogFfmpegLine); });
}

}  // namespace platform
