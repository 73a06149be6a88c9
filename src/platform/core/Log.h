#pragma once

#include <concepts>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/core/LogSink.h"

namespace platform {

// One argument of a log text. Integers fill %d, %u, %x and %X; strings fill %s and
// say what they hold: UTF-8 passes unchanged, game text (CP932) is converted.
class LogArg {
public:
    template <std::integral T>
    LogArg(T value) : number_(static_cast<std::int64_t>(value)), isNumber_(true) {}

    static LogArg Utf8(std::string_view text);
    static LogArg Game(std::string_view cp932);

    bool isNumber() const { return isNumber_; }
    std::int64_t number() const { return number_; }
    const std::string& text() const { return text_; }

private:
    LogArg() = default;
    std::int64_t number_ = 0;
    bool isNumber_ = false;
    std::string text_;
};

inline LogArg Utf8Arg(std::string_view text) { return LogArg::Utf8(text); }

inline LogArg GameArg(std::string_view cp932) { return LogArg::Game(cp932); }

// A log text in UTF-8, from either kind of literal.
class LogText {
public:
    LogText(const char* text) : text_(text) {}
    LogText(const char8_t* text) : text_(reinterpret_cast<const char*>(text)) {}
    std::string_view view() const { return text_; }

private:
    std::string_view text_;
};

// Fills the printf-style conversions of text from args; a final "\n" is dropped.
std::string FormatLogText(LogText text, std::span<const LogArg> args);

void WriteLogLine(LogChannel channel, std::string_view prefix, std::string_view tag, LogText text,
                  std::span<const LogArg> args);

// "Error: <tag> text" on the debug channel; Warn and Message alike.
template <class... Args>
void LogError(std::string_view tag, LogText text, const Args&... args) {
    const LogArg list[] = {LogArg(args)..., LogArg(0)};
    WriteLogLine(LogChannel::Debug, "Error", tag, text, std::span(list, sizeof...(Args)));
}

template <class... Args>
void LogWarn(std::string_view tag, LogText text, const Args&... args) {
    const LogArg list[] = {LogArg(args)..., LogArg(0)};
    WriteLogLine(LogChannel::Debug, "Warn", tag, text, std::span(list, sizeof...(Args)));
}

template <class... Args>
void LogMessage(std::string_view tag, LogText text, const Args&... args) {
    const LogArg list[] = {LogArg(args)..., LogArg(0)};
    WriteLogLine(LogChannel::Debug, "Message", tag, text, std::span(list, sizeof...(Args)));
}

// A line as it stands, without prefix or tag (the archive reader's console texts).
template <class... Args>
void LogPlain(LogChannel channel, LogText text, const Args&... args) {
    const LogArg list[] = {LogArg(args)..., LogArg(0)};
    WriteLogLine(channel, {}, {}, text, std::span(list, sizeof...(Args)));
}

}  // namespace platform
