#pragma once

#include <functional>
#include <string>
#include <vector>

namespace platform {

struct ProcessResult {
    bool started = false;    // false: the program could not be run at all
    std::string startError;  // why, when not started
    int exitStatus = -1;     // when it exited normally
    int signal = 0;          // non-zero when a signal ended it
    std::string out;
    std::string err;
};

// What a program reads on its standard input, piece by piece: each call gives the
// next bytes, an empty string once there are no more.
using ProcessInput = std::function<std::string()>;

// Runs argv[0] (searched in PATH) with the given arguments, no shell involved, and
// collects both output streams. Standard input is empty without an input; with one,
// it is asked for more as the program reads, and left unasked once the program
// stops reading.
ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessInput& input = {});

}  // namespace platform
