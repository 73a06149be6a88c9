#include "platform/text/Cp932.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdio>

namespace platform {

namespace {

// One conversion descriptor per call: iconv_t keeps shift state and is not thread-safe.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of [in, in + left) as it can; returns false on the first
    // byte sequence that cannot be converted, leaving in/left at that byte.
    bool convert(const char*& in, std::size_t& left, std::string& out) {
        std::array<char, 256> buffer{};
        while (left > 0) {
            char* src = const_cast<char*>(in);
            char* dst = buffer.data();
            std::size_t room = buffer.size();
            const std::size_t rc = iconv(cd_, &src, &left, &dst, &room);
            out.append(buffer.data(), buffer.size() - room);
            in = src;
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) return false;
        }
        return true;
    }

private:
    iconv_t cd_;
};

}  // namespace

std::optional<std::string> utf8ToCp932(std::string_view utf8) {
    Converter converter("CP932", "UTF-8");
    if (!converter.valid()) return std::nullopt;
    std::string out;
    const char* in = utf8.data();
    std::size_t left = utf8.size();
    if (!converter.convert(in, left, out)) return std::nullopt;
    return out;
}

std::optional<std::string> utf8ToCp932(std::u8string_view utf8) {
    return utf8ToCp932(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

std::string cp932ToUtf8(std::string_view cp932) {
    Converter converter("UTF-8", "CP932");
    std::string out;
    const char* in = cp932.data();
    std::size_t left = cp932.size();
    while (left > 0) {
        if (converter.valid() && converter.convert(in, left, out)) break;
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(*in));
        out += escaped;
        ++in;
        --left;
    }
    return out;
}

}  // namespace platform
