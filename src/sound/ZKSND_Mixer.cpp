#include <algorithm>

#include "platform/core/Services.h"
#include "platform/mixer/MixerDevices.h"
#include "sound/ZKSND.h"

using platform::LogError;
using platform::MixerHandle;
using platform::MixerLine;
using platform::MixerLineType;

namespace {

constexpr std::int64_t kMaxVolume = MixerHandle::kMaxValue;

// The slot a source line fills, or -1.
int SourceSlot(MixerLineType type) {
    switch (type) {
        case MixerLineType::WaveOut:
            return MIXER_SLOT_WAVE;
        case MixerLineType::Synthesizer:
            return MIXER_SLOT_SYNTH;
        case MixerLineType::CompactDisc:
            return MIXER_SLOT_CD;
        default:
            return -1;
    }
}

// The delta clamped to one full scale either way and written back; the volume it
// gives from base, clamped to the scale.
std::uint32_t AddClamped(std::uint32_t base, std::int32_t& delta) {
    delta = static_cast<std::int32_t>(std::clamp<std::int64_t>(delta, -kMaxVolume, kMaxVolume));
    return static_cast<std::uint32_t>(
        std::clamp<std::int64_t>(std::int64_t{base} + delta, 0, kMaxVolume));
}

}  // namespace

int ZKSND::MixerOpen(std::uint32_t device) {
    dwMixerOpen = 0;
    dwMixerDevice = device;
    pMixerHandle.reset();
    for (int slot = 0; slot < kMixerSlots; ++slot) {
        MixerLines[slot] = {};
        MixerControlDetails[slot] = {};
        dwMixerVolume[slot] = dwMixerSavedVolume[slot] = dwMixerLineFound[slot] = 0;
    }
    platform::MixerDevices& devices = platform::service<platform::MixerDevices>();
    if (devices.count() == 0) {
        LogError("ZKSND::MixerOpen", u8"ミキサー数が得られませんでした\n");
        return 0;
    }
    std::unique_ptr<MixerHandle> handle = devices.open(device);
    if (!handle) {
        LogError("ZKSND::MixerOpen", u8"ミキサーオープンに失敗しました\n");
        return 0;
    }
    MixerGetDev(*handle);
    for (int slot = 0; slot < kMixerSlots; ++slot) {
        if (dwMixerLineFound[slot] != 0) dwMixerSavedVolume[slot] = dwMixerVolume[slot];
    }
    pMixerHandle = std::move(handle);
    dwMixerOpen = 1;
    return 1;
}

// Sources count only under a speaker destination: a recording destination's lines
// are never taken. Each speaker destination with a readable volume replaces slot 0.
void ZKSND::MixerGetDev(MixerHandle& handle) {
    const std::optional<std::uint32_t> destinations = handle.destinations();
    if (!destinations) {
        LogError("ZKSND::MixerGetDev", u8"デバイスの取得に失敗しました\n");
        return;
    }
    for (std::uint32_t d = 0; d < *destinations; ++d) {
        const std::optional<MixerLine> speakers = handle.destination(d);
        if (!speakers || speakers->type != MixerLineType::Speakers) continue;
        if (MixerGetControl(MIXER_SLOT_SPEAKERS, *speakers, handle) != 0) {
            MixerLines[MIXER_SLOT_SPEAKERS] = *speakers;
            dwMixerLineFound[MIXER_SLOT_SPEAKERS] = 1;
        }
        for (std::uint32_t j = 0; j < speakers->connections; ++j) {
            const std::optional<MixerLine> source = handle.source(d, j);
            const int slot = source ? SourceSlot(source->type) : -1;
            if (slot < 0 || dwMixerLineFound[slot] != 0) continue;
            if (MixerGetControl(slot, *source, handle) == 0) continue;
            MixerLines[slot] = *source;
            dwMixerLineFound[slot] = 1;
        }
    }
}

int ZKSND::MixerGetControl(int slot, const MixerLine& line, MixerHandle& handle) {
    if (!IsMixerSlot(slot)) return 0;
    for (const platform::MixerControl& control : handle.controls(line.id)) {
        if (!control.volume) continue;
        const std::optional<std::uint32_t> value = handle.getValue(control.id);
        if (!value) continue;
        MixerControlDetails[slot] = {control.id, 1, control.items};
        dwMixerVolume[slot] = *value;
        return 1;
    }
    return 0;
}

int ZKSND::MixerSetControl(int slot, MixerHandle& handle) {
    if (!IsMixerSlot(slot)) return 0;
    return handle.setValue(MixerControlDetails[slot].dwControlID, dwMixerVolume[slot]) ? 1 : 0;
}

bool ZKSND::MixerSlotUsable(int slot) const {
    return dwMixerOpen != 0 && IsMixerSlot(slot) && dwMixerLineFound[slot] != 0;
}

int ZKSND::MixerApply(int slot, const std::function<std::uint32_t()>& target) {
    const std::unique_ptr<MixerHandle> handle =
        platform::service<platform::MixerDevices>().open(dwMixerDevice);
    if (!handle) return 0;
    if (MixerGetControl(slot, MixerLines[slot], *handle) != 0) dwMixerVolume[slot] = target();
    return MixerSetControl(slot, *handle);
}

int ZKSND::MixerSetVolume(int slot, std::uint32_t* volume) {
    if (volume == nullptr || !MixerSlotUsable(slot)) return 0;
    return MixerApply(slot, [&] {
        *volume = std::min<std::uint32_t>(*volume, MixerHandle::kMaxValue);
        return *volume;
    });
}

int ZKSND::MixerAddVolume(int slot, std::int32_t* delta) {
    if (delta == nullptr || !MixerSlotUsable(slot)) return 0;
    return MixerApply(slot, [&] { return AddClamped(dwMixerVolume[slot], *delta); });
}

int ZKSND::MixerAddSavedVolume(int slot, std::int32_t* delta) {
    if (delta == nullptr || !MixerSlotUsable(slot)) return 0;
    return MixerApply(slot, [&] { return AddClamped(dwMixerSavedVolume[slot], *delta); });
}

int ZKSND::MixerRestoreVolume() {
    if (dwMixerOpen == 0) return 0;
    int result = 1;
    for (int slot = 0; slot < kMixerSlots; ++slot) {
        if (dwMixerLineFound[slot] == 0) continue;
        std::uint32_t volume = dwMixerSavedVolume[slot];
        if (MixerSetVolume(slot, &volume) == 0) result = 0;
    }
    return result;
}

int ZKSND::MixerGetSlot(int slot, MixerLine* line, std::uint32_t* volume,
                        std::uint32_t* saved) const {
    if (!IsMixerSlot(slot) || dwMixerLineFound[slot] == 0) return 0;
    if (line != nullptr) *line = MixerLines[slot];
    if (volume != nullptr) *volume = dwMixerVolume[slot];
    if (saved != nullptr) *saved = dwMixerSavedVolume[slot];
    return 1;
}
