#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/cd/CdDrive.h"

namespace platform {

// The machine's CD drives. This base has none, so nothing reaches the machine's
// drives unless a real backend is installed.
class CdDrives {
public:
    virtual ~CdDrives() = default;

    // The drives' names; nothing when they cannot be listed.
    virtual std::optional<std::vector<std::string>> list();
    // The drive or disc image of that name, the default drive for an empty name;
    // null when there is none.
    virtual std::unique_ptr<CdDrive> open(const std::string& name);
};

}  // namespace platform
