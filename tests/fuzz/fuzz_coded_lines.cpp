// Feeds arbitrary bytes to the line codec: as a coded file read a line at a time, as a
// file to decode, and as a plain file that must survive encoding and decoding.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "system/ZKCODE.h"

using zkfuzz::Require;

namespace {

const std::string kDir = "fuzz_coded_lines.work/";
const std::string kPlain = kDir + "plain", kCoded = kDir + "coded", kBack = kDir + "back";

// Exactly 512-byte heap buffers, as the script reader uses, so that any read or
// write past them is caught.
int ReadAndDecodeLines(std::FILE* file) {
    std::vector<char> raw(512);
    std::vector<char> out(512);
    while (CodeFileReadOneLine(file, raw.data(), 512) == 0) {
        const int result = CodeLineDecode(raw.data(), 512, out.data());
        Require(result == 0 || result == 1, "CodeLineDecode gave neither 0 nor 1");
    }
    return 0;
}

int Encode(unsigned int flags) { return ZKEncode(kPlain.c_str(), kCoded.c_str(), flags); }

void RequireRoundTrip(const std::string& plain, unsigned int flags) {
    Require(Encode(flags) == 0, "ZKEncode failed");
    Require(ZKDecode(kCoded.c_str(), kBack.c_str()) == 0, "ZKDecode failed");
    std::ifstream back(kBack, std::ios::binary);
    Require(std::string(std::istreambuf_iterator<char>(back), {}) == plain,
            "round trip changed the bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zkfuzz::QuietLog quiet;
    static const bool made = std::filesystem::create_directories(kDir);
    (void)made;

    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!bytes.empty()) zkfuzz::ReadFromMemory(bytes, ReadAndDecodeLines);

    std::ofstream(kPlain, std::ios::binary | std::ios::trunc) << bytes;
    const int decoded = ZKDecode(kPlain.c_str(), (kDir + "decoded").c_str());
    Require(decoded == 0 || decoded == -1, "ZKDecode gave neither 0 nor -1");

    RequireRoundTrip(bytes, 0);
    if (bytes.find("\xF2\xF5") == std::string::npos) {
        RequireRoundTrip(bytes, kZKEncodeKeepLineBreaks);
    } else {
        Require(Encode(kZKEncodeKeepLineBreaks) == -1,
                "ZKEncode kept F2 F5, which reads back as CR LF");
    }
    return 0;
}
