#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "support/CdImage.h"
#include "support/MakeMovie.h"
#include "support/ManualAudio.h"
#include "support/RunTool.h"
#include "support/TempWorkDir.h"

namespace {

// The tool's window and sound on SDL's dummy drivers, whatever the machine has.
void UseDummyDevices() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

}  // namespace

TEST(Zksnd, ListsADiscImagesTracksLengthAndIdAndRefusesBadCommandLines) {
    zktest::TempWorkDir dir;
    const std::string cue = zktest::CdImage::Write("disc", {{300, true}, {225, true}, {75, false}});
    const platform::ProcessResult run = zktest::RunTool("zksnd", {"cd", "tracks", cue});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out,
              "track 1 audio 00:04:00\ntrack 2 audio 00:03:00\ntrack 3 other 00:01:00\n"
              "length 00:08:00\nid 11000803\n");
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"cd"},
        {"cd", "play"},
        {"cd", "play", "x", "y"},
        {"mixer", "set", "0"},
        {"play"},
        {"avi", "m.avi", "1", "2"},
        {"tune"},
    };
    for (const auto& args : bad) {
        EXPECT_EQ(zktest::RunTool("zksnd", args).exitStatus, 2) << ::testing::PrintToString(args);
    }
}

TEST(Zksnd, NumbersTracksAsTheDiscDoesAndRefusesATrackItLacks) {
    UseDummyDevices();
    zktest::TempWorkDir dir;
    const std::string cue =
        zktest::CdImage::Write("five", {{300, true}, {225, true}, {75, false}}, 5);
    const platform::ProcessResult tracks = zktest::RunTool("zksnd", {"cd", "tracks", cue});
    EXPECT_EQ(tracks.exitStatus, 0);
    EXPECT_EQ(tracks.err, "");
    EXPECT_EQ(tracks.out,
              "track 5 audio 00:04:00\ntrack 6 audio 00:03:00\ntrack 7 other 00:01:00\n"
              "length 00:08:00\nid 11000803\n");
    const platform::ProcessResult played = zktest::RunTool("zksnd", {"cd", "play", cue, "6", "0"});
    EXPECT_EQ(played.exitStatus, 0) << played.err;
    for (const std::string track : {"4", "8", "257"}) {
        const platform::ProcessResult run = zktest::RunTool("zksnd", {"cd", "play", cue, track});
        EXPECT_EQ(run.exitStatus, 1) << track;
        EXPECT_NE(
            run.err.find("zksnd: the disc has no track " + track + " (its tracks are 5 to 7)\n"),
            std::string::npos)
            << run.err;
    }
}

TEST(Zksnd, SaysWhatIsWrongWithADeviceNumberOrAnImageAndGivesHelp) {
    zktest::TempWorkDir dir;
    const platform::ProcessResult help = zktest::RunTool("zksnd", {"--help"});
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_EQ(help.out.rfind("usage: zksnd cd drives\n", 0), 0u) << help.out;
    // A device number alone, or none, is no usage error.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"mixer"}, {"mixer", "0"}}) {
        const platform::ProcessResult run = zktest::RunTool("zksnd", args);
        EXPECT_NE(run.exitStatus, 2) << run.err;
        EXPECT_EQ(run.err.find("usage:"), std::string::npos) << run.err;
    }
    const platform::ProcessResult mixer = zktest::RunTool("zksnd", {"mixer", "99999999999"});
    EXPECT_EQ(mixer.exitStatus, 2);
    EXPECT_EQ(mixer.err.rfind("zksnd: DEVICE must be a number from 0 to 4294967295, not "
                              "99999999999\n",
                              0),
              0u)
        << mixer.err;
    // libcdio looks for the sound beside the sheet, by the sheet's own name.
    zktest::CdImage::Write("disc", {{300, true}});
    std::filesystem::rename("disc.cue", "sheet.cue");
    const platform::ProcessResult sheet = zktest::RunTool("zksnd", {"cd", "tracks", "sheet.cue"});
    EXPECT_EQ(sheet.exitStatus, 1);
    EXPECT_NE(sheet.err.find("zksnd: the image's data file sheet.bin was not found\n"
                             "Error: <ZKSND::MCIInit> MCIの取得に失敗しました\n"),
              std::string::npos)
        << sheet.err;
}

TEST(Zksnd, PlayAndAviEndOnTheirOwnEvenOnAFileShorterThanAMillisecond) {
    UseDummyDevices();
    zktest::TempWorkDir dir;
    zktest::WriteLevelWav("blip.wav", 22, 0.5f);
    zktest::WriteLevelWav("tone.wav", 4410, 0.5f);
    const struct {
        std::vector<std::string> args;
        int status;
    } runs[] = {
        {{"avi", "blip.wav"}, 0},
        {{"play", "tone.wav"}, 0},
        {{"play", "tone.wav", "50", "100"}, 0},
        {{"play", "missing.wav"}, 1},
    };
    for (const auto& r : runs) {
        const platform::ProcessResult run = zktest::RunTool("zksnd", r.args);
        EXPECT_EQ(run.exitStatus, r.status) << ::testing::PrintToString(r.args) << run.err;
    }
}

TEST(Zksnd, AviWaitsForTheMoviesEnd) {
    UseDummyDevices();
    zktest::TempWorkDir dir;
    zktest::MakeMovie({.container = mkdemo::MovieContainer::Avi}, "movie.avi");
    // The mix goes to a file at the pace of a real device.
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "mix.raw", 1);
    const platform::ProcessResult run = zktest::RunTool("zksnd", {"avi", "movie.avi"});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    std::ifstream file("mix.raw", std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), {});
    std::vector<float> samples(bytes.size() / sizeof(float));
    std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(float));
    // The movie's second of tone, 10 ms blocks of it.
    int sounding = 0;
    for (std::size_t at = 0; at + 882 <= samples.size(); at += 882) {
        sounding += zktest::Rms(std::span(samples.data() + at, 882)) > 0.04 ? 1 : 0;
    }
    EXPECT_GE(sounding, 90);
}
