#include "sound/ZKDSHOWDATA.h"

#include <cstdio>
#include <cstring>
#include <optional>

#include "platform/core/Clock.h"
#include "platform/core/HResult.h"
#include "platform/core/Log.h"
#include "platform/core/Services.h"
#include "platform/media/RunningObjectTable.h"
#include "platform/text/SjisText.h"

using platform::LogError;
using platform::LogMessage;
using platform::LogWarn;
using platform::MediaState;
using platform::MediaStop;
using platform::S_OK;

namespace {

const char8_t* const kNotOpen = u8"データが開けていません\n";
const char8_t* const kNoControl = u8"メディアコントロールオブジェクトが失われています\n";
const char8_t* const kNoSeek = u8"シークオブジェクトが失われています\n";
const char8_t* const kBadArgument = u8"不正な引数が渡されました\n";
const char8_t* const kLoadFailed = u8"データロードに失敗しました\n";
const char8_t* const kNotAudio = u8"オーディオメディアではありません\n";
const char8_t* const kRewindFailed = u8"シークの初期化に失敗しました\n";
const char8_t* const kControlLost = u8"ZKDSHOWDATA::pDShowMCtrlの値が失われています\n";

constexpr int kRunAttempts = 10;
constexpr std::uint32_t kRetryDelay = 100;
// A requested side of this value stands for the movie's own size.
constexpr std::int32_t kNativeSide = 9999;

std::uint32_t Now() { return platform::service<platform::Clock>().now(); }

// Logs text when the check fails, so a run of refusals reads as one condition.
bool Refused(bool failed, std::string_view tag, platform::LogText text) {
    if (failed) LogError(tag, text);
    return failed;
}

}  // namespace

std::int32_t ZKDSHOWDATA::DShowOpen(int type, const char* path, platform::WindowHandle window,
                                    std::uint32_t, std::int32_t width, std::int32_t height,
                                    const std::shared_ptr<platform::AudioEngine>& engine) {
    if (dwOpen != 0) {
        const std::int32_t closed = DShowClose();
        if (closed < 0) {
            LogError("ZKDSHOWDATA::DShowOpen",
                     u8"呼び出したZKDSHOWDATA::DShowCloseが失敗しました\n");
            return closed;
        }
    }
    hWnd = window;
    const std::int32_t result = OpenGraph(type, path, width, height, engine);
    if (result < 0) ForgetGraph();
    return result;
}

std::int32_t ZKDSHOWDATA::OpenGraph(int type, const char* path, std::int32_t width,
                                    std::int32_t height,
                                    const std::shared_ptr<platform::AudioEngine>& engine) {
    static constexpr std::string_view tag = "ZKDSHOWDATA::DShowOpen";
    szPath[0] = '\0';
    if (path == nullptr || std::strlen(path) >= kPathSize) {
        LogError(tag, kLoadFailed);
        return platform::E_INVALIDARG;
    }
    platform::SjisCopyTruncated(szPath, kPathSize, path);
    auto graph = std::make_shared<platform::MediaGraph>(type, engine);
    const std::int32_t rendered = graph->renderFile(szPath);
    if (rendered < 0) {
        LogError(tag, kLoadFailed);
        return rendered;
    }
    pDShowGraph = pDShowMCtrl = pDShowEvent = pDShowSeek = graph;
    pVideoWindow = pBasicVideo = graph->hasVideo() ? graph.get() : nullptr;
    pBasicAudio = graph->hasAudio() ? graph.get() : nullptr;
    if (pVideoWindow == nullptr) {
        LogMessage(tag, u8"ビデオウィンドウオブジェクト作成に失敗しました\n");
    }
    if (pBasicAudio == nullptr) LogMessage(tag, u8"オーディオ操作オブジェクト作成に失敗しました\n");
    if (pBasicVideo == nullptr) LogMessage(tag, u8"ビデオ操作オブジェクト作成に失敗しました\n");
    dwMediaKind = 0;
    if (pVideoWindow != nullptr && pBasicVideo != nullptr) {
        dwMediaKind |= kKindVideo;
        LogMessage(tag, u8"ビデオタイプと判別しました\n");
    }
    if (pBasicAudio != nullptr) {
        dwMediaKind |= kKindAudio;
        LogMessage(tag, u8"オーディオタイプと判別しました\n");
    }
    if (IsVideo()) {
        ShowVideo();
        const std::int32_t sized = DShowChangeSize(0, width, height);
        if (sized < 0) {
            LogError(tag, u8"呼び出したZKDSHOWDATA::DShowChangeSizeが失敗しました\n");
            return sized;
        }
    }
    pDShowEvent->setNotifyWindow(hWnd, kEventMessageBase + static_cast<std::uint32_t>(type));
    dwState = kStopped;
    dwOpen = 1;
    return S_OK;
}

void ZKDSHOWDATA::ShowVideo() {
    pVideoWindow->setOwner(hWnd);
    pVideoWindow->setVisible(true);
}

void ZKDSHOWDATA::ForgetGraph() {
    if (pVideoWindow != nullptr) pVideoWindow->setOwner(nullptr);
    pVideoWindow = pBasicAudio = pBasicVideo = nullptr;
    pDShowSeek.reset();
    pDShowEvent.reset();
    pDShowMCtrl.reset();
    pDShowGraph.reset();
    dwMediaKind = 0;
    dwState = kClosed;
    dwOpen = 0;
}

std::int32_t ZKDSHOWDATA::DShowClose() {
    static constexpr std::string_view tag = "ZKDSHOWDATA::DShowClose";
    if (dwOpen == 0) return 1;
    if (dwState == kRunning || dwState == kPaused) {
        const std::int32_t stopped = DShowStop();
        if (stopped < 0) {
            LogError(tag, u8"呼び出したZKDSHOWDATA::DShowStopが失敗しました\n");
            return stopped;
        }
    }
    if (IsVideo()) pVideoWindow->setVisible(false);
    ForgetGraph();
    LogMessage(tag, u8"各種データのリリース終了\n");
    return S_OK;
}

bool ZKDSHOWDATA::RefusesClosedOrNoControl(std::string_view tag) const {
    return Refused(dwOpen == 0, tag, kNotOpen) || Refused(!pDShowMCtrl, tag, kNoControl);
}

bool ZKDSHOWDATA::RefusesClosedOrNoSeek(std::string_view tag) const {
    return Refused(dwOpen == 0, tag, kNotOpen) || Refused(!pDShowSeek, tag, kNoSeek);
}

std::int32_t ZKDSHOWDATA::DShowPlay() {
    const std::int32_t result = DShowPlayEx(0, 0, 0);
    if (result < 0) {
        LogError("ZKDSHOWDATA::DShowPlay", u8"呼び出したZKDSHOWDATA::DShowPlayExが失敗しました\n");
    }
    return result;
}

std::int32_t ZKDSHOWDATA::DShowPlayEx(std::int32_t repeats, std::int64_t start, std::int64_t stop) {
    static constexpr std::string_view tag = "ZKDSHOWDATA::DShowPlayEx";
    if (RefusesClosedOrNoControl(tag)) return -1;
    if (IsVideo()) ShowVideo();
    const bool stopInForce = llStopPosition != 0;
    nRepeat = repeats;
    llStartPosition = llPosition = start;
    llStopPosition = stop;
    // A stop of 0 means "to the end", which also ends an earlier play's range.
    std::int32_t result = S_OK;
    if (start != 0 || stop != 0) {
        result =
            pDShowSeek->setPositions(&start, stop != 0 ? MediaStop::At : MediaStop::ToEnd, stop);
    } else if (stopInForce) {
        result = pDShowSeek->setPositions(nullptr, MediaStop::ToEnd);
    }
    if (result < 0) {
        LogError(tag, u8"位置設定に失敗しました\n");
        return result;
    }
    result = RunWithRetries(tag, u8"再生に失敗しました……再試行します\n");
    if (result < 0) return result;
    dwState = kRunning;
    result = DShowSetVolume(lRequestVolume);
    if (result < 0) {
        LogError(tag, u8"呼び出したZKDSHOWDATA::DShowSetVolumeが失敗しました\n");
        result = 1;
    }
    dwVolumeRequestTime = Now();
    return result;
}

std::int32_t ZKDSHOWDATA::RunWithRetries(std::string_view tag, platform::LogText retryText) {
    for (int attempt = 1;; ++attempt) {
        const std::int32_t result = pDShowMCtrl->run();
        if (result >= 0) return result;
        if (attempt == kRunAttempts) {
            LogError(tag, u8"再生に失敗しました\n");
            return result;
        }
        LogError(tag, retryText);
        platform::service<platform::Clock>().sleep(kRetryDelay);
    }
}

std::int32_t ZKDSHOWDATA::StopAndRewind() {
    pDShowMCtrl->stop();
    dwState = kStopped;
    llPosition = 0;
    const std::int64_t start = 0;
    const std::int32_t result = pDShowSeek->setPositions(&start, MediaStop::Keep);
    if (result < 0) LogError("ZKDSHOWDATA::DShowStop", kRewindFailed);
    return result;
}

std::int32_t ZKDSHOWDATA::DShowStop() {
    static constexpr std::string_view tag = "ZKDSHOWDATA::DShowStop";
    if (RefusesClosedOrNoControl(tag) || Refused(!pDShowSeek, tag, kNoSeek)) return -1;
    if (dwState == kStopped) {
        LogWarn(tag, u8"既に停止されています\n");
        return 1;
    }
    std::int32_t result = StopAndRewind();
    if (result < 0 || !IsVideo()) return result;
    // A video is run once from the start and stopped again, so its output holds
    // the first picture when it is shown next.
    DShowPlay();
    result = StopAndRewind();
    if (result < 0) return result;
    pVideoWindow->setVisible(false);
    return result;
}

std::int32_t ZKDSHOWDATA::DShowPause() {
    static constexpr std::string_view tag = "ZKDSHOWDATA::DShowPause";
    if (RefusesClosedOrNoControl(tag)) return -1;
    if (dwState == kPaused || dwState == kStopped) {
        const std::int32_t result = RunWithRetries(tag, u8"再生に失敗しました再試行します\n");
        if (result < 0) return result;
        dwState = kRunning;
        return result;
    }
    if (dwState != kRunning) return 1;
    pDShowMCtrl->pause();
    dwState = kPaused;
    std::int64_t stop = 0;
    pDShowSeek->getPositions(llPosition, stop);
    return S_OK;
}

std::int32_t ZKDSHOWDATA::DShowGetLength(std::int64_t* length) {
    static constexpr std::string_view tag = "ZKDSHOWDATA::DShowGetLength";
    if (Refused(length == nullptr, tag, kBadArgument) || RefusesClosedOrNoSeek(tag)) return -1;
    return pDShowSeek->getDuration(*length) < 0 ? -1 : S_OK;
}

std::optional<std::int32_t> ZKDSHOWDATA::VolumeRefusal(std::string_view tag) const {
    if (Refused(!pDShowGraph, tag, u8"ZKDSHOWDATA::pDShowGraphが失われています\n") ||
        Refused(pBasicAudio == nullptr, tag, u8"オーディオ操作オブジェクトが失われています\n")) {
        return -1;
    }
    if (!IsAudio()) {
        LogWarn(tag, kNotAudio);
        return 1;
    }
    return std::nullopt;
}

std::int32_t ZKDSHOWDATA::DShowSetVolume(std::int32_t volume) {
    static constexpr std::string_view tag = "ZKDSHOWDATA::DShowSetVolume";
    if (dwOpen == 0) {
        lRequestVolume = volume;
        return 1;
    }
    if (const auto refusal = VolumeRefusal(tag)) return *refusal;
    if (volume > 0 || volume < platform::MediaGraph::kLowestVolume) {
        LogWarn(tag,
                u8"ボリュームの設定範囲限界を超えています。最も近い設定可能な値に修正します\n");
        volume = volume > 0 ? 0 : platform::MediaGraph::kLowestVolume;
    }
    pBasicAudio->putVolume(volume);
    lRequestVolume = volume;
    return S_OK;
}

std::int32_t ZKDSHOWDATA::DShowGetVolume(std::int32_t* volume) {
    static constexpr std::string_view tag = "ZKDSHOWDATA::DShowGetVolume";
    if (Refused(volume == nullptr, tag, kBadArgument)) return -1;
    if (dwOpen == 0) return -1;
    if (const auto refusal = VolumeRefusal(tag)) return *refusal;
    *volume = pBasicAudio->volume();
    return S_OK;
}

std::int32_t ZKDSHOWDATA::DShowGetStatus(std::uint32_t* status) {
    static constexpr std::string_view tag = "ZKDSHOWDATA::DShowGetStatus";
    if (Refused(status == nullptr, tag, kBadArgument)) return -1;
    if (dwOpen == 0) return 1;
    if (Refused(!pDShowGraph, tag, u8"ZKDSHOWDATA::pDShowGraphの値が失われています\n") ||
        Refused(!pDShowMCtrl, tag, kControlLost)) {
        return -1;
    }
    switch (pDShowMCtrl->state()) {
        case MediaState::Stopped:
            *status = kStopped;
            break;
        case MediaState::Paused:
            *status = kPaused;
            break;
        case MediaState::Running:
            *status = kRunning;
            break;
    }
    return S_OK;
}

std::int32_t ZKDSHOWDATA::DShowChangeSize(std::uint32_t checkOpen, std::int32_t width,
                                          std::int32_t height) {
    static constexpr std::string_view tag = "ZKDSHOWDATA::DShowChangeSize";
    if ((checkOpen != 0 && dwOpen == 0) || !IsVideo()) return -1;
    if (Refused(pVideoWindow == nullptr, tag, u8"ビデオウィンドウオブジェクトが失われています\n") ||
        Refused(pBasicVideo == nullptr, tag, u8"ビデオ操作オブジェクトが失われています\n")) {
        return -1;
    }
    const bool fullScreenRequest = width < 0 || height < 0;
    if (pVideoWindow->fullScreen()) {
        if (fullScreenRequest) {
            LogWarn(tag, u8"既にフルスクリーンです\n");
            return 1;
        }
        pVideoWindow->setFullScreen(false);
        return S_OK;
    }
    if (fullScreenRequest) {
        hSavedDrain = pVideoWindow->messageDrain();
        pVideoWindow->setMessageDrain(hWnd);
        pVideoWindow->setFullScreen(true);
        return S_OK;
    }
    int nativeWidth = 0;
    int nativeHeight = 0;
    pBasicVideo->videoSize(nativeWidth, nativeHeight);
    nWindowWidth = width == kNativeSide ? nativeWidth : width;
    nWindowHeight = height == kNativeSide ? nativeHeight : height;
    const std::int32_t result = pVideoWindow->setWindowPosition(0, 0, nWindowWidth, nWindowHeight);
    if (result < 0) LogError(tag, u8"クライアント領域指定に失敗しました\n");
    return result;
}

std::int32_t ZKDSHOWDATA::DShowGetSeekPointOperation(std::int64_t* position) {
    static constexpr std::string_view tag = "ZKDSHOWDATA::DShowGetSeekPointOperation";
    if (Refused(position == nullptr, tag, kBadArgument) || RefusesClosedOrNoSeek(tag)) return -1;
    std::int64_t stop = 0;
    pDShowSeek->getPositions(*position, stop);
    llPosition = *position;
    return S_OK;
}

std::int32_t ZKDSHOWDATA::DShowEventNotify() {
    static constexpr std::string_view tag = "ZKDSHOWDATA::DShowEventNotify";
    if (Refused(dwOpen == 0, tag, u8"メディアが開けていません\n") ||
        Refused(!pDShowMCtrl, tag, kControlLost) ||
        Refused(!pDShowEvent, tag, u8"ZKDSHOWDATA::pDShowEventの値が失われています\n") ||
        Refused(!pDShowSeek, tag, u8"ZKDSHOWDATA::pSeekの値が失われています\n")) {
        return -1;
    }
    std::int32_t code = 0;
    while (dwOpen != 0 && pDShowEvent->getEvent(code) == S_OK) {
        if (code != platform::EC_COMPLETE) continue;
        llPosition = 0;
        const std::int64_t start = 0;
        if (pDShowSeek->setPositions(&start, MediaStop::Keep) != S_OK) {
            // A graph that cannot rewind cannot play again: the play ends here.
            const std::int32_t stopped = dwState == kStopped ? S_OK : DShowStop();
            if (stopped < 0) {
                LogError(tag, u8"呼び出したZKDSHOWDATA::DSHOWStopが失敗しました\n");
                return stopped;
            }
            continue;
        }
        if (nRepeat == -2) {
            DShowPlayEx(nRepeat, llStartPosition, llStopPosition);
        } else if (--nRepeat < 0) {
            nRepeat = 0;
            if (dwState != kStopped) DShowStop();
        } else {
            DShowPlayEx(nRepeat, llStartPosition, llStopPosition);
        }
    }
    return 1;
}

std::int32_t ZKDSHOWDATA::DShowRegObjTbl() {
    char item[64];
    std::snprintf(item, sizeof item, "!FilterGraph %08x pid %08x",
                  static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(pDShowGraph.get())),
                  static_cast<unsigned>(platform::RunningObjectTable::processId()));
    dwRegister = platform::RunningObjectTable::instance().add(item);
    return S_OK;
}

std::int32_t ZKDSHOWDATA::DShowReleaseObjTbl() {
    if (dwRegister != 0) {
        platform::RunningObjectTable::instance().revoke(dwRegister);
        dwRegister = 0;
    }
    return S_OK;
}
