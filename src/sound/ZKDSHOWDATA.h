#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/core/Log.h"
#include "platform/input/InputSource.h"
#include "platform/media/MediaGraph.h"

// One media graph of the sound object: a file opened for playing once, a number of
// extra times or endlessly, its volume and, for a video, its picture in the game
// area. The end of a play arrives as the window message kEventMessageBase + type.
class ZKDSHOWDATA {
public:
    static constexpr std::uint32_t kEventMessageBase = 0x8002;
    static constexpr std::size_t kPathSize = 260;
    static constexpr std::uint32_t kKindVideo = 1;
    static constexpr std::uint32_t kKindAudio = 2;
    static constexpr std::uint32_t kClosed = 0;
    static constexpr std::uint32_t kRunning = 1;
    static constexpr std::uint32_t kStopped = 2;
    static constexpr std::uint32_t kPaused = 3;

    ZKDSHOWDATA() = default;
    ZKDSHOWDATA(const ZKDSHOWDATA&) = delete;
    ZKDSHOWDATA& operator=(const ZKDSHOWDATA&) = delete;

    // The graph's sound plays through engine, the sound object's, when it has one.
    std::int32_t DShowOpen(int type, const char* path, platform::WindowHandle window,
                           std::uint32_t style, std::int32_t width, std::int32_t height,
                           const std::shared_ptr<platform::AudioEngine>& engine);
    std::int32_t DShowClose();
    std::uint32_t DShowIsOpen() const { return dwOpen; }
    std::int32_t DShowPlay();
    std::int32_t DShowPlayEx(std::int32_t repeats, std::int64_t start, std::int64_t stop);
    std::int32_t DShowStop();
    std::int32_t DShowPause();
    std::int32_t DShowGetLength(std::int64_t* length);
    std::int32_t DShowSetVolume(std::int32_t volume);
    std::int32_t DShowGetVolume(std::int32_t* volume);
    std::int32_t DShowGetStatus(std::uint32_t* status);
    std::int32_t DShowChangeSize(std::uint32_t checkOpen, std::int32_t width, std::int32_t height);
    std::int32_t DShowGetSeekPointOperation(std::int64_t* position);
    std::int64_t DShowGetSeekPoint() const { return llPosition; }
    std::int32_t DShowEventNotify();
    std::int32_t DShowGetRequestVolume() const { return lRequestVolume; }
    std::int32_t DShowRegObjTbl();
    std::int32_t DShowReleaseObjTbl();

    std::uint32_t GetVolumeRequestTime() const { return dwVolumeRequestTime; }
    void SetVolumeRequestTime(std::uint32_t time) { dwVolumeRequestTime = time; }

private:
    bool IsVideo() const { return (dwMediaKind & kKindVideo) != 0; }
    bool IsAudio() const { return (dwMediaKind & kKindAudio) != 0; }
    // The open's steps after the close of an open graph; on failure the caller
    // empties the record.
    std::int32_t OpenGraph(int type, const char* path, std::int32_t width, std::int32_t height,
                           const std::shared_ptr<platform::AudioEngine>& engine);
    void ShowVideo();
    void ForgetGraph();
    // Run, up to ten attempts 100 ms apart, each failure logged with retryText.
    std::int32_t RunWithRetries(std::string_view tag, platform::LogText retryText);
    // Stop and rewind to the start.
    std::int32_t StopAndRewind();
    // Refusals shared by the graph operations; true after logging.
    bool RefusesClosedOrNoControl(std::string_view tag) const;
    bool RefusesClosedOrNoSeek(std::string_view tag) const;
    // -1 after a lost graph or basic audio, 1 for a file without sound, nothing
    // when the volume can be reached.
    std::optional<std::int32_t> VolumeRefusal(std::string_view tag) const;

    platform::WindowHandle hWnd = nullptr;
    std::shared_ptr<platform::MediaGraph> pDShowGraph;
    std::shared_ptr<platform::MediaGraph> pDShowMCtrl;
    std::shared_ptr<platform::MediaGraph> pDShowEvent;
    std::shared_ptr<platform::MediaGraph> pDShowSeek;
    platform::MediaGraph* pVideoWindow = nullptr;
    platform::MediaGraph* pBasicAudio = nullptr;
    platform::MediaGraph* pBasicVideo = nullptr;
    platform::WindowHandle hSavedDrain = nullptr;
    std::uint32_t dwOpen = 0;
    std::uint32_t dwMediaKind = 0;
    std::uint32_t dwState = kClosed;
    std::int32_t nWindowWidth = 0;
    std::int32_t nWindowHeight = 0;
    std::int64_t llPosition = 0;
    std::int32_t lRequestVolume = 0;
    std::uint32_t dwRegister = 0;
    char szPath[kPathSize] = {};
    std::int32_t nRepeat = 0;
    std::int64_t llStartPosition = 0;
    std::int64_t llStopPosition = 0;
    std::uint32_t dwVolumeRequestTime = 0;
};
