#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ProcessRunner.h"

namespace zktest {

// A small Matroska movie made by the ffmpeg program: a test pattern in MPEG-4
// pictures and a 440 Hz tone at 1/8 in 16-bit PCM, each part optional.
struct TestMovie {
    int width = 160;
    int height = 120;
    int rate = 10;
    double seconds = 1.0;
    // The tone's length when it differs from the pictures'.
    double soundSeconds = 0;
    bool picture = true;
    bool sound = true;
    int soundRate = 44100;
    int channels = 2;

    // Writes the movie to path; a test failure when ffmpeg refuses.
    void Make(const std::string& path) const {
        const std::string length = std::to_string(seconds);
        std::vector<std::string> args = {"ffmpeg", "-nostdin", "-loglevel", "error", "-y"};
        if (picture) {
            args.insert(args.end(),
                        {"-f", "lavfi", "-i",
                         "testsrc=size=" + std::to_string(width) + "x" + std::to_string(height) +
                             ":rate=" + std::to_string(rate) + ":duration=" + length});
        }
        if (sound) {
            args.insert(
                args.end(),
                {"-f", "lavfi", "-i",
                 "sine=frequency=440:sample_rate=" + std::to_string(soundRate) +
                     ":duration=" + (soundSeconds > 0 ? std::to_string(soundSeconds) : length)});
        }
        if (picture) args.insert(args.end(), {"-c:v", "mpeg4"});
        // The tone is copied to both sides, at its own level.
        if (sound && channels == 2) args.insert(args.end(), {"-af", "pan=stereo|c0=c0|c1=c0"});
        if (sound) args.insert(args.end(), {"-c:a", "pcm_s16le"});
        args.insert(args.end(), {"-f", "matroska", path});
        const platform::ProcessResult result = platform::RunProcess(args);
        ASSERT_EQ(result.exitStatus, 0) << result.startError << result.err;
    }
};

}  // namespace zktest
