#include "support/RunTool.h"

namespace zktest {

std::string ToolPath(const std::string& tool) { return std::string(ZK_TOOLS_DIR) + "/" + tool; }

platform::ProcessResult RunTool(const std::string& tool, const std::vector<std::string>& args) {
    std::vector<std::string> argv{ToolPath(tool)};
    argv.insert(argv.end(), args.begin(), args.end());
    return platform::RunProcess(argv);
}

}  // namespace zktest
