#pragma once

#include <cstdint>

class ModeHost;
class SAVE_LOAD_WINDOW_DATA;

// The save/load screen's steps, written once for every mode that opens it (the title,
// the adventure, the costume select): the screen over its owner, its slides, its
// standby with the save or the checked load it confirms, and the load put into the
// game once the owner's fade has ended. Each logs under the owner's tag and goes on at
// the owner's own steps; a screen's standby is the step after its open, and its close
// the step after its standby.
class SaveLoadSteps {
public:
    // The owner's steps: the save screen's and the load screen's open, the step after
    // a screen has closed, and the fade before a load.
    struct STEPS {
        std::int32_t nSaveOpen;
        std::int32_t nLoadOpen;
        std::int32_t nBack;
        std::int32_t nLoadFade;
    };

    SaveLoadSteps(const char* szTag, const STEPS& steps, ModeHost& host);

    // The screen of nKind (save or load) over the owner; its open step next.
    void Open(std::int32_t nKind);
    // The slide, opening or closing: -1 failed, 0 moving, 1 done (a closed screen
    // released), the standby or the step after the screen next.
    std::int32_t Slide(bool bOpen);
    // One frame of the open screen: -1 failed; 2 a slot is the pending load, the
    // overlay set for its fade, which is next; 3 close, the close next; 0 otherwise. A
    // save, made or refused, and a refused load leave the screen open.
    std::int32_t Standby();
    // Once the fade has ended: the pending load put into the game, its script resumed,
    // the screen released and the overlay opaque. -1 failed, 1 done.
    std::int32_t Resume();

private:
    std::int32_t SlideWindow(bool bOpen);
    std::int32_t SaveConfirmed();
    std::int32_t LoadConfirmed();

    const char* szTag_;
    const STEPS& steps_;
    ModeHost& host_;
    SAVE_LOAD_WINDOW_DATA& window_;
};
