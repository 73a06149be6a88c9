#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/text/Cp932.h"

namespace zktest {

std::string Hex(std::string_view hex) {
    std::string bytes;
    int pending = -1;
    for (char c : hex) {
        int value;
        if (c >= '0' && c <= '9') {
            value = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            value = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            value = c - 'A' + 10;
        } else {
            continue;
        }
        if (pending < 0) {
            pending = value;
        } else {
            bytes += static_cast<char>(pending * 16 + value);
            pending = -1;
        }
    }
    EXPECT_LT(pending, 0) << "odd number of hex digits in " << hex;
    return bytes;
}

std::string Sjis(std::u8string_view utf8) {
    const auto converted = platform::utf8ToCp932(utf8);
    EXPECT_TRUE(converted.has_value()) << "no CP932 form";
    return converted.value_or(std::string());
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot read " << path;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

bool FileExists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

std::map<std::string, std::string> FolderSnapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    if (!std::filesystem::exists(folder)) return files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files[entry.path().string()] = ReadFileBytes(entry.path().string());
    }
    return files;
}

}  // namespace zktest
