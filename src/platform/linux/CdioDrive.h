#pragma once

#include <cdio/cdio.h>

#include <atomic>
#include <mutex>
#include <optional>
#include <string>

#include "platform/cd/CdDrive.h"

namespace platform {

// A drive or a disc image through libcdio. A drive's status comes from Linux on a
// descriptor of its own; an image has a door of its own, shut at first. The table
// is read when first needed and again after any status but a disc in. One thread
// at a time uses the libcdio handle, which an eject drops until it is needed again.
class CdioDrive : public CdDrive {
public:
    // Takes an open handle on the named device or image.
    CdioDrive(std::string name, CdIo_t* handle);
    ~CdioDrive() override;
    CdioDrive(const CdioDrive&) = delete;
    CdioDrive& operator=(const CdioDrive&) = delete;

    std::optional<CdStatus> status() override;
    std::optional<CdToc> toc() override;
    bool readAudio(int sector, int count, std::int16_t* samples) override;
    bool eject() override;
    bool closeTray() override;

private:
    std::optional<CdStatus> deviceStatus() const;
    // The handle, reopened after an eject; null when that fails. Under mutex_.
    CdIo_t* handle();
    void dropHandle();

    const std::string name_;
    bool image_ = false;
    std::atomic<bool> doorOpen_{false};
    std::mutex mutex_;
    CdIo_t* handle_;
    std::optional<CdToc> toc_;
};

}  // namespace platform
