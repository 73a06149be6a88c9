#pragma once

#include <filesystem>

namespace zktest {

// A fresh private folder made the current folder for the test's lifetime; the
// previous folder is restored and the private one removed afterwards.
class TempWorkDir {
public:
    TempWorkDir();
    ~TempWorkDir();
    TempWorkDir(const TempWorkDir&) = delete;
    TempWorkDir& operator=(const TempWorkDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Leaves the folder in place afterwards, for a test worth looking into.
    void keep() { kept_ = true; }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
    bool kept_ = false;
};

}  // namespace zktest
