#pragma once

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

// Runs argv[0] (searched in PATH) with the given arguments, no shell involved, and
// collects both output streams. Standard input is empty.
ProcessResult RunProcess(const std::vector<std::string>& argv);

}  // namespace platform
