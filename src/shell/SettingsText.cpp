#include "shell/SettingsText.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "platform/core/Log.h"
#include "platform/core/Services.h"
#include "platform/files/Files.h"
#include "platform/text/Cp932.h"

std::FILE* OpenSettingsFile(const char* path, std::string_view tag, bool& unreadable) {
    std::FILE* stream = nullptr;
    const int error =
        platform::service<platform::Files>().openRegularFile(path, kMaxSettingsBytes, stream);
    unreadable = error != 0 && error != ENOENT;
    if (unreadable) {
        platform::LogError(tag, u8"%s を読み込めません (%s)\n", platform::GameArg(path),
                           platform::Utf8Arg(std::strerror(error)));
    }
    return stream;
}

SettingsLine ReadSettingsLine(std::FILE* stream, std::string& line, std::size_t maxBytes) {
    line.clear();
    int c = std::fgetc(stream);
    if (c == EOF) return SettingsLine::End;
    bool damaged = false;
    std::uint64_t scanned = 0;
    for (; c != EOF && c != '\n'; c = std::fgetc(stream)) {
        // A stream that never ends must not hold the reader.
        if (++scanned > kMaxSettingsBytes) return SettingsLine::Damaged;
        damaged = damaged || c == '\0' || line.size() == maxBytes;
        if (line.size() < maxBytes) line.push_back(static_cast<char>(c));
    }
    return damaged ? SettingsLine::Damaged : SettingsLine::Read;
}

std::int32_t ParseSettingsNumber(std::string_view word) {
    std::size_t i = 0;
    const bool negative = !word.empty() && word[0] == '-';
    if (!word.empty() && (word[0] == '-' || word[0] == '+')) i = 1;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    for (; i < word.size() && word[i] >= '0' && word[i] <= '9'; ++i) {
        value = std::min<std::int64_t>(value * 10 + (word[i] - '0'), kLimit);
    }
    if (negative) return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(std::min<std::int64_t>(value, kLimit - 1));
}

std::string SettingsCp932(std::u8string_view utf8) {
    return platform::utf8ToCp932(utf8).value_or(std::string{});
}
