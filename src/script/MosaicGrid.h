#pragma once

#include <cstdint>

#include "platform/video/Rect.h"

// The mosaic's geometry and its cell size over time. Cells are squares of one size
// laid from the top-left corner of a W x H screen; the last column and row reach past
// its edges.
class MosaicGrid {
public:
    static constexpr std::uint32_t kMinSize = 16;
    static constexpr std::uint32_t kMaxSize = 800;

    // A cell size held to 16 ... 800.
    static std::uint32_t Clamp(std::uint32_t dwSize);
    // A size word of a script, read as an unsigned word: a negative count is above 800.
    static std::uint32_t ClampWord(std::int32_t nWord);

    MosaicGrid(std::uint32_t dwSizeIn, std::uint32_t dwWidth, std::uint32_t dwHeight);

    std::uint32_t Cells() const { return nCols * nRows; }
    // Cell i, counted row by row.
    platform::Rect Cell(std::uint32_t i) const;

    // The cell size at an elapsed time, moving from start towards end at one pixel per
    // step; it never passes end, however late the frame.
    static std::uint32_t SizeAt(std::uint32_t dwStart, std::uint32_t dwEnd,
                                std::uint32_t dwDuration, std::uint32_t dwElapsed, bool bExpand);
    // The size has reached the end in its direction.
    static bool Arrived(std::uint32_t dwSize, std::uint32_t dwEnd, bool bExpand) {
        return bExpand ? dwSize >= dwEnd : dwSize <= dwEnd;
    }

    std::uint32_t dwSize;
    std::uint32_t nCols;
    std::uint32_t nRows;
};
