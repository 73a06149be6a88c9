#include "game/ANIMATION_DATA.h"

#include "platform/core/Log.h"

namespace {

constexpr std::uint32_t kLoop = 0;
constexpr std::uint32_t kPingPong = 1;

bool IsKnownType(std::uint32_t nType) { return nType == kLoop || nType == kPingPong; }

}  // namespace

bool ANIMATION_DATA::RefusesFrameCount(std::string_view tag, std::uint32_t nNum) {
    if (nNum <= kMaxFrames) return false;
    platform::LogError(tag, u8"フレーム数%uが上限1024を超えています", nNum);
    return true;
}

void ANIMATION_DATA::Set(std::uint32_t nNum, std::uint32_t nNewType) {
    pdwCtrlTime.reset();
    nAnimNum = RefusesFrameCount("ANIMATION_DATA::Set", nNum) ? 0 : nNum;
    if (nAnimNum != 0) pdwCtrlTime = std::make_unique<std::uint32_t[]>(nAnimNum);
    nType = IsKnownType(nNewType) ? nNewType : kLoop;
    nPlayFlg = 1;
    nAnimNo = 0;
    dwLastTime = 0;
    nDirection = 1;
}

std::uint32_t ANIMATION_DATA::AnimationSet(std::int32_t n, std::uint32_t dwTime,
                                           std::uint32_t nNewType) {
    if (nNewType != kKeepType) {
        if (!IsKnownType(nNewType)) {
            platform::LogError("ANIMATION_DATA::AnimationSet", u8"アニメーションタイプが不正です");
            return 0;
        }
        nType = nNewType;
        nAnimNo = 0;
        nDirection = 1;
    }
    if (nAnimNum == 0) return 1;
    if (!pdwCtrlTime) {
        platform::LogError("ANIMATION_DATA::AnimationSet",
                           u8"アニメーション制御時間ポインタが失われています");
        return 0;
    }
    if (n < 0 || static_cast<std::uint32_t>(n) >= nAnimNum) {
        platform::LogError("ANIMATION_DATA::AnimationSet",
                           u8"アニメーションナンバーが総数を上まっています");
        return 0;
    }
    pdwCtrlTime[n] = dwTime;
    dwLastTime = 0;
    return 1;
}

bool ANIMATION_DATA::CheckState(std::string_view tag, bool bNeedTable) const {
    if (!IsKnownType(nType)) {
        platform::LogError(tag, u8"アニメーションタイプが不正です");
        return false;
    }
    if (bNeedTable && !pdwCtrlTime) {
        platform::LogError(tag, u8"アニメーション制御時間ポインタが失われています");
        return false;
    }
    if (nAnimNo >= nAnimNum) {
        platform::LogError(tag, u8"アニメーションナンバーが総数を上まっています");
        return false;
    }
    return true;
}

// Elapsed time is taken modulo 2^32, so a step is due on time across the clock's wrap.
bool ANIMATION_DATA::StepDue(std::uint32_t dwNow, std::uint32_t dwDuration) {
    if (dwLastTime == 0) {
        dwLastTime = dwNow;
        return false;
    }
    return dwNow - dwLastTime >= dwDuration;
}

void ANIMATION_DATA::StepLoop() {
    if (++nAnimNo >= nAnimNum) nAnimNo = 0;
}

void ANIMATION_DATA::StepForward() {
    if (++nAnimNo >= nAnimNum) {
        nAnimNo = nAnimNum >= 2 ? nAnimNum - 2 : 0;
        nDirection = 0;
    }
}

std::uint32_t ANIMATION_DATA::AnimationProc(std::uint32_t dwNow) {
    if (nAnimNum == 0) return 1;
    if (!CheckState("ANIMATION_DATA::AnimationProc", true)) return 0;
    if (nPlayFlg == 0 || !StepDue(dwNow, pdwCtrlTime[nAnimNo])) return 1;
    if (nType == kLoop) {
        StepLoop();
    } else if (nDirection == 1) {
        StepForward();
    } else if (nAnimNo == 0) {
        nAnimNo = nAnimNum >= 2 ? 1 : 0;
        nDirection = 1;
    } else {
        --nAnimNo;
    }
    dwLastTime = dwNow;
    return 1;
}

std::uint32_t ANIMATION_DATA::AnimationProc(std::uint32_t dwNow, std::uint32_t dwInterval) {
    if (nAnimNum == 0) return 1;
    if (!CheckState("ANIMATION_DATA::AnimationProc", false)) return 0;
    if (nPlayFlg == 0 || !StepDue(dwNow, dwInterval)) return 1;
    if (nType == kLoop) {
        StepLoop();
    } else if (nDirection == 1) {
        StepForward();
    } else if (nAnimNo == 0) {
        // Frame 0 stays for a second interval before the sequence turns.
        nDirection = 1;
    } else {
        --nAnimNo;
    }
    dwLastTime = dwNow;
    return 1;
}
