#include "platform/linux/CdioDrive.h"

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <vector>

#include "platform/cd/CdTime.h"

namespace platform {

namespace {

std::optional<CdToc> ReadToc(CdIo_t* handle) {
    const track_t first = cdio_get_first_track_num(handle);
    const track_t count = cdio_get_num_tracks(handle);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK) return std::nullopt;
    CdToc toc;
    toc.firstTrack = first;
    for (int track = first; track < first + count; ++track) {
        const lsn_t start = cdio_get_track_lsn(handle, static_cast<track_t>(track));
        if (start == CDIO_INVALID_LSN) return std::nullopt;
        const bool audio =
            cdio_get_track_format(handle, static_cast<track_t>(track)) == TRACK_FORMAT_AUDIO;
        toc.tracks.push_back({start, audio});
    }
    toc.leadOut = cdio_get_track_lsn(handle, CDIO_CDROM_LEADOUT_TRACK);
    if (toc.leadOut == CDIO_INVALID_LSN) return std::nullopt;
    return toc;
}

bool IsImageDriver(driver_id_t driver) {
    return driver == DRIVER_BINCUE || driver == DRIVER_CDRDAO || driver == DRIVER_NRG;
}

}  // namespace

CdioDrive::CdioDrive(std::string name, CdIo_t* handle)
    : name_(std::move(name)), image_(IsImageDriver(cdio_get_driver_id(handle))), handle_(handle) {}

CdioDrive::~CdioDrive() { dropHandle(); }

void CdioDrive::dropHandle() {
    if (handle_ != nullptr) cdio_destroy(handle_);
    handle_ = nullptr;
}

CdIo_t* CdioDrive::handle() {
    if (handle_ == nullptr) handle_ = cdio_open(name_.c_str(), DRIVER_UNKNOWN);
    return handle_;
}

std::optional<CdStatus> CdioDrive::deviceStatus() const {
    const int fd = ::open(name_.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    const int status = ::ioctl(fd, CDROM_DRIVE_STATUS, CDSL_CURRENT);
    ::close(fd);
    switch (status) {
        case CDS_NO_DISC:
            return CdStatus::NoDisc;
        case CDS_TRAY_OPEN:
            return CdStatus::TrayOpen;
        case CDS_DRIVE_NOT_READY:
            return CdStatus::NotReady;
        case CDS_DISC_OK:
        case CDS_NO_INFO:  // a drive that cannot tell: its table decides
            return CdStatus::DiscIn;
        default:
            return std::nullopt;
    }
}

std::optional<CdStatus> CdioDrive::status() {
    std::optional<CdStatus> status;
    if (image_) {
        status = doorOpen_ ? CdStatus::TrayOpen : CdStatus::DiscIn;
    } else {
        status = deviceStatus();
    }
    if (status != CdStatus::DiscIn) {
        const std::lock_guard lock(mutex_);
        toc_.reset();
    }
    return status;
}

std::optional<CdToc> CdioDrive::toc() {
    const std::lock_guard lock(mutex_);
    if (!toc_ && handle() != nullptr) toc_ = ReadToc(handle_);
    return toc_;
}

bool CdioDrive::readAudio(int sector, int count, std::int16_t* samples) {
    if (count <= 0 || (image_ && doorOpen_)) return false;
    std::vector<unsigned char> raw(static_cast<std::size_t>(count) * CDIO_CD_FRAMESIZE_RAW);
    {
        const std::lock_guard lock(mutex_);
        if (handle() == nullptr ||
            cdio_read_audio_sectors(handle_, raw.data(), sector,
                                    static_cast<std::uint32_t>(count)) != DRIVER_OP_SUCCESS) {
            return false;
        }
    }
    // The disc's samples are little-endian whatever the machine.
    for (std::size_t i = 0; i < raw.size() / 2; ++i) {
        samples[i] = static_cast<std::int16_t>(raw[2 * i] | raw[2 * i + 1] << 8);
    }
    return true;
}

bool CdioDrive::eject() {
    if (image_) {
        doorOpen_ = true;
        return true;
    }
    const std::lock_guard lock(mutex_);
    dropHandle();
    toc_.reset();
    return cdio_eject_media_drive(name_.c_str()) == DRIVER_OP_SUCCESS;
}

bool CdioDrive::closeTray() {
    if (image_) {
        doorOpen_ = false;
        return true;
    }
    const std::lock_guard lock(mutex_);
    toc_.reset();
    return cdio_close_tray(name_.c_str(), nullptr) == DRIVER_OP_SUCCESS;
}

}  // namespace platform
