#include "extras/BGM_DATA.h"
#include "extras/ExtrasKeys.h"
#include "game/GameContext.h"

// With nothing under the pointer every arrow leads to track 1; an id outside the
// table does nothing.
std::int32_t BGM_DATA::KeyCursorMove() {
    if (nCursorId < MUSIC_NONE || nCursorId > kMusicControls) return 1;
    ARROW_TARGETS targets{};
    for (std::size_t key = 0; key < targets.size(); ++key) {
        const std::int32_t target =
            nCursorId == MUSIC_NONE ? MusicRowId(1) : MusicRoomControl(nCursorId).nTarget[key];
        targets[key] = &MusicRoomControl(target).rcHit;
    }
    ExtrasKeyCursorMove(*pContext->pSystem, targets);
    return 1;
}
