#include "extras/StaffrollTimeline.h"

#include <algorithm>

#include "extras/STAFFROLL_CREDIT_DATA.h"

namespace {

using STRIP = StaffrollTimeline::STRIP;
using ROW = StaffrollTimeline::ROW;
using SETTING = StaffrollTimeline::SETTING;
using K = STAFFROLL_CREDIT_DATA::FADE_KIND;

// The upper strips are 16 pixels high, the lower 24; single strips and the block sit
// lower so that they stand where a pair would.
constexpr STRIP Upper(std::int32_t nTop, std::uint32_t dwOut) {
    return {{0, nTop, 400, nTop + 16}, 200, 528, dwOut};
}
constexpr STRIP Lower(std::int32_t nTop, std::uint32_t dwOut) {
    return {{0, nTop, 400, nTop + 24}, 200, 544, dwOut};
}
constexpr STRIP Single(std::int32_t nTop, std::uint32_t dwOut) {
    return {{0, nTop, 400, nTop + 24}, 200, 536, dwOut};
}
constexpr STRIP kStillShown{};

constexpr ROW kRows[] = {
    {3350, {Single(0, 7200), kStillShown}},
    {8200, {Upper(48, 12050), Lower(360, 12050)}},
    {13050, {Upper(64, 16900), Lower(384, 16900)}},
    {17900, {Upper(80, 21750), Lower(408, 21750)}},
    {22750, {Upper(96, 26600), Lower(432, 26600)}},
    {30100, {Single(24, 33950), kStillShown}},
    {34950, {Upper(112, 38800), Lower(456, 38800)}},
    {39800, {Upper(128, 43650), Lower(480, 43650)}},
    {44650, {Upper(144, 48500), Lower(504, 48500)}},
    {49500, {Upper(160, 72750), Lower(528, 53350)}},
    {54350, {kStillShown, Lower(552, 58200)}},
    {59200, {kStillShown, Lower(576, 63050)}},
    {64050, {kStillShown, Lower(600, 67900)}},
    {68900, {kStillShown, Lower(768, 72750)}},
    {73750, {Upper(840, 77600), Lower(552, 77600)}},
    {78600, {Upper(176, 82450), Lower(624, 82450)}},
    {83450, {Upper(192, 87300), Lower(648, 87300)}},
    {88300, {Upper(208, 92150), Lower(672, 92150)}},
    {93150, {Upper(224, 97000), Lower(696, 97000)}},
    {98000, {{{0, 288, 400, 360}, 200, 520, 103500}, kStillShown}},
    {104500, {Upper(240, 113200), Lower(720, 108350)}},
    {109350, {kStillShown, Lower(744, 113200)}},
    {114200, {Upper(272, 118700), Lower(792, 118700)}},
    {121200, {Upper(256, 126700), Lower(816, 126700)}},
};

// Both records are off before the first strip and again between the first single
// strip and the first pair; record 1 is left alone while the single strip shows.
constexpr std::uint32_t kFirstIn = 3350;
constexpr std::uint32_t kPairsGapStart = 7700;
constexpr std::uint32_t kPairsGapEnd = 8200;

bool Off(std::uint32_t dwStart) {
    return dwStart < kFirstIn || (dwStart >= kPairsGapStart && dwStart < kPairsGapEnd);
}

}  // namespace

std::span<const ROW> StaffrollTimeline::Rows() { return kRows; }

// The record's latest strip risen by dwStart gives the kind of the span dwStart lies
// in: rising, shown, sinking, then hidden until its next strip.
SETTING StaffrollTimeline::SettingOf(int nRecord, std::uint32_t dwStart) {
    if (Off(dwStart)) return {true, K::FADE_OFF, {}, 0, 0};
    const ROW* pRow = nullptr;
    for (const ROW& row : kRows) {
        if (row.dwIn <= dwStart && row.strip[nRecord].Present()) pRow = &row;
    }
    if (pRow == nullptr) return {};
    const STRIP& strip = pRow->strip[nRecord];
    std::int32_t nKind = K::FADE_ONE;
    if (dwStart < pRow->dwIn + kFadeTime) {
        nKind = K::FADE_FALLING;
    } else if (dwStart < strip.dwOut) {
        nKind = K::FADE_ZERO;
    } else if (dwStart < strip.dwOut + kFadeTime) {
        nKind = K::FADE_RISING;
    }
    return {true, nKind, strip.rcSrc, strip.nX, strip.nY};
}

std::vector<StaffrollTimeline::WINDOW> StaffrollTimeline::Derive() {
    std::vector<std::uint32_t> bounds = {0, kCreditsEnd};
    for (const ROW& row : kRows) {
        for (const STRIP& strip : row.strip) {
            if (!strip.Present()) continue;
            bounds.insert(bounds.end(),
                          {row.dwIn, row.dwIn + kFadeTime, strip.dwOut, strip.dwOut + kFadeTime});
        }
    }
    std::sort(bounds.begin(), bounds.end());
    bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());
    std::vector<WINDOW> windows;
    for (std::size_t i = 0; i + 1 < bounds.size(); ++i) {
        WINDOW window{bounds[i], bounds[i + 1], {}};
        for (int nRecord = 0; nRecord < kRecords; ++nRecord) {
            window.setting[nRecord] = SettingOf(nRecord, window.dwStart);
        }
        windows.push_back(window);
    }
    return windows;
}

const std::vector<StaffrollTimeline::WINDOW>& StaffrollTimeline::Windows() {
    static const std::vector<WINDOW> windows = Derive();
    return windows;
}

const StaffrollTimeline::WINDOW* StaffrollTimeline::Find(std::uint32_t dwElapsed) {
    const std::vector<WINDOW>& windows = Windows();
    const auto it =
        std::upper_bound(windows.begin(), windows.end(), dwElapsed,
                         [](std::uint32_t dwTime, const WINDOW& w) { return dwTime < w.dwEnd; });
    return it == windows.end() ? nullptr : &*it;
}
