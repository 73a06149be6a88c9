#include "platform/cd/CdReader.h"

#include <chrono>
#include <vector>

#include "platform/audio/AudioStream.h"
#include "platform/cd/CdDrive.h"
#include "platform/cd/CdTime.h"
#include "platform/core/Log.h"

namespace platform {

namespace {

// A real device's mix takes sound without waking the reader, so it also looks
// for room this often; the ring holds half a second.
constexpr std::chrono::milliseconds kRoomPoll{20};
constexpr float kSampleScale = 1.0f / 32768.0f;

}  // namespace

CdReader::CdReader(CdDrive& drive, std::shared_ptr<AudioStream> stream, int from, int end)
    : drive_(drive), stream_(std::move(stream)) {
    stream_->setWakeProducer([this] { wake(); });
    thread_ = std::thread([this, from, end] { run(from, end); });
}

CdReader::~CdReader() {
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    thread_.join();
    stream_->setWakeProducer(nullptr);
}

void CdReader::wake() {
    const std::lock_guard lock(mutex_);
    wake_.notify_all();
}

bool CdReader::waitForRoom() {
    std::unique_lock lock(mutex_);
    while (!quit_ && stream_->space() < static_cast<std::size_t>(CdTime::kFramesPerSector)) {
        wake_.wait_for(lock, kRoomPoll);
    }
    return !quit_;
}

void CdReader::run(int from, int end) {
    std::vector<std::int16_t> samples(CdTime::kSamplesPerSector);
    std::vector<float> frames(CdTime::kSamplesPerSector);
    for (int sector = from; sector < end; ++sector) {
        if (!waitForRoom()) return;
        if (!drive_.readAudio(sector, 1, samples.data()) &&
            !drive_.readAudio(sector, 1, samples.data())) {
            LogError("CdReader", "reading sector %d failed", sector);
            break;
        }
        for (std::size_t i = 0; i < samples.size(); ++i) frames[i] = samples[i] * kSampleScale;
        stream_->push(frames.data(), CdTime::kFramesPerSector);
    }
    stream_->markEnded();
}

}  // namespace platform
