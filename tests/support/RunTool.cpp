#include "support/RunTool.h"

namespace zktest {

platform::ProcessResult RunTool(const std::string& tool, const std::vector<std::string>& args) {
    std::vector<std::string> argv{std::string(ZK_TOOLS_DIR) + "/" + tool};
    argv.insert(argv.end(), args.begin(), args.end());
    return platform::RunProcess(argv);
}

}  // namespace zktest
