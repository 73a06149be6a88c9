#include "support/TempWorkDir.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace zktest {

TempWorkDir::TempWorkDir() : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "zk-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    std::filesystem::current_path(path_);
}

TempWorkDir::~TempWorkDir() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    if (!kept_) std::filesystem::remove_all(path_, ignored);
}

}  // namespace zktest
