#pragma once

#include <cstdint>

// The sine of a float angle, widened to double before it is taken.
double SinFloat(float fAngle);

// The windows that slide, one row each of the slide table.
enum class SLIDE_WINDOW {
    Message,
    Day,
    Config,
    SaveLoad,
};

enum class SLIDE_AXIS { X, Y };

// How a closing slide eases: in over its first 50 px, or at full speed for its
// first 10 px and then along the distance travelled.
enum class CLOSE_RULE { EaseIn, DayCurve };

// One window's slide: its two end points on the moving axis, the other coordinate,
// the easing of each direction and what it does without initialisation.
struct SLIDE_ROW {
    const char* szClass;
    SLIDE_AXIS axis;
    std::int32_t nFixed;
    std::int32_t nClosed;
    std::int32_t nOpen;
    double dOpenThreshold;  // T: the open slide eases in below this distance
    double dOpenDistance;   // D
    CLOSE_RULE closeRule;
    double dCloseOffset;  // c of the eased close
    // The move of a closing slide is at least one pixel (as a float).
    bool bCloseMinimum;
    // Moves are whole pixels of at least one (the day window).
    bool bIntegerMove;
    // Step 0 places the panel at once.
    bool bInstantStep0;
    std::int32_t nCloseWithoutInit;
    std::int32_t nResetX;
    std::int32_t nResetY;
};

const SLIDE_ROW& SlideRow(SLIDE_WINDOW window);

// The common fields of a sliding window, as the step functions change them.
struct SLIDE_FIELDS {
    const std::uint32_t& nInitFlg;
    std::uint32_t& nDispFlg;
    std::uint32_t& nSlideFlg;
    std::int32_t& nX;
    std::int32_t& nY;
    float& fAngle;
};

// One frame of a slide by at most step pixels: 1 at the end position, 0 still
// moving, and without initialisation the row's result after its log line.
std::int32_t SlideOpen(const SLIDE_ROW& row, std::uint32_t dwStep, SLIDE_FIELDS fields);
std::int32_t SlideClose(const SLIDE_ROW& row, std::uint32_t dwStep, SLIDE_FIELDS fields);
