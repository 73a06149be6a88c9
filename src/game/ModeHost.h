#pragma once

class GAMEMAIN;
struct GameContext;

// The game as a mode record sees it while the record runs its mode's steps and draw.
// The record is handed one for each call; it reaches the game only through it, so no
// record needs the game object's definition. Operations are defined beside the game's
// own methods, and one is added when a record first uses it.
class ModeHost {
public:
    explicit ModeHost(GAMEMAIN& game) : game_(game) {}

    // The engine objects and the shell's words and actions the game was started with.
    const GameContext& Context() const;

private:
    GAMEMAIN& game_;
};
