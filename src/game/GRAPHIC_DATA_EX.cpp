#include "game/GRAPHIC_DATA_EX.h"

void GRAPHIC_DATA_EX::Set(std::uint32_t nKind, std::int32_t nSlot, std::uint32_t nNum,
                          std::uint32_t nAnimType, std::uint32_t dwFlagIn, std::uint32_t dwExtraIn,
                          std::uint32_t nCrossFade) {
    if (ANIMATION_DATA::RefusesFrameCount("GRAPHIC_DATA_EX::Set", nNum)) nNum = 0;
    ClearPicture(nSlot, nKind <= 1 ? nKind : 1);
    nCrossAlpha = 255;
    nAnimNum = nNum;
    dwFlag = dwFlagIn;
    dwExtra = dwExtraIn;
    nCrossFadeFlg = nCrossFade;
    nNextAnim = 0;
    AnimData.Set(nNum, nAnimType);
    // Zeroed, so a frame nobody set is an empty rectangle and draws nothing.
    prcAnim.reset();
    if (nNum != 0) prcAnim = std::make_unique<platform::Rect[]>(nNum);
}

std::uint32_t GRAPHIC_DATA_EX::AnimationSet(std::int32_t n, std::uint32_t dwFrameTime,
                                            const platform::Rect* prcFrame,
                                            std::uint32_t nAnimType) {
    if (AnimData.AnimationSet(n, dwFrameTime, nAnimType) == 0) return 0;
    if (n >= 0 && static_cast<std::uint32_t>(n) < nAnimNum && prcFrame != nullptr) {
        prcAnim[n] = *prcFrame;
    }
    return 1;
}

std::uint32_t GRAPHIC_DATA_EX::AnimationProc(std::uint32_t dwNow) {
    if (nCrossFadeFlg == 0) return AnimData.AnimationProc(dwNow);
    if (nAnimNum == 0) return 1;
    if (AnimData.dwLastTime == 0) AnimData.dwLastTime = dwNow;
    if (!AnimData.CheckState("GRAPHIC_DATA_EX::AnimationProc", true)) return 0;
    if (AnimData.nPlayFlg == 0) return 1;
    const std::uint32_t d = AnimData.pdwCtrlTime[AnimData.nAnimNo];
    const std::uint32_t e = dwNow - AnimData.dwLastTime;
    // A zero duration has no weight to compute: the frame holds until time passes.
    if (d != 0) fAlpha = static_cast<float>(1.0 - static_cast<double>(e) / d);
    if ((d == 0 && e > 0) || (d != 0 && fAlpha <= 0.0f)) {
        fAlpha = 1.0f;
        AnimData.dwLastTime = dwNow;
        NextFrame();
    }
    nCrossAlpha = static_cast<std::int32_t>(fAlpha * 255.0);
    return 1;
}

// Signed arithmetic: the frame numbers step below zero on the way back.
void GRAPHIC_DATA_EX::NextFrame() {
    const std::int64_t count = nAnimNum;
    const std::int64_t framesOfTiming = AnimData.nAnimNum;
    std::int64_t no = AnimData.nAnimNo;
    std::int64_t next = 0;
    if (AnimData.nType == 0) {
        if (++no >= count) no = 0;
        next = no + 1 < count ? no + 1 : 0;
    } else if (AnimData.nDirection == 1) {
        if (++no >= framesOfTiming) {
            no = count > 0 ? count - 1 : 0;
            AnimData.nDirection = 0;
        }
        const bool forward = AnimData.nDirection == 1;
        next = no + 1 < count ? (forward ? no + 1 : no - 1) : count - 1;
    } else {
        --no;
        if (no < 0 || no >= count) {
            no = framesOfTiming >= 2 ? 1 : 0;
            AnimData.nDirection = 1;
        }
        const bool forward = AnimData.nDirection == 1;
        if (no - 1 < 0) {
            next = forward ? no + 1 : 1;
        } else {
            next = forward ? no + 1 : no - 1;
        }
    }
    // A one-frame back-and-forth would name frame 1, which the table does not hold.
    if (next >= count) next = count - 1;
    AnimData.nAnimNo = static_cast<std::uint32_t>(no);
    nNextAnim = static_cast<std::uint32_t>(next);
}
