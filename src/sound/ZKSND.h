#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/audio/AudioEngine.h"
#include "platform/cd/CdPlayer.h"
#include "platform/core/Log.h"
#include "platform/input/InputSource.h"
#include "platform/media/MediaPlayer.h"
#include "platform/mixer/MixerHandle.h"
#include "sound/ZKDADATA.h"
#include "sound/ZKDSHOWDATA.h"
#include "sound/ZKMMDATA.h"
#include "system/FailureLatch.h"

// The audio path a sound buffer plays on; any other value plays on the default path.
enum DA_PATH : int {
    DA_PATH_VOICE = 0,
    DA_PATH_BGM = 1,
    DA_PATH_SE = 2,
};

// One track of the CD's table: its length and its type (0 audio, 1 other).
struct CD_TRACK_DATA {
    std::uint8_t bMinute = 0;
    std::uint8_t bSecond = 0;
    std::uint8_t bFrame = 0;
    std::uint32_t dwType = 0;
};

// A CD play request: the window told of it and its range, packed in the CD's format.
struct CD_PLAY_PARMS {
    platform::WindowHandle hCallback = nullptr;
    std::uint32_t dwFrom = 0;
    std::uint32_t dwTo = 0;
};

// What MixerGetControl found of a mixer line's volume control.
struct MIXER_CONTROL_DATA {
    std::uint32_t dwControlID = 0;
    std::uint32_t cChannels = 0;
    std::uint32_t cMultipleItems = 0;
};

// Mixer slots: the speakers and three of their sources.
enum MIXER_SLOT : int {
    MIXER_SLOT_SPEAKERS = 0,
    MIXER_SLOT_WAVE = 1,
    MIXER_SLOT_SYNTH = 2,
    MIXER_SLOT_CD = 3,
};

// The engine's sound object: the audio engine with its voice, music and effect
// paths and the table of sound buffers (0 voice, 1 music, 2 and up effects), the
// media graphs, and a view of the machine's mixer.
class ZKSND {
public:
    ZKSND() = default;
    ZKSND(const ZKSND&) = delete;
    ZKSND& operator=(const ZKSND&) = delete;

    // Start-up and release.
    int Initialize(platform::WindowHandle window, const void* instance, std::uint32_t style);
    std::int32_t Release();
    platform::WindowHandle GetHwnd() const { return hWnd; }
    const void* GetInstance() const { return hInstance; }
    std::uint32_t GetWindowStyle() const { return dwWindowStyle; }

    // Sound buffers. The table itself (reserving it, naming, reading back and
    // unloading a buffer) needs no device, so that sounds keep their names while
    // sound is off; loading, playing and querying need the started engine. The state
    // queries are asked frame after frame, and every sound stopped at each logo start: a
    // refusal is logged once for the caller's place, and again only after that place
    // has had an answer in between.
    int DAudioInit();
    int DADATAReserve(std::uint32_t count);
    int DASetData(int index, const char* name);
    std::int32_t DALoad(int index, const char* path, DA_PATH type);
    std::int32_t DAUnload(int index);
    std::int32_t DAPlay(int index, int repeats, DA_PATH type);
    std::int32_t DAStop(int index);
    std::int32_t DAAllStop(CallSite site = CallSite::Here());
    std::int32_t DAGetState(int index, CallSite site = CallSite::Here());
    std::int32_t DAGetNowPos(int index, std::int32_t* position);
    std::int32_t DASetAllVolume(std::int32_t volume);
    std::int32_t DAGetMasterVolume() const;
    std::int32_t DASetPathVolume(DA_PATH type, std::int32_t volume);
    std::int32_t DAGetPathVolume(DA_PATH type) const;
    std::uint32_t DAGetDataNum() const { return dwDADataNum; }
    char* DAGetWAVEPath(int index, char* buffer, std::uint32_t size);
    int DAGetLoadState(int index, CallSite site = CallSite::Here());
    std::int32_t DARelease();

    // Media graphs by type: 0 voice, 1 audio, 2 movie.
    std::int32_t DShowOpen(int type, const char* path, std::int32_t width, std::int32_t height);
    std::int32_t DShowClose(int type);
    std::int32_t DShowIsOpen(int type);
    std::int32_t DShowPlay(int type);
    std::int32_t DShowPlayEx(int type, std::int32_t repeats, std::int64_t start, std::int64_t stop);
    std::int32_t DShowStop(int type);
    std::int32_t DShowPause(int type);
    std::int32_t DShowGetLength(int type, std::int64_t* length);
    std::int32_t DShowSetVolume(int type, std::int32_t volume);
    std::int32_t DShowGetVolume(int type, std::int32_t* volume);
    std::int32_t DShowGetStatus(int type, std::uint32_t* status);
    std::int32_t DShowChangeSize(int type, std::uint32_t checkOpen, std::int32_t width,
                                 std::int32_t height);
    std::int32_t DShowGetSeekPointOperation(int type, std::int64_t* position);
    std::int64_t DShowGetSeekPoint(int type);
    std::int32_t DShowEventNotify(int type);
    std::int32_t DShowGetRequestVolume(int type);
    std::int32_t DShowRegObjTbl(int type);
    std::int32_t DShowReleaseObjTbl(int type);
    // Keeps each graph's volume at its request; called with the time in ms.
    std::int32_t MainLoop(std::uint32_t now);

    // CD audio: a drive's table, plays from a track position, the tray, the disc's
    // identity and the machine's drives. Positions are packed as CdTime says.
    int MCIInit(const char* drive);
    int MCIClose();
    int MCIChangeDrive(const char* drive);
    int CDChangeTimeFormat(std::uint32_t format);
    int CDTrackDataReserve(std::uint32_t count);
    void CDTrackDataRelease();
    int CDGetAllTrackNum(std::uint32_t* count);
    // The disc's number of its first track: table entry i is track first + i.
    int CDGetFirstTrack(std::uint32_t* track);
    int CDGetTrackInfo(std::uint8_t track);
    int CDGetTrackLength(std::uint8_t* minute, std::uint8_t* second, std::uint8_t* frame,
                         std::int32_t track);
    int CDSetTrackData();
    int CDGetTrackData(std::uint32_t index, CD_TRACK_DATA* out) const;
    int CDPlayStatusCheck();
    int CDDriveStatus();
    int CDGetNowPos(std::uint8_t* a, std::uint8_t* b, std::uint8_t* c, std::uint8_t* track);
    int CDPlay(std::uint32_t flag, std::uint8_t track, std::uint8_t minute, std::uint8_t second);
    int CDStop();
    int CDPause();
    int CDRePlay();
    int TrayControl();
    int CDGetDiscID(char* buffer, std::uint32_t size);
    // Entry i lands at buffer + i * size; the number found, 0 on failure.
    std::uint32_t SearchCDDrive(char* buffer, std::uint32_t size, std::uint32_t count);

    // Multimedia records: files whose sound plays in the mix, by index. Times in ms.
    int MMDATAReserve(std::uint32_t count);
    void MMDATARelease();
    int MMSetData(int index, const char* path, std::uint32_t type);
    int MMOpen(int index, std::uint32_t type, const char* path);
    int MMClose(int index);
    int MMPlay(int index);
    int MMPlayEx(int index, std::uint32_t from, std::uint32_t to);
    int MMStop(int index);
    int MMPause(int index);
    int MMGetLength(int index, std::uint32_t* length);

    // The AVI window: a video played at a rectangle of the main window's game area,
    // above the graphs' pictures. Times in ms.
    int AVIInit();
    void AVIRelease();
    int AVIOpen(const char* path, std::int32_t x, std::int32_t y, std::int32_t width,
                std::int32_t height);
    int AVIClose();
    int AVIPlay();
    int AVIStop();
    int AVIPause();
    int AVIRePlay();
    int AVIPlayEndCheck();
    // The open file's length in ms; 0 without one, or for a file shorter than 1 ms.
    std::int32_t AVIGetLength() const { return nAVILength; }

    // The machine's mixer: volumes 0..65535 of the four slots' lines.
    int MixerOpen(std::uint32_t device);
    void MixerGetDev(platform::MixerHandle& handle);
    int MixerGetControl(int slot, const platform::MixerLine& line, platform::MixerHandle& handle);
    int MixerSetControl(int slot, platform::MixerHandle& handle);
    int MixerSetVolume(int slot, std::uint32_t* volume);
    int MixerAddVolume(int slot, std::int32_t* delta);
    int MixerAddSavedVolume(int slot, std::int32_t* delta);
    int MixerRestoreVolume();
    // The slot's line with its current and saved volumes, null outputs skipped; 0
    // for a slot that was not found.
    int MixerGetSlot(int slot, platform::MixerLine* line, std::uint32_t* volume,
                     std::uint32_t* saved) const;

private:
    static constexpr int kGraphTypes = 3;
    static constexpr int kMixerSlots = 4;

    // The graph of the type, or null after logging the refusal for operation.
    ZKDSHOWDATA* Graph(std::string_view operation, int type);
    // Sets the graph's requested volume, logging a failure for MainLoop.
    void ReapplyVolume(ZKDSHOWDATA& graph);

    // The refusal of a call on buffer index: the object not initialised, or
    // indexText when index names no buffer of the table; nothing when it may go on.
    std::optional<platform::LogText> DARefusal(int index, platform::LogText indexText) const;
    // True, after logging the refusal, when the object is not initialised or index
    // names no buffer of the table.
    bool DARefuses(std::string_view tag, int index, platform::LogText indexText) const;
    // DARefuses for a state query from site, its refusal logged through the latch.
    bool StateRefuses(std::string_view tag, int index, platform::LogText indexText, CallSite site);
    // True, after logging the refusal, when index names no buffer of the table.
    bool NameRefuses(std::string_view tag, int index) const;
    // DARefuses, and before the index a refusal while the table was never reserved.
    bool DATableRefuses(std::string_view tag, int index) const;
    bool IsValidIndex(int index) const;
    platform::AudioBus PathBus(DA_PATH type) const;

    // True, after logging, when the CD device is not open.
    bool CDRefusesClosed(std::string_view tag) const;
    // A number the device reads of the disc into out, or 0 after logging failed.
    int CDReadTrackNumber(std::string_view tag, std::optional<int> (platform::CdPlayer::*read)(),
                          std::uint32_t* out, platform::LogText failed);
    // The track's type and length into record; false, after the lines, when
    // either could not be read (that field stays zero).
    bool CDSetTrackRecord(std::uint8_t track, CD_TRACK_DATA& record);

    // A path a record or the AVI window can hold.
    static bool FitsPath(const char* path);
    // True when the multimedia table exists; else false after the Warn line.
    bool MMReserved(std::string_view tag) const;
    // The record at index, or null after logging the table's or indexText's refusal.
    ZKMMDATA* MMRecord(std::string_view tag, int index, platform::LogText indexText);
    void MMTakeMode(ZKMMDATA& record);
    // The open record at index, or null after logging the bad index or "not open".
    ZKMMDATA* MMOpenRecord(std::string_view tag, int index);
    // True, after logging, when the object is not initialised, or there is no
    // window or (needsFile) no file in it; text is the operation's failure.
    bool AVIRefuses(std::string_view tag, platform::LogText text, bool needsFile) const;

    static bool IsMixerSlot(int slot) { return slot >= 0 && slot < kMixerSlots; }
    bool MixerSlotUsable(int slot) const;
    // A volume operation on its own handle: the slot's value read from the card,
    // target() made the slot's volume, and that written back.
    int MixerApply(int slot, const std::function<std::uint32_t()>& target);

    platform::WindowHandle hWnd = nullptr;
    const void* hInstance = nullptr;
    std::unique_ptr<ZKDADATA[]> pDAData;
    std::uint32_t dwDADataNum = 0;
    std::uint32_t dwInitialized = 0;
    std::uint32_t dwDAReserved = 0;
    FailureLatch DACallLatch;
    std::uint32_t dwWindowStyle = 0;
    std::unique_ptr<ZKMMDATA[]> pMMData;
    std::uint32_t dwMMDataNum = 0;
    std::uint32_t dwMMReserved = 0;
    std::unique_ptr<CD_TRACK_DATA[]> pCDTrackData;
    std::uint32_t dwCDTrackNum = 0;
    std::unique_ptr<platform::CdPlayer> pCDDevice;  // while open
    CD_PLAY_PARMS CDPlayParams;
    std::uint32_t dwCDTimeFormat = 0;
    std::uint32_t dwCDOpen = 0;
    std::uint32_t dwCDPause = 0;
    std::uint32_t dwCDPlayFlag = 1;
    std::uint8_t byCDStartTrack = 1;
    std::uint8_t byCDStartMinute = 0;
    std::uint8_t byCDStartSecond = 0;
    // Shared with the media graphs and the CD player that stream into it.
    std::shared_ptr<platform::AudioEngine> pPerformance;
    std::optional<platform::AudioBus> pDefaultPath;
    std::optional<platform::AudioBus> pVoicePath;
    std::optional<platform::AudioBus> pBGMPath;
    std::optional<platform::AudioBus> pSEPath;
    std::int32_t nMasterVolume = 0;
    std::int32_t nPathVolume[3] = {};
    ZKDSHOWDATA DShowData[kGraphTypes];
    std::unique_ptr<platform::MediaPlayer> pAVIWindow;
    std::int32_t nAVILength = 0;
    MIXER_CONTROL_DATA MixerControlDetails[kMixerSlots];
    std::uint32_t dwMixerVolume[kMixerSlots] = {};
    std::uint32_t dwMixerLineFound[kMixerSlots] = {};
    platform::MixerLine MixerLines[kMixerSlots];
    std::uint32_t dwMixerSavedVolume[kMixerSlots] = {};
    std::uint32_t dwMixerDevice = 0;
    std::uint32_t dwMixerOpen = 0;
    std::unique_ptr<platform::MixerHandle> pMixerHandle;  // MixerOpen's, kept open
};
