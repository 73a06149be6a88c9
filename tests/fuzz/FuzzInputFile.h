#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace zkfuzz {

// For targets whose code reads files: each input goes to one file outside the
// corpus folder, apart from any other run of the target, removed when the run ends.
class FuzzInputFile {
public:
    explicit FuzzInputFile(std::string_view target) {
        std::random_device random;
        const auto name = std::string(target) + "." + std::to_string(random()) + ".input";
        path_ = (std::filesystem::temp_directory_path() / name).string();
    }
    ~FuzzInputFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    FuzzInputFile(const FuzzInputFile&) = delete;
    FuzzInputFile& operator=(const FuzzInputFile&) = delete;

    // Replaces the file's content with the input; its path.
    const std::string& write(const std::uint8_t* data, std::size_t size) const {
        std::ofstream file(path_, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        return path_;
    }

private:
    std::string path_;
};

}  // namespace zkfuzz
