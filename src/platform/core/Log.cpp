#include "platform/core/Log.h"

#include <cstdio>

#include "platform/core/Services.h"
#include "platform/text/Cp932.h"

namespace platform {

LogArg LogArg::Utf8(std::string_view text) {
    LogArg arg;
    arg.text_ = text;
    return arg;
}

LogArg LogArg::Game(std::string_view cp932) {
    LogArg arg;
    arg.text_ = cp932ToUtf8(cp932);
    return arg;
}

namespace {

std::string FormatNumber(const LogArg& arg, char conversion, int width, bool zeroPad) {
    char buffer[32];
    const char* pattern = "%*lld";
    long long value = arg.number();
    if (conversion == 'u') {
        pattern = zeroPad ? "%0*llu" : "%*llu";
        value = static_cast<long long>(static_cast<std::uint32_t>(value));
    } else if (conversion == 'x') {
        pattern = zeroPad ? "%0*llx" : "%*llx";
        value = static_cast<long long>(static_cast<std::uint32_t>(value));
    } else if (conversion == 'X') {
        pattern = zeroPad ? "%0*llX" : "%*llX";
        value = static_cast<long long>(static_cast<std::uint32_t>(value));
    } else if (zeroPad) {
        pattern = "%0*lld";
    }
    std::snprintf(buffer, sizeof buffer, pattern, width, value);
    return buffer;
}

std::string FormatArg(const LogArg* arg, char conversion, int width, bool zeroPad) {
    if (arg == nullptr) return "(?)";
    if (conversion == 's') return arg->isNumber() ? std::to_string(arg->number()) : arg->text();
    if (!arg->isNumber()) return arg->text();
    return FormatNumber(*arg, conversion, width, zeroPad);
}

}  // namespace

std::string FormatLogText(LogText text, std::span<const LogArg> args) {
    std::string_view in = text.view();
    if (!in.empty() && in.back() == '\n') in.remove_suffix(1);
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] != '%' || i + 1 >= in.size()) {
            out += in[i];
            continue;
        }
        std::size_t j = i + 1;
        if (in[j] == '%') {
            out += '%';
            i = j;
            continue;
        }
        const bool zeroPad = in[j] == '0';
        int width = 0;
        while (j < in.size() && in[j] >= '0' && in[j] <= '9') width = width * 10 + (in[j++] - '0');
        if (j >= in.size() || std::string_view("sduxX").find(in[j]) == std::string_view::npos) {
            out += in[i];
            continue;
        }
        const LogArg* arg = next < args.size() ? &args[next] : nullptr;
        ++next;
        out += FormatArg(arg, in[j], width, zeroPad);
        i = j;
    }
    return out;
}

void WriteLogLine(LogChannel channel, std::string_view prefix, std::string_view tag, LogText text,
                  std::span<const LogArg> args) {
    std::string line;
    if (!prefix.empty()) {
        line.append(prefix).append(": <").append(tag).append("> ");
    }
    line += FormatLogText(text, args);
    service<LogSink>().write(channel, line);
}

}  // namespace platform
