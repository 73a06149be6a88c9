#pragma once

#include <string>
#include <vector>

#include "platform/core/ProcessRunner.h"

namespace zktest {

// Where one of the project's built programs (a tool or the game) is.
std::string ToolPath(const std::string& tool);

// Runs one of the project's built tools (by name) with the given arguments.
platform::ProcessResult RunTool(const std::string& tool, const std::vector<std::string>& args);

}  // namespace zktest
