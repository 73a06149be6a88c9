#include "system/FileWriteError.h"

#include <cerrno>
#include <cstring>

#include "platform/core/Log.h"

void LogFileWriteError(std::string_view tag, std::string_view path, int error) {
    platform::LogError(tag, u8"%s の書き込みに失敗しました (%s)\n", platform::GameArg(path),
                       platform::Utf8Arg(std::strerror(error)));
}

int StreamError() { return errno != 0 ? errno : EIO; }
