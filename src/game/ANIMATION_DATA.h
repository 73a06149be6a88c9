#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

// Frame timing alone: how many frames, which one shows, how long each lasts, and
// whether the sequence loops or runs back and forth.
class ANIMATION_DATA {
public:
    // No table is ever larger: a bigger count is refused rather than allocated.
    static constexpr std::uint32_t kMaxFrames = 1024;
    static constexpr std::uint32_t kKeepType = 65535;

    ANIMATION_DATA() { Set(0, 0); }
    ANIMATION_DATA(const ANIMATION_DATA&) = delete;
    ANIMATION_DATA& operator=(const ANIMATION_DATA&) = delete;

    void Set(std::uint32_t nNum, std::uint32_t nNewType);
    void Clear() { Set(0, 0); }
    std::uint32_t AnimationSet(std::int32_t n, std::uint32_t dwTime, std::uint32_t nNewType);
    // Per-frame durations from the table.
    std::uint32_t AnimationProc(std::uint32_t dwNow);
    // One interval for every frame; the table is not read.
    std::uint32_t AnimationProc(std::uint32_t dwNow, std::uint32_t dwInterval);

    // Logs the refusal of a frame count above kMaxFrames under tag; true when refused.
    static bool RefusesFrameCount(std::string_view tag, std::uint32_t nNum);
    // The table checks shared with the cross-fading layer, logged under tag; true
    // when the state is usable.
    bool CheckState(std::string_view tag, bool bNeedTable) const;

    std::uint32_t nPlayFlg = 0;
    std::uint32_t nType = 0;
    std::uint32_t nAnimNum = 0;
    std::uint32_t nAnimNo = 0;
    std::uint32_t dwLastTime = 0;
    std::unique_ptr<std::uint32_t[]> pdwCtrlTime;
    std::uint32_t nDirection = 1;

private:
    // True when the step is due: a first call only stamps the time.
    bool StepDue(std::uint32_t dwNow, std::uint32_t dwDuration);
    void StepLoop();
    void StepForward();
};
