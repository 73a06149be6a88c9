#pragma once

#include "platform/cd/CdDrives.h"

namespace platform {

// The machine's CD drives, and CUE sheets, through libcdio. libcdio's errors go to
// the log from the first use on; its warnings are dropped.
class CdioDrives : public CdDrives {
public:
    CdioDrives();

    // The drives libcdio finds, without links to one of them.
    std::optional<std::vector<std::string>> list() override;
    // A device node or a CUE sheet (its BIN beside it).
    std::unique_ptr<CdDrive> open(const std::string& name) override;
};

}  // namespace platform
