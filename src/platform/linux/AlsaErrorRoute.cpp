#include "platform/linux/AlsaErrorRoute.h"

#include <cstdarg>
#include <cstdio>

#include "platform/core/Log.h"

namespace platform {

// The library's header (1.2.8) declares this outside its C block, so C++ would look
// for a mangled name; a C declaration in a namespace of its own names the real one.
namespace alsa_c {
extern "C" snd_local_error_handler_t snd_lib_error_set_local(snd_local_error_handler_t func);
}  // namespace alsa_c

namespace {

void LogAlsaError(const char*, int, const char*, int, const char* format, va_list args) {
    char line[512];
    std::vsnprintf(line, sizeof line, format, args);
    LogError("ALSA", "%s", Utf8Arg(line));
}

}  // namespace

// ALSA's default reporter hands a report to the thread's local handler when one is
// set; the process-wide handler stays ALSA's own.
AlsaErrorRoute::AlsaErrorRoute() : previous_(alsa_c::snd_lib_error_set_local(LogAlsaError)) {}

AlsaErrorRoute::~AlsaErrorRoute() { alsa_c::snd_lib_error_set_local(previous_); }

}  // namespace platform
