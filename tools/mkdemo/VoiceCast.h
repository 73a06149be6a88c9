#pragma once

#include <string>
#include <vector>

#include "mkdemo/StorySources.h"

namespace mkdemo {

// One voice file the scripts play, with what its synthesis needs.
struct VoiceLine {
    std::string name;
    int syllables = 0;
    double hertz = 0;
    int minimumMs = 0;
};

// The voices named by the scripts (by #MsgDisp with its line, by #PlayVoice alone),
// one per name, in name order. Reads the CP932 lines of the sources.
class VoiceCast {
public:
    static constexpr double kDefaultHertz = 220;

    static std::vector<VoiceLine> Collect(const std::vector<SourceFile>& scenarios);
    // Characters of a message that are spoken: blanks and line-break escapes are not.
    static int Syllables(const std::string& cp932Text);
};

}  // namespace mkdemo
