#pragma once

#include <cstdint>

#include "platform/video/Rect.h"

// The now-playing mark: a small picture that slides along one row from left to right,
// entering at the row's left edge and leaving at its right edge, clipped to the row,
// then starting again from the left. It only computes where it stands and which part
// of its cell shows; its owner draws it while it runs.
class SLIDE_MARK_DATA {
public:
    // The mark's cell on the music room's material.
    static constexpr platform::Rect rcGrSize{369, 0, 402, 26};
    static constexpr std::int32_t kWidth = rcGrSize.right - rcGrSize.left;

    SLIDE_MARK_DATA() { Clear(); }

    // Every field 0: the mark stops.
    void Clear();
    void Reset() { Clear(); }
    // Starts the mark at the left of the row, crossing one row width per dwSlideTimeIn
    // milliseconds from dwNow.
    void SlideSet(const platform::Rect& rcSlideIn, std::uint32_t dwSlideTimeIn,
                  std::uint32_t dwNow);
    // One step to dwNow. Returns 1.
    std::int32_t SlideProc(std::uint32_t dwNow);
    // Hold the time base across a pause, so that the step after the restart leaves the
    // paused span out. Return 1.
    std::int32_t SlidePause(std::uint32_t dwNow);
    std::int32_t SlideRestart(std::uint32_t dwNow);
    // Where the visible part is drawn: while the mark enters, its cut part starts at
    // the row's left edge.
    std::int32_t DrawX() const;

    std::int32_t nX;
    std::int32_t nY;
    platform::Rect rcSlide;
    // The visible part of the cell, in the material's coordinates.
    platform::Rect rcSrc;
    std::uint32_t dwSlideTime;
    std::uint32_t dwLastTime;
    std::uint32_t dwPauseTime;
    std::int32_t nSlideFlg;
};
