#include "common/CodedScriptWriter.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/text/Cp932.h"
#include "system/ZKCODE.h"

namespace zktools {

namespace {

namespace fs = std::filesystem;

// The codec works on files: a private pair in the system's temporary folder.
struct TempPair {
    fs::path plain;
    fs::path coded;
    TempPair() {
        static std::atomic<unsigned> counter{0};
        const std::string stem = "zkscript-" +
                                 std::to_string(reinterpret_cast<std::uintptr_t>(this)) + "-" +
                                 std::to_string(counter++);
        plain = fs::temp_directory_path() / (stem + ".txt");
        coded = fs::temp_directory_path() / (stem + ".spt");
    }
    ~TempPair() {
        std::error_code ignored;
        fs::remove(plain, ignored);
        fs::remove(coded, ignored);
    }
};

}  // namespace

std::optional<std::string> EncodeScript(std::string_view plain, std::string& error) {
    TempPair files;
    {
        std::ofstream out(files.plain, std::ios::binary);
        out.write(plain.data(), static_cast<std::streamsize>(plain.size()));
        if (!out) {
            error = "cannot write " + files.plain.string();
            return std::nullopt;
        }
    }
    if (ZKEncode(files.plain.c_str(), files.coded.c_str(), kZKEncodeKeepLineBreaks) != 0) {
        error = "the line codec failed on " + files.plain.string();
        return std::nullopt;
    }
    std::ifstream in(files.coded, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::optional<std::string> CodedScriptBytes(const std::vector<std::u8string>& lines,
                                            std::string& error) {
    std::string plain;
    for (const std::u8string& line : lines) {
        const std::optional<std::string> cp932 = platform::utf8ToCp932(line);
        if (!cp932) {
            error = "a line has no CP932 form";
            return std::nullopt;
        }
        plain += *cp932 + "\r\n";
    }
    return EncodeScript(plain, error);
}

}  // namespace zktools
