#include "DressRoomFixture.h"

#include <algorithm>

namespace zktest {

DressRoom::DressRoom() { std::copy(std::begin(kDemoWords), std::end(kDemoWords), flags); }

void DressRoom::Start() {
    ASSERT_EQ(room.Initialize(bench.context, flags), 1u);
    bench.kit.clearLog();
}

void DressRoom::ReleaseKeys(const std::vector<int>& keys) {
    for (const int key : keys) input.setKey(key, true);
    bench.sys->KeyScan();
    for (const int key : keys) input.setKey(key, false);
    bench.sys->KeyScan();
}

int DressRoom::Standby(RoomPoint at, std::uint32_t ms, std::int32_t left) {
    return room.DressRoomStandby(at.x, at.y, left, WindowTestBench::kT0 + ms);
}

RoomPoint DressRoom::Pointer() const {
    RoomPoint p{};
    bench.sys->GetMousePos(&p.x, &p.y);
    return p;
}

const std::vector<std::uint32_t>& DressRoom::Frame() {
    return bench.drawFrame([&] { room.Draw(); });
}

std::uint32_t DressRoom::Cell(const char* stem, const std::string& cell) {
    return WindowTestBench::CellColor(stem, cell);
}

}  // namespace zktest
