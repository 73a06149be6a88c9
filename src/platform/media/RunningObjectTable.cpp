#include "platform/media/RunningObjectTable.h"

#include <unistd.h>

namespace platform {

RunningObjectTable& RunningObjectTable::instance() {
    static RunningObjectTable table;
    return table;
}

std::uint32_t RunningObjectTable::processId() { return static_cast<std::uint32_t>(getpid()); }

std::uint32_t RunningObjectTable::add(std::string displayName) {
    if (++lastCookie_ == 0) ++lastCookie_;
    entries_[lastCookie_] = std::move(displayName);
    return lastCookie_;
}

void RunningObjectTable::revoke(std::uint32_t cookie) { entries_.erase(cookie); }

std::vector<std::string> RunningObjectTable::displayNames() const {
    std::vector<std::string> names;
    for (const auto& [cookie, name] : entries_) names.push_back(name);
    return names;
}

}  // namespace platform
