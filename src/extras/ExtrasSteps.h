#pragma once

#include <cstdint>
#include <functional>

#include "game/SETTINGS_OWNER.h"
#include "game/SettingsSteps.h"
#include "system/ClickState.h"

class ModeHost;

// The steps every extras mode shares, written once: the opening fade, the standby's
// input and its settings openers, the settings screen with its way back to the
// title, the leaving preparation and the end of the draw. Each mode keeps its own
// switch over its steps and calls these with its own numbers.
class ExtrasSteps {
public:
    // What a mode gives the shared steps.
    struct MODE {
        // The mode procedure's log tag.
        const char* szTag;
        std::uint32_t dwOpenFadeTime;
        // The settings screen's steps: open, standby, close, to-title close, title fade.
        std::int32_t nConfigOpen;
        std::int32_t nConfigStandby;
        std::int32_t nConfigClose;
        std::int32_t nTitleClose;
        std::int32_t nTitleFade;
        // The return to the title resets the characters (all modes but the gallery).
        bool bResetChars;
        // The mode object's own release.
        std::function<void()> release;
    };
    // The step every mode stands in between its screens.
    static constexpr std::int32_t kStandbyStep = 2;

    ExtrasSteps(const MODE& mode, ModeHost& host);

    // Saving, loading and settings are not allowed: from the start step until the
    // opening fade has ended, and from the leaving preparation on.
    void MenusOff();
    // Texture slot nTexture, 0 the overlay's black: false, with szText logged, when it
    // failed.
    bool LoadOverlayTexture(const char8_t* szText, int nTexture = 0);
    // The opening fade, over the mode's time unless dwFadeTime is given; at its end the
    // overlay goes, settings are allowed, step 2. 1 to go on, -1 failed.
    std::int32_t OpeningFade();
    std::int32_t OpeningFade(std::uint32_t dwFadeTime);
    // The pointer and the left (Return while the button is up) and right events.
    POINTER_INPUT ReadInput() const;
    // The right button, 'C' and the menu's Settings, each while settings are allowed:
    // true when one opened the screen, which ends the standby's frame.
    bool SettingsOpeners(const POINTER_INPUT& input);
    // The settings screen opens over the mode: its open step next.
    void OpenSettings();
    // Whether nStep is one of the mode's settings steps.
    bool IsSettingsStep(std::int32_t nStep) const;
    // One frame of the settings step running: 1 to go on, -1 failed.
    std::int32_t SettingsStep();
    // Input and settings end; the clear overlay over texture slot nTexture. 1, or -1
    // failed.
    std::int32_t LeavePrepare(int nTexture = 0);
    // The fade to black of a step: true while it runs.
    bool FadingIn(std::uint32_t dwFadeTime);
    // After the mode's own drawing: the settings screen, then the overlay.
    void DrawTail();

private:
    std::int32_t Failed(const char8_t* szText) const;
    std::int32_t TitleFadeStep();
    void ReturnToTitle();

    const MODE& mode_;
    ModeHost& host_;
    // The settings screen over the mode, owned inside the story.
    const SETTINGS_OWNER settingsOwner_;
    const SettingsSteps::STEPS settingsSteps_;
    SettingsSteps settings_;
};
