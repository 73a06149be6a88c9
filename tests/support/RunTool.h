#pragma once

#include <string>
#include <vector>

#include "platform/ProcessRunner.h"

namespace zktest {

// Runs one of the project's built tools (by name) with the given arguments.
platform::ProcessResult RunTool(const std::string& tool, const std::vector<std::string>& args);

}  // namespace zktest
