#include <string>

#include "sound/ZKSND.h"

using platform::LogError;

namespace {

// A volume read back as this was not read at all.
constexpr std::int32_t kUnreadVolume = -9999;
// A play's volume is checked again once this long after the play started.
constexpr std::uint32_t kVolumeSettleTime = 100;

}  // namespace

ZKDSHOWDATA* ZKSND::Graph(std::string_view operation, int type) {
    if (type < 0 || type >= kGraphTypes) {
        LogError(std::string("ZKSND::").append(operation), u8"オーディオタイプの指定が異常です\n");
        return nullptr;
    }
    return &DShowData[type];
}

std::int32_t ZKSND::DShowOpen(int type, const char* path, std::int32_t width, std::int32_t height) {
    ZKDSHOWDATA* graph = Graph("DShowOpen", type);
    return graph ? graph->DShowOpen(type, path, hWnd, dwWindowStyle, width, height, pPerformance)
                 : -1;
}

std::int32_t ZKSND::DShowClose(int type) {
    ZKDSHOWDATA* graph = Graph("DShowClose", type);
    return graph ? graph->DShowClose() : -1;
}

std::int32_t ZKSND::DShowIsOpen(int type) {
    ZKDSHOWDATA* graph = Graph("DShowIsOpen", type);
    return graph ? static_cast<std::int32_t>(graph->DShowIsOpen()) : -1;
}

std::int32_t ZKSND::DShowPlay(int type) {
    ZKDSHOWDATA* graph = Graph("DShowPlay", type);
    return graph ? graph->DShowPlay() : -1;
}

std::int32_t ZKSND::DShowPlayEx(int type, std::int32_t repeats, std::int64_t start,
                                std::int64_t stop) {
    ZKDSHOWDATA* graph = Graph("DShowPlayEx", type);
    return graph ? graph->DShowPlayEx(repeats, start, stop) : -1;
}

std::int32_t ZKSND::DShowStop(int type) {
    ZKDSHOWDATA* graph = Graph("DShowStop", type);
    return graph ? graph->DShowStop() : -1;
}

std::int32_t ZKSND::DShowPause(int type) {
    ZKDSHOWDATA* graph = Graph("DShowPause", type);
    return graph ? graph->DShowPause() : -1;
}

std::int32_t ZKSND::DShowGetLength(int type, std::int64_t* length) {
    ZKDSHOWDATA* graph = Graph("DShowGetLength", type);
    return graph ? graph->DShowGetLength(length) : -1;
}

std::int32_t ZKSND::DShowSetVolume(int type, std::int32_t volume) {
    ZKDSHOWDATA* graph = Graph("DShowSetVolume", type);
    return graph ? graph->DShowSetVolume(volume) : -1;
}

std::int32_t ZKSND::DShowGetVolume(int type, std::int32_t* volume) {
    ZKDSHOWDATA* graph = Graph("DShowGetVolume", type);
    return graph ? graph->DShowGetVolume(volume) : -1;
}

std::int32_t ZKSND::DShowGetStatus(int type, std::uint32_t* status) {
    ZKDSHOWDATA* graph = Graph("DShowGetStatus", type);
    return graph ? graph->DShowGetStatus(status) : -1;
}

std::int32_t ZKSND::DShowChangeSize(int type, std::uint32_t checkOpen, std::int32_t width,
                                    std::int32_t height) {
    ZKDSHOWDATA* graph = Graph("DShowChangeSize", type);
    return graph ? graph->DShowChangeSize(checkOpen, width, height) : -1;
}

std::int32_t ZKSND::DShowGetSeekPointOperation(int type, std::int64_t* position) {
    ZKDSHOWDATA* graph = Graph("DShowGetSeekPointOperation", type);
    return graph ? graph->DShowGetSeekPointOperation(position) : -1;
}

std::int64_t ZKSND::DShowGetSeekPoint(int type) {
    ZKDSHOWDATA* graph = Graph("DShowGetSeekPoint", type);
    return graph ? graph->DShowGetSeekPoint() : -1;
}

std::int32_t ZKSND::DShowEventNotify(int type) {
    ZKDSHOWDATA* graph = Graph("DShowEventNotify", type);
    return graph ? graph->DShowEventNotify() : -1;
}

std::int32_t ZKSND::DShowGetRequestVolume(int type) {
    ZKDSHOWDATA* graph = Graph("DShowGetRequestVolume", type);
    return graph ? graph->DShowGetRequestVolume() : -1;
}

std::int32_t ZKSND::DShowRegObjTbl(int type) {
    ZKDSHOWDATA* graph = Graph("DShowRegObjTbl", type);
    return graph ? graph->DShowRegObjTbl() : -1;
}

std::int32_t ZKSND::DShowReleaseObjTbl(int type) {
    ZKDSHOWDATA* graph = Graph("DShowReleaseObjTbl", type);
    return graph ? graph->DShowReleaseObjTbl() : -1;
}

void ZKSND::ReapplyVolume(ZKDSHOWDATA& graph) {
    if (graph.DShowSetVolume(graph.DShowGetRequestVolume()) < 0) {
        LogError("ZKSND::MainLoop", u8"ボリューム設定に失敗しました\n");
        return;
    }
    graph.SetVolumeRequestTime(0);
}

std::int32_t ZKSND::MainLoop(std::uint32_t now) {
    if (dwInitialized == 0) return 1;
    for (ZKDSHOWDATA& graph : DShowData) {
        const std::uint32_t requested = graph.GetVolumeRequestTime();
        if (requested != 0 && now - requested >= kVolumeSettleTime) {
            ReapplyVolume(graph);
            continue;
        }
        std::int32_t volume = kUnreadVolume;
        graph.DShowGetVolume(&volume);
        if (volume != kUnreadVolume && volume != graph.DShowGetRequestVolume()) {
            ReapplyVolume(graph);
        }
    }
    return 1;
}
