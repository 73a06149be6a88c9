#include "system/FileWriteError.h"

#include <cerrno>
#include <cstring>

#include "platform/core/Log.h"

namespace {

void LogFailedWithReason(std::string_view tag, std::string_view path, platform::LogText what,
                         int error) {
    platform::LogError(tag, u8"%s の%sに失敗しました (%s)\n", platform::GameArg(path),
                       platform::Utf8Arg(what.view()), platform::Utf8Arg(std::strerror(error)));
}

}  // namespace

void LogFileWriteError(std::string_view tag, std::string_view path, int error) {
    LogFailedWithReason(tag, path, u8"書き込み", error);
}

void LogFolderMakeError(std::string_view tag, std::string_view path, int error) {
    LogFailedWithReason(tag, path, u8"作成", error);
}

int StreamError() { return errno != 0 ? errno : EIO; }
