#include <gtest/gtest.h>

#include <string>

#include "platform/media/ContainerSniff.h"
#include "support/Bytes.h"

using platform::SniffedDemuxer;

TEST(ContainerSniff, NamesTheDemuxerOfWellKnownLeadingBytesOnly) {
    const struct {
        const char* name;
        std::string leading;
        const char* demuxer;
    } cases[] = {
        {"Matroska or WebM", zktest::Hex("1A 45 DF A3 A3 42 86 81 01 42 F7 81"), "matroska"},
        {"RIFF AVI", "RIFF" + zktest::Hex("00 10 00 00") + "AVI LIST", "avi"},
        {"RIFF AVI cut after its form", "RIFF" + zktest::Hex("00 10 00 00") + "AVI ", "avi"},
        {"MPEG program stream", zktest::Hex("00 00 01 BA 44 00 04 00 04 01 01 89"), "mpeg"},
        {"RIFF WAVE", "RIFF" + zktest::Hex("00 10 00 00") + "WAVEfmt ", "wav"},
        {"RIFF WAVE cut after its form", "RIFF" + zktest::Hex("00 10 00 00") + "WAVE", "wav"},
        {"WAVE form without RIFF", "RIFX" + zktest::Hex("00 10 00 00") + "WAVEfmt ", nullptr},
        {"RIFF cut before its form", "RIFF" + zktest::Hex("00 10 00 00") + "AVI", nullptr},
        {"RIFF alone", "RIFF", nullptr},
        {"MPEG video sequence", zktest::Hex("00 00 01 B3 14 00 F0 13 FF FF E0 18"), nullptr},
        {"Matroska's magic cut short", zktest::Hex("1A 45 DF"), nullptr},
        {"AVI form without RIFF", "RIFX" + zktest::Hex("00 10 00 00") + "AVI LIST", nullptr},
        {"the magic further in", zktest::Hex("00 1A 45 DF A3"), nullptr},
        {"nothing", "", nullptr},
    };
    for (const auto& c : cases) {
        const char* named = SniffedDemuxer(c.leading);
        EXPECT_EQ(named == nullptr ? std::string("none") : std::string(named),
                  c.demuxer == nullptr ? std::string("none") : std::string(c.demuxer))
            << c.name;
    }
}
