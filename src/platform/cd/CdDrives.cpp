#include "platform/cd/CdDrives.h"

namespace platform {

std::optional<std::vector<std::string>> CdDrives::list() { return std::vector<std::string>{}; }

std::unique_ptr<CdDrive> CdDrives::open(const std::string&) { return nullptr; }

}  // namespace platform
