#include "game/GAMEMAIN.h"

namespace {

// The speed the reveal uses when the setting holds none: 60 bytes a second.
constexpr std::uint32_t kDefaultMsgSpeed = 1000;

}  // namespace

// The message speed is the time 60 bytes take to appear. The count is worked out
// afresh from the start time each frame, so a slow frame never loses bytes.
void GAMEMAIN::MsgRevealUpdate(std::uint32_t dwStartTime) {
    std::int32_t& shown = MsgWindowData.nDispByte;
    if (shown == -1) return;
    const std::uint32_t speed = nMsgSpeed == 0 ? kDefaultMsgSpeed : nMsgSpeed;
    const double count = static_cast<double>(dwNowTime - dwStartTime) * 60.0 / speed;
    if (count >= dwMsgTextWork[2]) {
        shown = -1;
        return;
    }
    shown = static_cast<std::int32_t>(count);
}
