// Feeds arbitrary bytes to the line codec: as a coded file read a line at a time, as a
// file to decode, and as a plain file that must survive encoding and decoding.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/LogSink.h"
#include "platform/Services.h"
#include "system/ZKCODE.h"

namespace {

// Hostile input makes error lines by the thousand; printing them would only slow the run.
class DiscardLogSink : public platform::LogSink {
public:
    void write(platform::LogChannel, std::string_view) override {}
};

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_coded_lines: %s\n", what);
    std::abort();
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Exactly 512-byte heap buffers, as the script reader uses, so that any read or
// write past them is caught.
void ReadAndDecodeLines(std::string bytes) {
    if (bytes.empty()) return;  // fmemopen refuses an empty buffer
    std::FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
    Require(file != nullptr, "fmemopen failed");
    std::vector<char> raw(512);
    std::vector<char> out(512);
    while (CodeFileReadOneLine(file, raw.data(), 512) == 0) {
        const int result = CodeLineDecode(raw.data(), 512, out.data());
        Require(result == 0 || result == 1, "CodeLineDecode gave neither 0 nor 1");
    }
    std::fclose(file);
}

void RequireRoundTrip(const std::string& plain, const std::string& dir, unsigned int flags) {
    Require(ZKEncode((dir + "plain").c_str(), (dir + "coded").c_str(), flags) == 0,
            "ZKEncode failed");
    Require(ZKDecode((dir + "coded").c_str(), (dir + "back").c_str()) == 0, "ZKDecode failed");
    Require(ReadFile(dir + "back") == plain, "round trip changed the bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static DiscardLogSink sink;
    static platform::ScopedService<platform::LogSink> quiet(sink);
    static const std::string dir = [] {
        std::filesystem::create_directories("fuzz_coded_lines.work");
        return std::string("fuzz_coded_lines.work/");
    }();

    const std::string bytes(reinterpret_cast<const char*>(data), size);
    ReadAndDecodeLines(bytes);

    WriteFile(dir + "plain", bytes);
    const int decoded = ZKDecode((dir + "plain").c_str(), (dir + "decoded").c_str());
    Require(decoded == 0 || decoded == -1, "ZKDecode gave neither 0 nor -1");

    RequireRoundTrip(bytes, dir, 0);
    if (bytes.find("\xF2\xF5") == std::string::npos) {
        RequireRoundTrip(bytes, dir, kZKEncodeKeepLineBreaks);
    } else {
        Require(ZKEncode((dir + "plain").c_str(), (dir + "coded").c_str(),
                         kZKEncodeKeepLineBreaks) == -1,
                "ZKEncode kept F2 F5, which reads back as CR LF");
    }
    return 0;
}
