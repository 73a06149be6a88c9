#pragma once

#include <cstdint>

#include "extras/STAFFROLL_CREDIT_DATA.h"

class ModeHost;
struct GameContext;

// The staff roll: two backgrounds panning right for the credits' 130 seconds, the
// credits as strips of one picture rising out of black and sinking back on a fixed
// timeline, then the logo.
class STAFFROLL_DATA {
public:
    enum PHASE : std::int32_t { PHASE_CREDITS = 0, PHASE_LOGO = 1 };
    // The roll's pictures by slot.
    static constexpr int kSurfaceBG1 = 25;
    static constexpr int kSurfaceBG2 = 26;
    static constexpr int kSurfaceLogo = 28;
    static constexpr int kSurfaceCredit = 29;
    static constexpr int kTextureBlack = 0;
    static constexpr int kTextureLogo = 6;

    // Released while it has no context, which unloads nothing.
    STAFFROLL_DATA() { Release(); }
    STAFFROLL_DATA(const STAFFROLL_DATA&) = delete;
    STAFFROLL_DATA& operator=(const STAFFROLL_DATA&) = delete;

    // The roll starts at dwNow with its pictures loaded: 1, or 0 after a logged
    // failure; what loaded before a failure stays for Release. A context without the
    // graphics, sound or system object is refused.
    std::uint32_t Initialize(const GameContext* pContextIn, std::uint32_t dwNow);
    // Unloads every picture of the roll, loaded or not, and clears.
    void Release();
    // One frame at dwNow: 1 once the logo has been shown long enough, -1 when a logo
    // picture failed to load (tried again at the next call), else 0.
    std::int32_t StaffroolStandby(std::uint32_t dwNow);
    // Returns 1; nothing is drawn before Initialize.
    std::int32_t Draw();

    // The staff roll's mode, one frame of its steps, and its draw.
    std::int32_t Proc(ModeHost& host);
    std::uint32_t DrawProc(ModeHost& host);

    std::int32_t nBG1X = 0;
    std::int32_t nBG1Y = 0;
    std::int32_t nBG2X = 0;
    std::int32_t nBG2Y = 0;
    std::uint32_t nInitFlg = 0;
    const GameContext* pContext = nullptr;
    std::uint32_t dwStartTime = 0;
    STAFFROLL_CREDIT_DATA CreditData[2];
    std::int32_t nPhase = PHASE_CREDITS;

private:
    bool LoadPictures();
    void CreditsWindow(std::uint32_t dwElapsed, std::uint32_t dwNow);
    std::int32_t LogoStart(std::uint32_t dwNow);
    std::int32_t LogoWindow(std::uint32_t dwElapsed, std::uint32_t dwNow);
    void MoveBackgrounds(std::uint32_t dwElapsed);
    void DrawCredit(const STAFFROLL_CREDIT_DATA& credit);
    void DrawLogo(const STAFFROLL_CREDIT_DATA& credit);
};
