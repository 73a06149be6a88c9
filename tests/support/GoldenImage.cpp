#include "support/GoldenImage.h"

#include <cstdlib>
#include <filesystem>

#include "autoplay/PngWriter.h"
#include "support/Bytes.h"
#include "support/ReadPng.h"

namespace zktest {

namespace {

constexpr std::uint32_t kDiffRed = 0xFF0000;

std::vector<std::uint32_t> Cut(const std::vector<std::uint32_t>& frame, int frameWidth,
                               const platform::Rect& region) {
    std::vector<std::uint32_t> part;
    for (int y = region.top; y < region.bottom; ++y) {
        for (int x = region.left; x < region.right; ++x) {
            part.push_back(frame[static_cast<std::size_t>(y) * frameWidth + x]);
        }
    }
    return part;
}

}  // namespace

::testing::AssertionResult GoldenImage::Matches(const std::string& goldenPath,
                                                const std::vector<std::uint32_t>& frame,
                                                int frameWidth, const platform::Rect& region) {
    const auto width = static_cast<int>(region.width());
    const auto height = static_cast<int>(region.height());
    const std::vector<std::uint32_t> actual = Cut(frame, frameWidth, region);
    if (const char* update = std::getenv("ZK_UPDATE_GOLDEN");
        update && update == std::string("1")) {
        WriteFileBytes(goldenPath, autoplay::PngBytes(width, height, actual));
        return ::testing::AssertionSuccess() << "written " << goldenPath;
    }
    if (!FileExists(goldenPath)) return ::testing::AssertionFailure() << "no file " << goldenPath;
    const ReadPng golden = ReadPng::Read(ReadFileBytes(goldenPath));
    if (golden.width != static_cast<std::uint32_t>(width) ||
        golden.height != static_cast<std::uint32_t>(height)) {
        return ::testing::AssertionFailure()
               << goldenPath << " is " << golden.width << " x " << golden.height << ", the region "
               << width << " x " << height;
    }
    const std::vector<std::uint32_t> expected = golden.xrgb();
    std::vector<std::uint32_t> diff(actual.size());
    int count = 0;
    std::size_t first = 0;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        const bool differs = actual[i] != expected[i];
        diff[i] = differs ? kDiffRed : (actual[i] >> 2) & 0x3F3F3F;
        if (differs && count++ == 0) first = i;
    }
    if (count == 0) return ::testing::AssertionSuccess();
    const std::string name = std::filesystem::path(goldenPath).stem().string();
    WriteFileBytes(name + ".actual.png", autoplay::PngBytes(width, height, actual));
    WriteFileBytes(name + ".diff.png", autoplay::PngBytes(width, height, diff));
    return ::testing::AssertionFailure()
           << count << " pixels differ from " << goldenPath << "; the first at ("
           << region.left + static_cast<int>(first % width) << ", "
           << region.top + static_cast<int>(first / width) << "): 0x" << std::hex << actual[first]
           << ", golden 0x" << expected[first] << std::dec << "; see "
           << std::filesystem::current_path().string() << "/" << name << ".actual.png";
}

}  // namespace zktest
