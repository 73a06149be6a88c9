#pragma once

#include <cstdint>

#include "game/SETTINGS_OWNER.h"

class CONFIG_DATA;
class ModeHost;

// The settings screen's steps, written once for every mode that opens it (the title,
// the adventure, the costume select, the extras modes, the scene recollection and
// hint): the screen over its owner, its slides, its standby and the close before a
// return to the title. Each logs under the owner's tag and goes on at the owner's own
// steps.
class SettingsSteps {
public:
    // The owner's steps: the slide open, the standby, the slide closed, the step after
    // the screen has closed, and, inside the story, the close before the return to the
    // title and the fade that follows it.
    struct STEPS {
        std::int32_t nOpen;
        std::int32_t nStandby;
        std::int32_t nClose;
        std::int32_t nBack;
        std::int32_t nTitleClose;
        std::int32_t nTitleFade;
    };

    SettingsSteps(const SETTINGS_OWNER& owner, const STEPS& steps, ModeHost& host);

    // The screen over the owner, editing the live settings; its open step next.
    void Open();
    // The slide, opening or closing: -1 failed, 0 moving, 1 done (a closed screen
    // released), the standby or the step after the screen next.
    std::int32_t Slide(bool bOpen);
    // One frame of the open screen: -1 failed, 3 close, 4 return to the title, 0
    // otherwise; the close and the title close are the next step.
    std::int32_t Standby();
    // The confirmed return to the title: the screen closes, then the overlay's black
    // is loaded and shown clear for the fade. -1 failed, 0 moving, 1 done.
    std::int32_t TitleClose();

private:
    std::int32_t SlideWindow(bool bOpen);

    const SETTINGS_OWNER& owner_;
    const STEPS& steps_;
    ModeHost& host_;
    CONFIG_DATA& window_;
};

// A screen's step as the owners give it whose steps give 1 while they go on: anything
// but a failure goes on.
inline std::int32_t StepGoesOn(std::int32_t nResult) { return nResult == -1 ? -1 : 1; }
