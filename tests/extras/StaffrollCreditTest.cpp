#include <gtest/gtest.h>

#include <set>

#include "extras/STAFFROLL_CREDIT_DATA.h"
#include "extras/StaffrollTimeline.h"

namespace {

using K = STAFFROLL_CREDIT_DATA::FADE_KIND;
using platform::Rect;

constexpr Rect kStrip{0, 48, 400, 64};

// Each kind against the clock, from a record that held 0.25 before.
TEST(StaffrollCredit, EachKindGivesItsValue) {
    const struct {
        std::int32_t kind;
        std::uint32_t start, duration, now;
        float value;
    } cases[] = {
        {K::FADE_FALLING, 1000, 500, 1000, 1.0f},
        {K::FADE_FALLING, 1000, 500, 1250, 0.5f},
        {K::FADE_FALLING, 1000, 500, 1500, 0.0f},
        {K::FADE_FALLING, 1000, 500, 9000, 0.0f},
        {K::FADE_RISING, 1000, 500, 1000, 0.0f},
        {K::FADE_RISING, 1000, 500, 1100, 0.2f},
        {K::FADE_RISING, 1000, 500, 1500, 1.0f},
        {K::FADE_RISING, 1000, 500, 9000, 1.0f},
        {K::FADE_ZERO, 1000, 500, 0, 0.0f},
        {K::FADE_ONE, 9000, 0, 0, 1.0f},
        {7, 1000, 500, 1250, 0.25f},
        {-1, 1000, 500, 1250, 0.25f},
        {K::FADE_FALLING, 1000, 0, 1000, 0.0f},
        {K::FADE_RISING, 1000, 0, 1000, 1.0f},
        {K::FADE_OFF, 1000, 500, 1250, 0.25f},
    };
    for (const auto& c : cases) {
        STAFFROLL_CREDIT_DATA credit;
        credit.fFadeValue = 0.25f;
        credit.Set(200, 528, kStrip, c.start, c.duration, c.kind, c.now);
        EXPECT_FLOAT_EQ(credit.fFadeValue, c.value) << c.kind << " at " << c.now;
        EXPECT_EQ(credit.nFadeKind, c.kind);
        EXPECT_EQ(credit.dwStartTime, c.start);
        EXPECT_EQ(credit.dwFadeTime, c.duration);
        if (c.kind == K::FADE_OFF) {
            EXPECT_TRUE(credit.rcSrc.empty());
            EXPECT_EQ(credit.rcSrc, Rect{});
            EXPECT_EQ(credit.nX, 0);
            EXPECT_EQ(credit.nY, 0);
        } else {
            EXPECT_EQ(credit.rcSrc, kStrip);
            EXPECT_EQ(credit.nX, 200);
            EXPECT_EQ(credit.nY, 528);
        }
    }
    STAFFROLL_CREDIT_DATA credit;
    credit.Set(200, 528, kStrip, 5, 6, K::FADE_ONE, 7);
    credit.Clear();
    EXPECT_EQ(credit.fFadeValue, 0.0f);
    EXPECT_EQ(credit.rcSrc, Rect{});
    EXPECT_EQ(credit.dwStartTime + credit.dwFadeTime + static_cast<std::uint32_t>(credit.nX) +
                  static_cast<std::uint32_t>(credit.nY + credit.nFadeKind),
              0u);
}

// The strips as the credits show them, typed apart from the program's table: every
// strip drawn during the credits is one of these at its place.
bool IsTypedStrip(const Rect& rc, int x, int y) {
    if (rc.left != 0 || rc.right != 400 || x != 200) return false;
    const int h = rc.bottom - rc.top;
    if (h == 24 && (rc.top == 0 || rc.top == 24)) return y == 536;
    if (h == 72) return rc.top == 288 && y == 520;
    if (h == 16) {
        const bool headed = rc.top >= 48 && rc.top < 288 && (rc.top - 48) % 16 == 0;
        return (headed || rc.top == 840) && y == 528;
    }
    if (h == 24) return rc.top >= 360 && rc.top < 840 && (rc.top - 360) % 24 == 0 && y == 544;
    return false;
}

TEST(StaffrollTimelineWindows, NinetySevenWindowsWhoseFadesLastHalfASecond) {
    const auto& windows = StaffrollTimeline::Windows();
    ASSERT_EQ(windows.size(), 97u);
    EXPECT_EQ(windows.front().dwStart, 0u);
    EXPECT_EQ(windows.back().dwEnd, 130000u);
    std::set<std::uint32_t> turns;
    for (const auto& row : StaffrollTimeline::Rows()) {
        turns.insert(row.dwIn);
        for (const auto& strip : row.strip) {
            if (strip.Present()) turns.insert(strip.dwOut);
        }
    }
    EXPECT_EQ(StaffrollTimeline::Rows().size(), 24u);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const auto& w = windows[i];
        if (i > 0) {
            EXPECT_EQ(w.dwStart, windows[i - 1].dwEnd);
        }
        for (const auto& s : w.setting) {
            if (!s.bSet || (s.nKind != K::FADE_FALLING && s.nKind != K::FADE_RISING)) continue;
            EXPECT_EQ(w.dwEnd - w.dwStart, 500u) << w.dwStart;
            EXPECT_TRUE(turns.count(w.dwStart)) << w.dwStart;
        }
    }
}

// A sweep of the whole credits: every strip drawn is one of the typed rows at its
// place, every value lies in 0.0 to 1.0, and every typed row is drawn at some time.
TEST(StaffrollTimelineWindows, EveryStripDrawnIsATypedRow) {
    STAFFROLL_CREDIT_DATA credit[2];
    std::set<int> tops;
    for (std::uint32_t t = 0; t < 130000; t += 10) {
        const auto* w = StaffrollTimeline::Find(t);
        ASSERT_NE(w, nullptr) << t;
        ASSERT_TRUE(w->dwStart <= t && t < w->dwEnd) << t;
        for (int r = 0; r < 2; ++r) {
            const auto& s = w->setting[r];
            if (!s.bSet) continue;
            credit[r].Set(s.nX, s.nY, s.rcSrc, w->dwStart, w->dwEnd - w->dwStart, s.nKind, t);
            const STAFFROLL_CREDIT_DATA& c = credit[r];
            EXPECT_TRUE(c.fFadeValue >= 0.0f && c.fFadeValue <= 1.0f) << t;
            if (c.rcSrc.empty() || c.fFadeValue >= 1.0f) continue;
            EXPECT_TRUE(IsTypedStrip(c.rcSrc, c.nX, c.nY)) << t << " record " << r;
            tops.insert(c.rcSrc.top);
        }
    }
    EXPECT_EQ(tops.size(), 39u);
    EXPECT_EQ(StaffrollTimeline::Find(130000), nullptr);
}

}  // namespace
