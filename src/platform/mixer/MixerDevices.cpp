#include "platform/mixer/MixerDevices.h"

namespace platform {

std::uint32_t MixerDevices::count() { return 0; }

std::unique_ptr<MixerHandle> MixerDevices::open(std::uint32_t) { return nullptr; }

}  // namespace platform
