#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/video/Rect.h"

// The staff roll's credits: a fixed table of when each strip of the credits picture
// rises out of black and sinks back, and the windows of time derived from it, in each
// of which every record of the roll is set one way. Times are milliseconds from the
// roll's start.
class StaffrollTimeline {
public:
    static constexpr int kRecords = 2;
    // The credits end here and the logo begins.
    static constexpr std::uint32_t kCreditsEnd = 130000;
    // Every rise and every sinking lasts this long.
    static constexpr std::uint32_t kFadeTime = 500;

    // One record's strip: the rectangle cut, where it is drawn, and when it starts to
    // sink. An empty rectangle means the record takes no new strip in that row.
    struct STRIP {
        platform::Rect rcSrc;
        std::int32_t nX = 0;
        std::int32_t nY = 0;
        std::uint32_t dwOut = 0;
        bool Present() const { return !rcSrc.empty(); }
    };
    // The strips whose rise starts at dwIn, by record.
    struct ROW {
        std::uint32_t dwIn = 0;
        STRIP strip[kRecords];
    };
    // How a record is set in a window; bSet false leaves it as it was.
    struct SETTING {
        bool bSet = false;
        std::int32_t nKind = 0;
        platform::Rect rcSrc;
        std::int32_t nX = 0;
        std::int32_t nY = 0;
    };
    // [dwStart, dwEnd).
    struct WINDOW {
        std::uint32_t dwStart = 0;
        std::uint32_t dwEnd = 0;
        SETTING setting[kRecords];
    };

    static std::span<const ROW> Rows();
    static const std::vector<WINDOW>& Windows();
    // The window holding dwElapsed; null from kCreditsEnd on.
    static const WINDOW* Find(std::uint32_t dwElapsed);

private:
    static std::vector<WINDOW> Derive();
    static SETTING SettingOf(int nRecord, std::uint32_t dwStart);
};
