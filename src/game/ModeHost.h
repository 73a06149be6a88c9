#pragma once

#include <cstdint>

class GAMEMAIN;
struct GameContext;
class CONFIG_DATA;
class GRAPHIC_DATA;
class GRAPHIC_DATA_EX;
class MSG_WINDOW_DATA;
class SAVE_LOAD_WINDOW_DATA;
class ZKCHAR;
struct CONFIG_LIVE;

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
    // The mode's step.
    std::int32_t GetProcStep() const;
    void SetProcStep(std::int32_t nStep);
    // The step nStep, its time starting now.
    void StartStep(std::int32_t nStep);
    // Milliseconds since the step's time started.
    std::uint32_t StepTime() const;
    // Leaves for another mode, which starts at step 0.
    void ChangeMode(std::int32_t nNewMode);

    // The overlay every mode fades through, and the game's fades of a float value
    // from the time the step started.
    GRAPHIC_DATA& FadeGraph();
    std::uint32_t FadeOutTexFunc(std::uint32_t* pdwPhase, float* pfValue, float fTarget,
                                 std::uint32_t dwFadeTime);
    std::uint32_t FadeInTexFunc(std::uint32_t* pdwPhase, float* pfValue, float fTarget,
                                std::uint32_t dwFadeTime);

    // Switches the message window's buttons and screens named by nMask on or off.
    void MsgWndStatusChange(std::int32_t nMask, std::uint32_t nOn);
    // The word that allows the load screen.
    std::uint32_t LoadEnableFlg() const;
    // The word that allows the settings screen.
    std::uint32_t ConfigEnableFlg() const;
    // The fade overlay over the whole frame, texture slot nTexture shown at fAlpha.
    void ShowOverlay(float fAlpha, int nTexture = 0);
    // Draws the overlay while it is shown and not clear.
    void DrawOverlay();
    // Every surface, texture and effect a mode loaded goes; effects 0 and 1 stay.
    void UnloadModeResources();
    // Writes the system save; 0 after a logged failure, the old file kept.
    std::int32_t SaveIntegratedData();
    // The save/load screen the modes share.
    SAVE_LOAD_WINDOW_DATA& SaveLoadWindowData();
    // Writes the running game into save slot nSlot: 1, or 0 with the slot unchanged.
    std::uint32_t SaveIndependentData(std::uint32_t nSlot);
    // Save slot nSlot checked whole and kept as the pending load: false, with the
    // reason logged, when it was refused.
    bool KeepPendingLoad(std::uint32_t nSlot);
    // The pending load put into the game, every status granted, and its script (or
    // the costume select) resumed: false after a failure logged under szTag.
    bool ResumePendingLoad(const char* szTag);
    // The settings screen the modes share, and the words it edits in place: the game's
    // message speed, the message window's toggles and the shell's settings.
    CONFIG_DATA& ConfigData();
    CONFIG_LIVE LiveSettings();

    // The mode running; after a load, the slot's.
    std::int32_t GetMode() const;
    // The running mode goes on at nStep as if entered afresh: it becomes the mode the
    // game was in before.
    void ReenterMode(std::int32_t nStep);
    // The overlay fades away, its texture then unloaded: 0 fading, 1 done, -1 failed
    // (logged under szTag).
    std::int32_t OverlayFadeAway(const char* szTag, std::uint32_t dwFadeTime);
    // The game-clear word: the endings reached.
    const std::uint32_t* GameClearFlg() const;
    // The word that allows the save screen.
    std::uint32_t SaveEnableFlg() const;
    // The 14 costume summary flags the costume cards show.
    const std::int32_t* ClothesFlg() const;
    // Opens the named scenario afresh as the running script: 1 opened, else -1 with
    // the failure logged under szTag.
    std::int32_t ScrFileOpen(const char* szTag, const char* szName);
    // Whether the running script, named szName, may skip, and the line it may skip up
    // to, from the already-read list.
    void ReadScrSkip(const char* szName);
    // The story's message window.
    MSG_WINDOW_DATA& MsgWindowData();
    // The story's scene: the two background layers, the two picture layers and the
    // characters.
    GRAPHIC_DATA& BGGraphData1();
    GRAPHIC_DATA& BGGraphData2();
    GRAPHIC_DATA_EX& PRIM1();
    GRAPHIC_DATA_EX& PRIM2();
    ZKCHAR* CharData();
    std::int32_t CharNum() const;
    // The system save's gallery and scene unlock words.
    std::uint32_t* CGFlg();
    std::uint32_t* ReplayFlg();

private:
    GAMEMAIN& game_;
};
