#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/audio/AudioStream.h"
#include "platform/core/HResult.h"
#include "platform/media/MediaFile.h"
#include "platform/media/MediaWorker.h"
#include "support/MakeMovie.h"
#include "support/TestKit.h"

using namespace platform;

// Pictures are taken as fast as they come while nothing takes the sound: past the
// stream's ring the sound waits compressed, and past 5 s of it the oldest packets
// go with one warning, so the pictures still reach the end.
TEST(MediaWorker, SoundNobodyTakesWaitsWithinItsBoundAndNeverStallsThePictures) {
    zktest::TestKit kit;
    zktest::MakeMovie({.rate = 5, .frames = 40}, "long.mkv");
    MediaFile file;
    ASSERT_EQ(file.open("long.mkv"), S_OK);
    auto stream = std::make_shared<AudioStream>();
    MediaWorker worker(file, stream);
    ASSERT_TRUE(worker.start());
    MediaFrame picture;
    const std::int64_t end = 80000000;
    std::int64_t last = -1;
    int takes = 0;
    for (int pass = 0; pass < 1000; ++pass) {
        ASSERT_TRUE(worker.waitFor(end, 10000));
        if (worker.takePicture(end, picture)) {
            last = picture.time();
            ++takes;
        } else if (worker.settledAt(end)) {
            break;
        }
    }
    EXPECT_EQ(last, 78000000) << "the last picture, at 7.8 s";
    EXPECT_LE(takes, 40) << "a take that gave nothing reported one";
    EXPECT_EQ(stream->available(), AudioStream::kCapacityFrames);
    const std::vector<std::string> warned = {
        "Warn: <MediaWorker> one stream ran more than 5 s or 16 MB ahead of the other; its "
        "oldest packets are dropped"};
    EXPECT_EQ(kit.debugLines(), warned);
}
