#include "shell/ShellState.h"

namespace {
ShellState state;
}

ShellState& CurrentShellState() { return state; }

ShellState& BeginShellState() {
    state = ShellState{};
    return state;
}
