#include "script/MosaicGrid.h"

#include <algorithm>

std::uint32_t MosaicGrid::Clamp(std::uint32_t dwSize) {
    return std::clamp(dwSize, kMinSize, kMaxSize);
}

std::uint32_t MosaicGrid::ClampWord(std::int32_t nWord) {
    return Clamp(static_cast<std::uint32_t>(nWord));
}

MosaicGrid::MosaicGrid(std::uint32_t dwSizeIn, std::uint32_t dwWidth, std::uint32_t dwHeight)
    : dwSize(Clamp(dwSizeIn)), nCols(dwWidth / dwSize + 1), nRows(dwHeight / dwSize + 1) {}

platform::Rect MosaicGrid::Cell(std::uint32_t i) const {
    const std::int64_t s = dwSize;
    const std::int64_t c = i % nCols;
    const std::int64_t r = i / nCols;
    return platform::SaturatedRect(c * s, r * s, (c + 1) * s, (r + 1) * s);
}

std::uint32_t MosaicGrid::SizeAt(std::uint32_t dwStart, std::uint32_t dwEnd,
                                 std::uint32_t dwDuration, std::uint32_t dwElapsed, bool bExpand) {
    const std::int64_t start = dwStart;
    const std::int64_t end = dwEnd;
    const std::int64_t difference = bExpand ? end - start : start - end;
    if (difference <= 0) return dwEnd;
    // A duration shorter than the difference still moves one pixel per millisecond.
    const std::int64_t step = std::max<std::int64_t>(1, dwDuration / difference);
    const std::int64_t moved = dwElapsed / step;
    return static_cast<std::uint32_t>(bExpand ? std::min(end, start + moved)
                                              : std::max(end, start - moved));
}
