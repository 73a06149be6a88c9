#pragma once

struct GameContext;

// The sounds screens play over and over, on the context's engine objects and after
// the shell's sound switches: the ResourcePlayer calls without their four arguments.
// 1 success, 0 failure.
class GameSound {
public:
    explicit GameSound(const GameContext& context) : context_(context) {}

    // Sound effect nIndex, once.
    int Effect(int nIndex) const;
    int Voice(const char* szName) const;
    int StopVoice() const;
    // The named piece, repeating.
    int Music(const char* szName) const;

private:
    const GameContext& context_;
};
