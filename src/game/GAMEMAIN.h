#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "extras/BGM_DATA.h"
#include "extras/CG_MODE_DATA.h"
#include "extras/DR_DATA.h"
#include "extras/RECURDO_DATA.h"
#include "extras/SPECIAL_DATA.h"
#include "extras/STAFFROLL_DATA.h"
#include "game/AUTO_SKIP_FILE_DATA.h"
#include "game/CLIPPING_DATA.h"
#include "game/CLT_SLC_DATA.h"
#include "game/GAME_MODE.h"
#include "game/GRAPHIC_DATA.h"
#include "game/GRAPHIC_DATA_EX.h"
#include "game/GRAPHIC_FILE_DATA.h"
#include "game/GameContext.h"
#include "game/ModeHost.h"
#include "game/REG_KIND.h"
#include "game/SlotImage.h"
#include "game/SlotSchema.h"
#include "game/TITLE_DATA.h"
#include "platform/input/InputSource.h"
#include "platform/video/PixelFormat.h"
#include "platform/video/Rect.h"
#include "script/SCR_FILE_DATA.h"
#include "script/VAR_DATA.h"
#include "script/ZKCHAR.h"
#include "system/FailureLatch.h"
#include "windows/CONFIG_DATA.h"
#include "windows/DAY_WINDOW_DATA.h"
#include "windows/DrawFailureLatch.h"
#include "windows/MSG_WINDOW_DATA.h"
#include "windows/SAVE_LOAD_WINDOW_DATA.h"
#include "windows/SELECT_WINDOW_COLLECT_DATA.h"

class GameHost;
class ZKSPRITE;
class ZKSND;
class ZKSYSTEM;
struct ShellWords;
struct SystemSaveValues;
struct ScriptLine;

// Which slots of the graphics and sound objects the running story has loaded.
struct LOAD_DATA {
    std::uint32_t nLoadFlg = 0;
    std::uint32_t dwFlag = 0;
};

// The single game object: the mode machine, the registration tables, the layers
// drawn over every mode, the settings of the message display and the lasting
// progress kept in the system save.
class GAMEMAIN {
public:
    static constexpr int kModeCount = 13;
    static constexpr int kSurfaceSlots = 464;
    static constexpr int kTextureSlots = 60;
    static constexpr int kWaveSlots = 44;
    static constexpr int kAutoSkipListSize = 512;
    static constexpr std::size_t kMusicNameSize = 260;

    // Whether the system save may be written: only after the boot has read it (or
    // found none), never when it exists but could not be read or backed up.
    enum class INTEGRATED_STATE : std::uint32_t { NotRead, Loaded, Withheld };

    GAMEMAIN();
    GAMEMAIN(const GAMEMAIN&) = delete;
    GAMEMAIN& operator=(const GAMEMAIN&) = delete;

    // The shell's words and actions, handed by the shell before it initialises the
    // game; they stay with the game object from then on.
    void SetShell(ShellWords& shell, GameHost& host);

    // Object, frame and mode machine.
    void Clear();
    std::uint32_t Initialize(ZKSYSTEM* pSystemIn, ZKSPRITE* pSpriteIn, ZKSND* pSndIn);
    void Release();
    std::uint32_t GameMainFunc();
    // The frame's time and input, sampled before a frame's logic runs.
    void FrameUpdate();
    std::uint32_t GameDrawFunc();
    std::int32_t DrawStop();
    void ChangeMode(std::int32_t nNewMode);
    std::int32_t GetMode() const { return nMode; }
    std::int32_t GetProcStep() const { return nProcStep; }
    std::uint32_t GetTime() const { return dwNowTime; }
    std::uint32_t IDSerch(const char* szID, std::uint32_t nKind, std::int32_t* pnIndex);
    // The registration row of a picture or sound ID (REG_TEX, REG_SURF or REG_WAVE),
    // whose nIndex is the slot it loads into; null, after IDSerch's line, for none.
    GRAPHIC_FILE_DATA* FindFileRow(const char* szID, REG_KIND nKind);
    // The registration table of a picture or sound kind (REG_TEX, REG_SURF or REG_WAVE).
    GRAPHIC_FILE_DATA* FileTable(REG_KIND nKind) const;
    std::int32_t ReleaseAllResources();
    void BGDataClear();

    // A mode that its record runs: the record's steps, or its draw, for one frame,
    // handed the host over this game. Such a mode's procedure in the dispatch keeps
    // its name and failure text and is one line of these; the dispatch reads its
    // result as any mode procedure's, with ModeResult.
    template <class RECORD>
    std::int32_t ForwardProc(RECORD& record) {
        ModeHost host(*this);
        return record.Proc(host);
    }
    template <class RECORD>
    std::uint32_t ForwardDrawProc(RECORD& record) {
        ModeHost host(*this);
        return record.DrawProc(host);
    }
    // A mode procedure's result for the current mode: -1 is the mode's failure,
    // logged with its own text, and gives 0; any other result gives 1.
    std::uint32_t ModeResult(std::int32_t nResult) const;

    // Logo (mode 1) and opening movie (mode 2).
    std::int32_t LogoProc();
    std::uint32_t LogoDrawProc();
    std::int32_t DemoProc();
    std::uint32_t DemoDrawProc();

    // Title (mode 3): the intro, the menu, its screens and the attract, run by its
    // record.
    std::int32_t TitleProc();
    std::uint32_t TitleDrawProc();

    // Extras menu (mode 4), run by its record.
    std::int32_t SpecialProc();
    std::uint32_t SpecialDrawProc();

    // Dress room (mode 11), run by its record.
    std::int32_t DressRoomMainProc();
    std::uint32_t DressRoomDrawProc();

    // CG gallery (mode 5), run by its record.
    std::int32_t CGModeProc();
    std::uint32_t CGModeDrawProc();

    // Music room (mode 8), run by its record.
    std::int32_t BGMModeMainProc();
    std::uint32_t BGMModeDrawProc();

    // Staff roll (mode 12): the credits, the logo and the end picture, then the logo
    // mode again.
    std::int32_t StaffrollMainProc();
    std::uint32_t StaffrollDrawProc();

    // Adventure (mode 9): the story on screen, its draw, and the arrow keys that move
    // the pointer onto the message window's bar and the choice plates.
    std::int32_t ADVMainProc();
    std::uint32_t ADVDrawProc();
    std::int32_t ADVKeyCursorMove();

    // Scene recollection (mode 6) and hint (mode 7): one story script run with the
    // adventure's machinery, then back to the gallery or the extras menu.
    std::int32_t RecurdoMainProc();
    std::uint32_t RecurdoDrawProc();
    std::int32_t HintModeMainProc();
    std::uint32_t HintModeDrawProc();

    // What the modes that run a story share.
    // Effects nEffects loaded; a failure is told once under szTag, however often it is
    // retried, until they load. True when all loaded.
    bool LoadStoryEffects(const char* szTag, std::span<const int> nEffects);
    // Whether a click stops skipping: the window shown, no choice up, skip on and
    // allowed inside text read; with bBarTest, also no screen over the bar.
    bool ClickCancelsSkip(std::int32_t nClick, bool bBarTest) const;
    // The script, the layers with their wipe and mosaic, and the characters, reset
    // with nCharReset.
    void ReleaseScriptScene(std::int32_t nCharReset);
    // The characters' and picture layers' animations for this frame.
    void StoryAnimate();

    // Costume select (mode 10): the eight cards, and the save, load and settings
    // screens over them, run by its record.
    std::int32_t ClothesSelectProc();
    std::uint32_t ClothesSelectDrawProc();
    // Composes the scene as the adventure draws it into the mosaic's work surface 1:
    // 1 composed, 0 failed.
    std::uint32_t MosaicDrawSurfaceComposition();

    // Already-read list and system save.
    std::uint32_t AddAutoSkipFileList(const char* szName, std::int32_t nPos);
    std::int32_t CheckAutoSkipFileList(const char* szName, std::int32_t* pnPos);
    std::int32_t SaveIntegratedData();
    void LoadIntegratedData();
    INTEGRATED_STATE GetIntegratedState() const { return nIntegratedState; }

    // Settings and permission masks.
    // Save slots: what the running game registered, its state as a slot image, and the
    // slot files. Both file functions give 1, or 0 with the slot and the game unchanged.
    SlotSchema SlotSchemaOf(const SlotScriptSource* pScripts) const;
    SlotImage CaptureSlotImage(std::string& szRefused);
    std::uint32_t SaveIndependentData(std::uint32_t nSlot);
    // The checked image of a slot, or nothing with the reason logged.
    std::optional<SlotImage> ReadSlotImage(std::uint32_t nSlot);
    void ApplySlotImage(const SlotImage& image);
    std::uint32_t LoadIndependentData(std::uint32_t nSlot);

    // Every surface, texture and effect a mode loaded; effects 0 and 1 stay.
    void UnloadModeResources();

    std::uint32_t GetMsgSpeed() const { return nMsgSpeed; }
    void SetMsgSpeed(std::uint32_t dwSpeed) { nMsgSpeed = dwSpeed; }
    std::uint32_t GetHandsFree() const { return MsgWindowData.nAutoFlg; }
    std::uint32_t GetAutoSkip() const { return MsgWindowData.nSkipFlg; }
    void SetMsgConfig(std::uint32_t dwSpeed, std::uint32_t nHandsFree, std::uint32_t nAutoSkip);
    void MsgWndStatusChange(std::int32_t nMask, std::uint32_t nOn);
    std::uint32_t MenuMsgWndStatusChange(std::int32_t nMask, std::uint32_t nOn);
    // The message window's bar buttons named by mask bits 16 to 512. When switching
    // on, backlog back needs a backlog and backlog forward a browsed backlog.
    static std::int32_t MsgBarMask(std::int32_t nMask, std::uint32_t nOn, bool bBackLogText,
                                   bool bBackLogBrowse);

    // Fade values: 2 while the fade runs, 0 once the value has reached the target.
    std::uint32_t FadeOutTexFunc(std::uint32_t* pdwStartTime, std::uint32_t* pdwPhase,
                                 float* pfValue, float fTarget, std::uint32_t dwFadeTime);
    std::uint32_t FadeInTexFunc(std::uint32_t* pdwStartTime, std::uint32_t* pdwPhase,
                                float* pfValue, float fTarget, std::uint32_t dwFadeTime);
    std::uint32_t FadeOutFunc(std::uint32_t* pdwStartTime, std::uint32_t* pdwPhase,
                              std::int32_t* pnValue, std::int32_t nTarget,
                              std::uint32_t dwFadeTime);
    std::uint32_t FadeInFunc(std::uint32_t* pdwStartTime, std::uint32_t* pdwPhase,
                             std::int32_t* pnValue, std::int32_t nTarget, std::uint32_t dwFadeTime);
    // The same fades on a command slot, whose phase and start time serve the fade.
    std::uint32_t FadeTexFunc(SCR_CMD_DATA* pCmd, float* pfValue, float fTarget,
                              std::uint32_t dwFadeTime, std::uint32_t bFadeIn,
                              std::uint32_t bResetValue);
    std::uint32_t FadeFunc(SCR_CMD_DATA* pCmd, std::int32_t* pnValue, std::int32_t nTarget,
                           std::uint32_t dwFadeTime, std::uint32_t bFadeIn,
                           std::uint32_t bResetValue);
    void DrawTimeSet();
    // The fade overlay over the whole frame, on texture slot 0, shown at fAlpha; its
    // time word starts a fade afresh.
    void ShowOverlay(float fAlpha, int nTexture = 0);
    // The overlay fades away; once clear, its texture goes and the overlay is reset.
    // 0 while it fades, 1 done, -1 the texture could not be unloaded (logged under
    // szTag).
    std::int32_t OverlayFadeAway(const char* szTag, std::uint32_t dwFadeTime);
    // Draws the overlay while it is shown and not clear.
    void DrawOverlay();

    // Script interpreter: one command line read and one step of the slots per frame.
    std::int32_t ScrMain();
    std::int32_t ScrRead();
    std::int32_t ScrExe(std::int32_t nSlot);
    // What opening a scenario script met: a refused name (logged by the open), the
    // extraction's result when it was not 1, or the open's failure.
    struct SCR_OPEN_RESULT {
        bool bNameOk = false;
        std::int32_t nDivResult = 0;
        bool bOpened = false;
    };
    // Releases the whole script state, then opens the named script afresh.
    SCR_OPEN_RESULT ScrFileOpen(const char* szName);
    // Checks the name, extracts the script from dat/Scenario.dat into tmp/ and opens
    // it as the running script's file, touching no other script state.
    SCR_OPEN_RESULT ScrFileLoad(const char* szName);
    // 1 when the open succeeded; otherwise logs its failure under szTag and gives -1.
    std::int32_t ScrOpenResult(const char* szTag, const SCR_OPEN_RESULT& open) const;

    // The story's random numbers: the C library's generator, or a test's source.
    std::int32_t ScrRandom();
    void SetScrRandomSource(std::function<std::int32_t()> source);
    // Skipping applies: the script is skippable and the skip toggle is on; with
    // bReadLimit the read limit is -1 or the line is below it; with bNoScreen no
    // settings or save/load screen is open.
    bool ScrSkipAllowed(bool bReadLimit, bool bNoScreen) const;
    // Told every command word the interpreter dispatches; the game itself sets none.
    void SetScrObserver(std::function<void(const char* szWord)> observer);

    // Start-up from Init.spt.
    std::int32_t InitScrMain();
    std::int32_t InitScrObjCount();
    std::int32_t InitScrExe(const char* szLine);

    // Text escapes: backslash-n in scripts and saves, blank + line feed when shown.
    void TextEscapeToLF(const char* szSrc, char* szDst);
    std::int32_t TextLFToEscape(const char* szSrc, char* szDst, std::size_t nDstSize);
    // The message's own conversion: szSrc is converted in place, the index of its last
    // byte kept for the reveal (0 for an empty text), and the result copied to szDst.
    void MsgTextEscapeToLF(char* szSrc, char* szDst);
    // The record's shown text: szText with each backslash-n as one line feed.
    void TextEscapeRemove(const char* szText, MSG_DATA& data);
    // One step of the message reveal begun at dwStartTime.
    void MsgRevealUpdate(std::uint32_t dwStartTime);

    std::uint32_t nInitFlg = 0;
    INTEGRATED_STATE nIntegratedState = INTEGRATED_STATE::NotRead;
    std::uint32_t dwNowTime = 0;
    std::int32_t nMode = GAME_MODE_BOOT;
    std::int32_t nOldMode = GAME_MODE_BOOT;
    std::uint32_t nGameClearFlg = 0;
    std::int32_t nTextureNum = 0;
    std::int32_t nSurfaceNum = 0;
    std::int32_t nWaveNum = 0;
    std::int32_t nVarNum = 0;
    std::int32_t nCharNum = 0;
    std::unique_ptr<GRAPHIC_FILE_DATA[]> pTextureData;
    std::unique_ptr<GRAPHIC_FILE_DATA[]> pSurfaceData;
    std::unique_ptr<GRAPHIC_FILE_DATA[]> pWaveData;
    std::unique_ptr<VAR_DATA[]> pVarData;
    std::unique_ptr<ZKCHAR[]> pCharData;
    LOAD_DATA SURF_LOAD_DATA[kSurfaceSlots];
    LOAD_DATA TEX_LOAD_DATA[kTextureSlots];
    LOAD_DATA WAVE_LOAD_DATA[kWaveSlots];
    std::int32_t nProcStep = 0;
    std::uint32_t dwProcStartTime = 0;
    ZKSYSTEM* pSystem = nullptr;
    ZKSPRITE* pSprite = nullptr;
    ZKSND* pSnd = nullptr;
    ShellWords* pShell = nullptr;
    GameHost* pHost = nullptr;
    // The engine objects and the shell's words and actions, for the windows and screens.
    GameContext Context;
    CLIPPING_DATA ClippingData;
    std::unique_ptr<platform::Rect[]> prcMosaic;
    std::unique_ptr<platform::ColorRef[]> pdwMosaicColor;
    // Cells the two arrays hold; 0 while they are absent.
    std::uint32_t nMosaicCellNum = 0;
    std::uint32_t dwMosaicSize = 0;
    std::uint32_t nMosaicDispFlg = 0;
    std::uint32_t nMosaicChangeFlg = 0;
    GRAPHIC_DATA BGGraphData1;
    GRAPHIC_DATA BGGraphData2;
    GRAPHIC_DATA FadeGraphData;
    GRAPHIC_DATA_EX PRIM1;
    GRAPHIC_DATA_EX PRIM2;
    SCR_FILE_DATA ScrFileData;
    MSG_WINDOW_DATA MsgWindowData;
    std::uint32_t nMsgSpeed = 0;
    SELECT_WINDOW_COLLECT_DATA SelectWindowData;
    DAY_WINDOW_DATA DayWindowData;
    SAVE_LOAD_WINDOW_DATA SaveLoadWindowData;
    CONFIG_DATA ConfigData;
    // A slot checked when the player confirmed it, put into the game after the fade.
    std::optional<SlotImage> PendingLoad;
    std::uint32_t nMsgWndDispFlg = 0;
    std::int32_t nDayVarIndex = 0;
    std::uint32_t dwMsgTextWork[3] = {};
    // The voice of the current message line: 0 none started, 1 started.
    std::uint32_t nMsgVoiceFlg = 0;
    // The line's voice state queries: one that fails line after line is told once.
    FailureLatch MsgVoiceStateLatch;
    AUTO_SKIP_FILE_DATA AutoSkipFileData[kAutoSkipListSize];
    std::uint32_t nScrSkipEnableFlg = 0;
    std::int32_t nScrSkipLine = 0;
    std::uint32_t nSaveEnableFlg = 0;
    std::uint32_t nLoadEnableFlg = 0;
    std::uint32_t nConfigEnableFlg = 0;
    std::uint32_t nHelpEnableFlg = 0;
    char szBGMName[kMusicNameSize] = {};
    std::int32_t nClothesFlg[14] = {};
    CLT_SLC_DATA ClothesSelectData;
    TITLE_DATA TitleData;
    SPECIAL_DATA SpecialData;
    DR_DATA DressRoomData;
    BGM_DATA BGMData;
    CG_MODE_DATA CGModeData;
    STAFFROLL_DATA StaffrollData;
    std::uint32_t dwCGFlg[8] = {};
    std::uint32_t dwReplayFlg[6] = {};
    RECURDO_DATA RecurdoData;
    // The story's effect loading has told its failure since it began retrying.
    bool bStoryEffectsReported = false;
    // A scene's set-up has run and only its effects are still to load.
    bool bSceneSetUp = false;

    // Where a drawing mode tells its failed calls: its tag and its own latch.
    struct DRAW_REPORT {
        const char* szTag;
        DrawFailureLatch& latch;
        void Check(bool bFailed, int nItem = 0, CallSite site = CallSite::Here()) const;
    };
    // Wipe strip i of background layer 1, cut to the layer's picture.
    platform::Rect BGStripRect(std::int32_t i) const;
    // The command a report is about, kept before its handler may clear the slot.
    struct SCR_REPORT {
        char szFileName[SCR_FILE_DATA::kNameSize] = {};
        std::int32_t nLine = 0;
        char szCommand[SCR_CMD_DATA::kWordSize] = {};
    };

private:
    // One mode's entry in the dispatch; the boot (mode 0) has none, run apart.
    struct MODE_ENTRY {
        const char8_t* szFailedText;
        std::int32_t (GAMEMAIN::*pProc)();
        std::uint32_t (GAMEMAIN::*pDrawProc)();
    };
    static const MODE_ENTRY ModeTable[kModeCount];

    std::uint32_t BootProc();
    std::int32_t LogoLoad();
    bool LogoHoldEnds() const;
    void LogoRelease();
    std::int32_t DemoStart();
    std::int32_t DemoWatch();
    // The story's scene: backgrounds with their wipe strips, then the mosaic, or the
    // picture layers and the characters.
    void StoryDraw(const DRAW_REPORT& report);
    // A scene mode's draw under its tag, with or without the return button.
    std::uint32_t SceneDrawProc(const char* szTag, DrawFailureLatch& latch, bool bReturnButton);
    void MsgWindowButtons(std::int32_t nMask, std::uint32_t nOn);
    std::uint32_t RunModeProc();
    bool IsInitialized(const char* szTag) const;
    void MakeSaveFolder();
    void RefreshLoadTables();
    std::string UnescapedText(const std::string& text);
    void ClearStoryForLoad();
    void ApplyWindows(const SlotImage& image);
    void RestoreResources(const std::string& szMusic);
    SystemSaveValues SaveValues();
    void ClearScriptTables();

    SCR_REPORT ScrReport;
    DrawFailureLatch advDrawLatch_;
    DrawFailureLatch recurdoDrawLatch_;
    DrawFailureLatch hintDrawLatch_;
    std::function<std::int32_t()> scrRandomSource_;
    std::function<void(const char*)> scrObserver_;
};
