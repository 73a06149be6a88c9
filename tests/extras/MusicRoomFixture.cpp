#include "MusicRoomFixture.h"

namespace zktest {

RoomPoint MusicRoom::Centre(int nId) {
    static constexpr RoomPoint kButtons[] = {
        {724, 495}, {724, 527}, {684, 527}, {763, 527}, {724, 559}};
    if (nId <= 5) return kButtons[nId - 1];
    const int track = nId - 5;
    if (track <= 9) return {192, 101 + 40 * (track - 1)};
    return {608, 101 + 40 * (track - 10)};
}

void MusicRoom::Start() {
    ASSERT_EQ(room.Initialize(bench.context), 1u);
    bench.kit.clearLog();
    bench.sounds.clear();
}

int MusicRoom::Standby(RoomPoint p, std::int32_t left) {
    bench.pullFrameSound();
    last = room.BGMStandby(p.x, p.y, left, WindowTestBench::Time(++frame));
    return last;
}

int MusicRoom::Click(RoomPoint p) {
    Standby(p, KEY_STATE_PRESSED);
    return Standby(p, KEY_STATE_RELEASED);
}

bool MusicRoom::StandbyUntil(RoomPoint p, const std::function<bool()>& pred, int max) {
    for (int k = 0; k < max; ++k) {
        Standby(p);
        if (pred()) return true;
    }
    return false;
}

void MusicRoom::ReleaseKeys(const std::vector<int>& keys) {
    for (const int key : keys) input.setKey(key, true);
    bench.sys->KeyScan();
    for (const int key : keys) input.setKey(key, false);
    bench.sys->KeyScan();
}

RoomPoint MusicRoom::Pointer() const {
    RoomPoint p{};
    bench.sys->GetMousePos(&p.x, &p.y);
    return p;
}

int MusicRoom::TrackPlays(int track) const {
    return bench.sounds.plays("tmp/" + WindowTestBench::Track(track), platform::AudioBus::Music);
}

const std::vector<std::uint32_t>& MusicRoom::Frame() {
    return bench.drawFrame([&] { room.Draw(); });
}

std::uint32_t MusicRoom::Cell(const std::string& name) {
    return WindowTestBench::CellColor("BGMModeMaterial", name);
}

}  // namespace zktest
