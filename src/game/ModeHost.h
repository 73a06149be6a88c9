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
struct SETTINGS_OWNER;

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
    // The save/load screen's slide, opening or closing, under the owner's tag.
    std::int32_t SaveLoadSlide(const char* szTag, bool bOpen);
    // One frame of the open save/load screen, under the owner's tag.
    std::int32_t SaveLoadStandby(const char* szTag, std::int32_t nX, std::int32_t nY,
                                 std::int32_t nLeft, std::int32_t nRight);
    // The pending load put into the game once its fade has ended.
    std::int32_t SaveLoadResume(const char* szTag);
    // The settings screen the modes share.
    CONFIG_DATA& ConfigData();
    // The settings screen over the owner, editing the live settings.
    void SettingsOpen();
    // The settings screen's slide, opening or closing, for its owner.
    std::int32_t SettingsSlide(const SETTINGS_OWNER& owner, bool bOpen);
    // One frame of the open settings screen, for its owner.
    std::int32_t SettingsStandby(const SETTINGS_OWNER& owner);

    // The mode running; after a load, the slot's.
    std::int32_t GetMode() const;
    // The mode the game was in before the running one.
    std::int32_t& OldMode();
    // The overlay fades away, its texture then unloaded: 0 fading, 1 done, -1 failed
    // (logged under szTag).
    std::int32_t OverlayFadeAway(const char* szTag, std::uint32_t dwFadeTime);
    // The game-clear word: the endings reached.
    std::uint32_t& GameClearFlg();
    // The word that allows the save screen.
    std::uint32_t SaveEnableFlg() const;
    // The 14 costume summary flags the costume cards show.
    const std::int32_t* ClothesFlg() const;
    // Opens the named scenario afresh as the running script: 1 opened, else -1 with
    // the failure logged under szTag.
    std::int32_t ScrFileOpen(const char* szTag, const char* szName);
    // The already-read list: 1 with *pnPos the line read up to when szName is in it.
    std::int32_t CheckAutoSkipFileList(const char* szName, std::int32_t* pnPos);
    // Whether the running script may skip, and the line it may skip up to.
    std::uint32_t& ScrSkipEnableFlg();
    std::int32_t& ScrSkipLine();
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
