#include "sound/ZKDADATA.h"

#include <cstring>

#include "platform/text/SjisText.h"

void ZKDADATA::SetData(const char* name) {
    std::memset(szFileName, 0, sizeof szFileName);
    if (name != nullptr) platform::SjisCopyTruncated(szFileName, sizeof szFileName, name);
}

void ZKDADATA::Release() {
    if (pPerformance != nullptr && !instances.empty()) pPerformance->stop(instances);
    instances.clear();
    pSegmentState.reset();
    pSegment.reset();
    mtLength = 0;
}

void ZKDADATA::Play(platform::AudioBus bus, int repeats) {
    std::erase_if(instances, [this](const platform::InstanceHandle& instance) {
        return !pPerformance->isActive(instance);
    });
    pSegmentState = pPerformance->play(pSegment, bus, repeats, pSegmentState);
    instances.push_back(pSegmentState);
}

void ZKDADATA::Stop() { pPerformance->stop(instances); }

bool ZKDADATA::IsPlaying() const { return pPerformance->anyActive(instances); }
