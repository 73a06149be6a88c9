#include "windows/WindowSlide.h"

#include <cmath>
#include <string>

#include "windows/WindowLog.h"

namespace {

constexpr float kFullSpeed = 1.57f;
constexpr float kSlowest = 0.1f;
constexpr double kQuarterTurn = 1.57;
constexpr double kCloseEaseBelow = 50;
constexpr double kDayFullSpeedUpTo = 10;
constexpr double kCloseDistance = 100;

// Message, day, settings, save/load.
constexpr SLIDE_ROW kRows[] = {
    {"MSG_WINDOW_DATA", SLIDE_AXIS::Y, 2, 600, 417, 50, 100, CLOSE_RULE::EaseIn, 1, true, false,
     true, 1, 2, 417},
    {"DAY_WINDOW_DATA", SLIDE_AXIS::X, 2, -136, 2, 25, 100, CLOSE_RULE::DayCurve, 0, false, true,
     true, 1, -136, 2},
    {"CONFIG_DATA", SLIDE_AXIS::Y, 64, 600, 76, 100, 100, CLOSE_RULE::EaseIn, 0.0001, false, false,
     false, -1, 64, 600},
    {"SAVE_LOAD_WINDOW_DATA", SLIDE_AXIS::Y, 200, 600, 5, 50, 50, CLOSE_RULE::EaseIn, 0.0001, false,
     false, false, -1, 0, 0},
};

float AtLeastSlowest(float fAngle) { return fAngle < kSlowest ? kSlowest : fAngle; }

std::int32_t& Moving(const SLIDE_ROW& row, SLIDE_FIELDS& f) {
    return row.axis == SLIDE_AXIS::Y ? f.nY : f.nX;
}

void Place(const SLIDE_ROW& row, SLIDE_FIELDS& f, std::int32_t nPosition) {
    Moving(row, f) = nPosition;
    (row.axis == SLIDE_AXIS::Y ? f.nX : f.nY) = row.nFixed;
}

// Where a move from the current position lands, in the direction from one end to
// the other. Sums stay in double, so that no step and no restored position can
// overflow before the end test.
double Advance(const SLIDE_ROW& row, std::int32_t nCurrent, std::int32_t nFrom,
               std::int32_t nTarget, double dMove) {
    if (row.bIntegerMove) dMove = std::fmax(std::trunc(dMove), 1);
    const double direction = nTarget > nFrom ? 1 : -1;
    return std::trunc(nCurrent + direction * dMove);
}

bool Reached(double dNext, std::int32_t nFrom, std::int32_t nTarget) {
    return nTarget > nFrom ? dNext >= nTarget : dNext <= nTarget;
}

// Ends the slide at position; shown says whether the panel stays up.
std::int32_t Finish(const SLIDE_ROW& row, SLIDE_FIELDS& f, std::int32_t nPosition,
                    std::uint32_t nShown) {
    Place(row, f, nPosition);
    f.fAngle = 0;
    f.nSlideFlg = 0;
    f.nDispFlg = nShown;
    return 1;
}

bool Initialized(const SLIDE_ROW& row, const SLIDE_FIELDS& f, const char* szMethod) {
    if (f.nInitFlg != 0) return true;
    WindowLogError(std::string(row.szClass) + "::" + szMethod, WINDOW_FAILURE::NotInitialized);
    return false;
}

float OpenAngle(const SLIDE_ROW& row, double dDistance) {
    if (dDistance >= row.dOpenThreshold) return kFullSpeed;
    return AtLeastSlowest(static_cast<float>(dDistance / row.dOpenDistance * kQuarterTurn));
}

float CloseAngle(const SLIDE_ROW& row, double dTravelled) {
    if (row.closeRule == CLOSE_RULE::DayCurve) {
        if (dTravelled <= kDayFullSpeedUpTo) return kFullSpeed;
        return AtLeastSlowest(static_cast<float>(dTravelled / kCloseDistance * kQuarterTurn));
    }
    if (dTravelled >= kCloseEaseBelow) return kFullSpeed;
    return AtLeastSlowest(
        static_cast<float>((dTravelled + row.dCloseOffset) / kCloseDistance * kQuarterTurn));
}

}  // namespace

double SinFloat(float fAngle) { return std::sin(static_cast<double>(fAngle)); }

const SLIDE_ROW& SlideRow(SLIDE_WINDOW window) { return kRows[static_cast<int>(window)]; }

std::int32_t SlideOpen(const SLIDE_ROW& row, std::uint32_t dwStep, SLIDE_FIELDS f) {
    if (!Initialized(row, f, "WindowOpen")) return -1;
    if (row.bInstantStep0 && dwStep == 0) return Finish(row, f, row.nOpen, 1);
    if (f.nSlideFlg == 0) {
        f.nDispFlg = 1;
        f.fAngle = 0;
        Place(row, f, row.nClosed);
        f.nSlideFlg = 1;
    }
    const std::int32_t nCurrent = Moving(row, f);
    f.fAngle = OpenAngle(row, std::fabs(static_cast<double>(row.nOpen) - nCurrent));
    const auto s = static_cast<float>(SinFloat(f.fAngle));
    const double dNext =
        Advance(row, nCurrent, row.nClosed, row.nOpen, static_cast<double>(dwStep) * s);
    if (Reached(dNext, row.nClosed, row.nOpen)) return Finish(row, f, row.nOpen, 1);
    Moving(row, f) = static_cast<std::int32_t>(dNext);
    return 0;
}

std::int32_t SlideClose(const SLIDE_ROW& row, std::uint32_t dwStep, SLIDE_FIELDS f) {
    if (!Initialized(row, f, "WindowClose")) return row.nCloseWithoutInit;
    if (row.bInstantStep0 && dwStep == 0) return Finish(row, f, row.nClosed, 0);
    if (f.nSlideFlg == 0) {
        f.fAngle = 1.0f;
        Place(row, f, row.nOpen);
        f.nSlideFlg = 1;
    }
    const std::int32_t nCurrent = Moving(row, f);
    f.fAngle = CloseAngle(row, std::fabs(static_cast<double>(nCurrent) - row.nOpen));
    const auto s = static_cast<float>(SinFloat(f.fAngle));
    double dMove = static_cast<double>(dwStep) * s;
    if (row.bCloseMinimum) dMove = std::fmax(static_cast<float>(dMove), 1.0f);
    const double dNext = Advance(row, nCurrent, row.nOpen, row.nClosed, dMove);
    if (Reached(dNext, row.nOpen, row.nClosed)) return Finish(row, f, row.nClosed, 0);
    Moving(row, f) = static_cast<std::int32_t>(dNext);
    return 0;
}
