#pragma once

#include <cstdint>

#include "game/ANIMATION_DATA.h"
#include "system/ZKSYSTEM.h"
#include "windows/DrawFailureLatch.h"
#include "windows/SELECT_WINDOW_DATA.h"

struct GameContext;

// The choice window: one to three plates in the middle of the screen that zoom in
// one after another, glow under the pointer, and once one is chosen zoom away, the
// chosen one last after a hold.
class SELECT_WINDOW_COLLECT_DATA {
public:
    static constexpr int kMaxPlates = 3;
    static constexpr int kSurface = 6;
    static constexpr std::int32_t kPlateWidth = 274;
    static constexpr std::int32_t kPlateHeight = 50;

    SELECT_WINDOW_COLLECT_DATA() { Clear(); }
    SELECT_WINDOW_COLLECT_DATA(const SELECT_WINDOW_COLLECT_DATA&) = delete;
    SELECT_WINDOW_COLLECT_DATA& operator=(const SELECT_WINDOW_COLLECT_DATA&) = delete;

    void Clear();
    std::uint32_t Initialize(std::int32_t nNum, const GameContext* pContextIn);
    void Release();
    // The text of choice nNo, counted from 1.
    std::uint32_t SetSlcWndMsg(std::int32_t nNo, const char* szText);
    // One frame of the plates coming in, or going away: 1 when done, 0 while
    // running, -1 when not initialised.
    std::int32_t AppSelectWindowProc(std::uint32_t dwNow, std::uint32_t dwTime);
    std::int32_t DisSelectWindowProc(std::uint32_t dwNow, std::uint32_t dwTime);
    // Hover and choice for one frame (a STANDBY_RESULT); nEnable 0 lets nothing be
    // chosen.
    std::int32_t WindowStandby(std::int32_t nMouseX, std::int32_t nMouseY, KEY_STATE key,
                               std::uint32_t dwNow, std::uint32_t nEnable);
    std::uint32_t Draw();

    std::uint32_t nInitFlg = 0;
    std::uint32_t nStep = 0;
    std::int32_t nHover = -1;
    std::int32_t nOldHover = -1;
    std::int32_t nSelect = -1;
    std::int32_t nNum = 0;
    ANIMATION_DATA HighLight;
    SELECT_WINDOW_DATA SlcWnd[kMaxPlates];
    std::uint32_t dwDisStart = 0;
    const GameContext* pContext = nullptr;

private:
    DrawFailureLatch drawLatch_;

    // The count as an index bound: a restored count never reaches past the plates.
    int Plates() const;
    void Layout(int nPlate);
    bool Initialized(const char* szTag) const;
    // The chosen plate, when it is one of the window's.
    bool SelectValid() const { return nSelect >= 0 && nSelect < Plates(); }
    void SetHighLightTimes(std::uint32_t dwEnds, std::uint32_t dwMiddle);
    void DisappearOthers(std::uint32_t dwNow, std::uint32_t dwTime);
};
