#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "SoundFixture.h"
#include "platform/audio/SdlAudioDevice.h"

namespace {

// The newest frames of the raw float stereo stream the disk driver writes as fast as
// it can.
std::vector<float> NewestFrames(const std::string& path) {
    constexpr std::streamoff kTail = 64 * 1024;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : 0;
    const std::streamoff start = std::max<std::streamoff>(0, size - kTail) / 8 * 8;
    std::vector<float> samples(static_cast<std::size_t>(size - start) / sizeof(float));
    file.seekg(start);
    file.read(reinterpret_cast<char*>(samples.data()),
              static_cast<std::streamsize>(samples.size() * sizeof(float)));
    return samples;
}

}  // namespace

TEST_F(SoundFixture, SdlWithAnUnknownDriverFailsTheStart) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    platform::SdlAudioDevice sdl;
    platform::ScopedService<platform::AudioDevice> installed(sdl);
    EXPECT_EQ(snd.Initialize(nullptr, nullptr, 0), -1);
    EXPECT_EQ(snd.Release(), 0);
}

TEST_F(SoundFixture, SdlDiskDriverReceivesTheMix) {
    const std::string output = (kit.dir.path() / "mix.raw").string();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    platform::SdlAudioDevice sdl;
    platform::ScopedService<platform::AudioDevice> installed(sdl);
    zktest::WriteLevelWav("level.sou", 4410, 0.5f);
    Start();
    ASSERT_EQ(snd.DALoad(2, "level.sou", DA_PATH_SE), 0);
    ASSERT_EQ(snd.DASetPathVolume(DA_PATH_SE, -600), 0);
    ASSERT_EQ(snd.DAPlay(2, -1, DA_PATH_SE), 0);
    bool heard = false;
    for (int attempt = 0; attempt < 500 && !heard; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        heard = zktest::AllFramesAt(NewestFrames(output), 0.25059f, 1e-4f);
    }
    EXPECT_EQ(snd.Release(), 0);
    EXPECT_TRUE(heard);
}
