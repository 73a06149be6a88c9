#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace platform {

// The process's table of registered running objects, by display name, so a
// debugging tool in the process can find a media graph.
class RunningObjectTable {
public:
    static RunningObjectTable& instance();
    static std::uint32_t processId();

    // A non-zero cookie for the new entry.
    std::uint32_t add(std::string displayName);
    // A cookie that names no entry is ignored.
    void revoke(std::uint32_t cookie);
    std::vector<std::string> displayNames() const;

private:
    std::map<std::uint32_t, std::string> entries_;
    std::uint32_t lastCookie_ = 0;
};

}  // namespace platform
