#pragma once

#include <cstdint>

class GAMEMAIN;
struct GameContext;
class GRAPHIC_DATA;

// The game as a mode record sees it while the record runs its mode's steps and draw.
// The record is handed one for each call; it reaches the game only through it, so no
// record needs the game object's definition. Operations are defined beside the game's
// own methods; each is the game's own word or method, under the game's name.
class ModeHost {
public:
    explicit ModeHost(GAMEMAIN& game) : game_(game) {}

    // The engine objects and the shell's words and actions the game was started with.
    const GameContext& Context() const;

    // The frame's time as the game sampled it, not the system clock, which has moved
    // on by the time a record runs.
    std::uint32_t Now() const;
    // The mode's step word and the time its step began, as the fades take them.
    std::int32_t& ProcStep();
    std::uint32_t& ProcStartTime();
    // Leaves for another mode, which starts at step 0.
    void ChangeMode(std::int32_t nNewMode);

    // The overlay every mode fades through, and the game's fades of a float value.
    GRAPHIC_DATA& FadeGraph();
    std::uint32_t FadeOutTexFunc(std::uint32_t* pdwStartTime, std::uint32_t* pdwPhase,
                                 float* pfValue, float fTarget, std::uint32_t dwFadeTime);
    std::uint32_t FadeInTexFunc(std::uint32_t* pdwStartTime, std::uint32_t* pdwPhase,
                                float* pfValue, float fTarget, std::uint32_t dwFadeTime);

private:
    GAMEMAIN& game_;
};
