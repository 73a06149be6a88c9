#include "platform/linux/CdioDrives.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <string_view>

#include "platform/core/Log.h"
#include "platform/files/SameFile.h"
#include "platform/linux/CdioDrive.h"

namespace platform {

namespace {

void LogCdioLine(cdio_log_level_t level, const char message[]) {
    if (level < CDIO_LOG_ERROR) return;
    std::string_view text(message);
    while (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    LogError("libcdio", "%s", Utf8Arg(text));
}

bool IsLink(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_symlink(path, error);
}

}  // namespace

CdioDrives::CdioDrives() {
    static std::once_flag routed;
    std::call_once(routed, [] { cdio_log_set_handler(LogCdioLine); });
}

std::optional<std::vector<std::string>> CdioDrives::list() {
    std::vector<std::string> found;
    char** devices = cdio_get_devices(DRIVER_DEVICE);
    if (devices == nullptr) return found;
    for (char** device = devices; *device != nullptr; ++device) found.emplace_back(*device);
    cdio_free_device_list(devices);
    std::vector<std::string> drives;
    for (const std::string& name : found) {
        const bool linkToListed =
            IsLink(name) && std::any_of(found.begin(), found.end(), [&](const std::string& other) {
                return other != name && !IsLink(other) && IsSameFile(name, other);
            });
        if (!linkToListed) drives.push_back(name);
    }
    return drives;
}

std::unique_ptr<CdDrive> CdioDrives::open(const std::string& name) {
    std::string source = name;
    if (source.empty()) {
        char* fallback = cdio_get_default_device(nullptr);
        if (fallback == nullptr) return nullptr;
        source = fallback;
        cdio_free(fallback);
    }
    CdIo_t* handle = cdio_open(source.c_str(), DRIVER_UNKNOWN);
    if (handle == nullptr) return nullptr;
    return std::make_unique<CdioDrive>(source, handle);
}

}  // namespace platform
