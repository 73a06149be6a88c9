// zksnd: runs the sound object's CD, mixer, multimedia and AVI facilities on this
// machine's drives, card and window, to check them by hand. The sound object's
// lines go to standard error; exit 0 on success, 1 when the facility answered
// failure, 2 for a bad command line.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/audio/SdlAudioDevice.h"
#include "platform/core/Clock.h"
#include "platform/core/Services.h"
#include "platform/linux/AlsaMixerDevices.h"
#include "platform/linux/CdioDrives.h"
#include "platform/media/MediaPump.h"
#include "platform/video/WindowDisplay.h"
#include "platform/window/SdlWindowHost.h"
#include "platform/window/WindowMessages.h"
#include "resources/WindowArt.h"
#include "sound/ZKSND.h"

namespace {

using Args = std::vector<std::string>;

constexpr std::uint32_t kPumpMs = 10;
constexpr std::uint32_t kDriveEntries = 16;
constexpr std::uint32_t kDriveEntrySize = 260;

constexpr const char* kUsage =
    "usage: zksnd cd drives\n"
    "       zksnd cd tracks [DRIVE]\n"
    "       zksnd cd play [DRIVE] TRACK [SECONDS]\n"
    "       zksnd cd tray [DRIVE]\n"
    "       zksnd mixer [DEVICE]\n"
    "       zksnd mixer [DEVICE] set SLOT VOLUME\n"
    "       zksnd play FILE [FROM_MS TO_MS]\n"
    "       zksnd avi FILE [X Y W H]\n"
    "       zksnd --help\n"
    "  DRIVE is a device node or a CUE sheet\n";

int UsageError(const std::string& problem) {
    std::fprintf(stderr, "zksnd: %s\n%s", problem.c_str(), kUsage);
    return 2;
}

int Status(bool succeeded) { return succeeded ? 0 : 1; }

std::optional<std::uint32_t> Number(const std::string& text) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// Numbers for every argument, or nothing when one is not a number.
std::optional<std::vector<std::uint32_t>> Numbers(const Args& args) {
    std::vector<std::uint32_t> values;
    for (const std::string& arg : args) {
        const std::optional<std::uint32_t> value = Number(arg);
        if (!value) return std::nullopt;
        values.push_back(*value);
    }
    return values;
}

std::string Msf(std::uint8_t minute, std::uint8_t second, std::uint8_t frame) {
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", minute, second, frame);
    return text;
}

void PumpFor(std::uint32_t ms) {
    platform::Clock& clock = platform::service<platform::Clock>();
    for (std::uint32_t t = 0; t < ms; t += kPumpMs) {
        platform::MediaPump::instance().pump();
        clock.sleep(kPumpMs);
    }
}

// libcdio reads a sheet's sound from the file named as the sheet with .bin (.BIN
// for .CUE), whatever the sheet's FILE line says; the sound object only hears
// that the drive could not be had, so the name looked for is told first.
void TellMissingImageData(const char* drive) {
    const std::filesystem::path sheet = drive != nullptr ? drive : "";
    const std::string extension = sheet.extension().string();
    if (extension != ".cue" && extension != ".CUE") return;
    std::filesystem::path data = sheet;
    data.replace_extension(extension == ".cue" ? ".bin" : ".BIN");
    std::error_code error;
    if (!std::filesystem::exists(data, error)) {
        std::fprintf(stderr, "zksnd: the image's data file %s was not found\n", data.c_str());
    }
}

int OpenDrive(ZKSND& snd, const char* drive) {
    TellMissingImageData(drive);
    return snd.MCIInit(drive);
}

int CdDriveList(ZKSND& snd) {
    std::vector<char> buffer(kDriveEntries * kDriveEntrySize);
    const std::uint32_t found = snd.SearchCDDrive(buffer.data(), kDriveEntrySize, kDriveEntries);
    for (std::uint32_t i = 0; i < found; ++i) std::printf("%s\n", &buffer[i * kDriveEntrySize]);
    return Status(found > 0);
}

int CdTracks(ZKSND& snd, const char* drive) {
    std::uint32_t count = 0;
    std::uint32_t first = 0;
    if (OpenDrive(snd, drive) == 0 || snd.CDSetTrackData() == 0 ||
        snd.CDGetAllTrackNum(&count) == 0 || snd.CDGetFirstTrack(&first) == 0) {
        return 1;
    }
    CD_TRACK_DATA track;
    for (std::uint32_t i = 0; i < count && snd.CDGetTrackData(i, &track) == 1; ++i) {
        std::printf("track %u %s %s\n", first + i, track.dwType == 0 ? "audio" : "other",
                    Msf(track.bMinute, track.bSecond, track.bFrame).c_str());
    }
    std::uint8_t minute = 0, second = 0, frame = 0;
    char id[9] = {};
    if (snd.CDGetTrackLength(&minute, &second, &frame, 9999) == 0 ||
        snd.CDGetDiscID(id, sizeof id) == 0) {
        return 1;
    }
    std::printf("length %s\nid %s\n", Msf(minute, second, frame).c_str(), id);
    return 0;
}

// Plays for seconds (all of it when none are given), printing the TMSF position each second.
int CdPlay(ZKSND& snd, const char* drive, std::uint32_t track, std::uint32_t seconds) {
    snd.Initialize(nullptr, nullptr, 0);
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    if (OpenDrive(snd, drive) == 0 || snd.CDGetFirstTrack(&first) == 0 ||
        snd.CDGetAllTrackNum(&count) == 0) {
        return 1;
    }
    if (track < first || track - first >= count) {
        std::fprintf(stderr, "zksnd: the disc has no track %u (its tracks are %u to %u)\n", track,
                     first, first + count - 1);
        return 1;
    }
    if (snd.CDPlay(1, static_cast<std::uint8_t>(track), 0, 0) == 0) return 1;
    for (std::uint32_t s = 0; s < seconds && snd.CDPlayStatusCheck() == 0; ++s) {
        PumpFor(1000);
        std::uint8_t at = 0, minute = 0, second = 0, frame = 0;
        if (snd.CDGetNowPos(&minute, &second, &frame, &at) == 0) return 1;
        std::printf("%02u:%s\n", at, Msf(minute, second, frame).c_str());
        std::fflush(stdout);
    }
    return Status(snd.CDStop() == 1);
}

int Cd(ZKSND& snd, const Args& args) {
    if (args.empty()) return UsageError("expected drives, tracks, play or tray");
    const std::string& what = args[0];
    const Args rest(args.begin() + 1, args.end());
    if (what == "drives" && rest.empty()) return CdDriveList(snd);
    if ((what == "tracks" || what == "tray") && rest.size() <= 1) {
        const char* drive = rest.empty() ? nullptr : rest[0].c_str();
        return what == "tracks" ? CdTracks(snd, drive)
                                : Status(OpenDrive(snd, drive) == 1 && snd.TrayControl() == 1);
    }
    if (what != "play" || rest.empty() || rest.size() > 3) return UsageError("bad cd command");
    // A first argument that is no number names the drive.
    const bool named = !Number(rest[0]);
    const auto numbers = Numbers(Args(rest.begin() + (named ? 1 : 0), rest.end()));
    if (!numbers || numbers->empty() || numbers->size() > 2) {
        return UsageError("expected TRACK and an optional SECONDS");
    }
    const std::uint32_t seconds = numbers->size() == 2 ? (*numbers)[1] : UINT32_MAX;
    return CdPlay(snd, named ? rest[0].c_str() : nullptr, numbers->front(), seconds);
}

int MixerShow(ZKSND& snd) {
    static const char* const kSlots[] = {"speakers", "wave", "synthesizer", "cd"};
    for (int slot = 0; slot < 4; ++slot) {
        platform::MixerLine line;
        std::uint32_t volume = 0;
        if (snd.MixerGetSlot(slot, &line, &volume, nullptr) == 0) {
            std::printf("slot %d %s: not found\n", slot, kSlots[slot]);
        } else {
            std::printf("slot %d %s: %s %u\n", slot, kSlots[slot], line.name.c_str(), volume);
        }
    }
    return 0;
}

int Mixer(ZKSND& snd, Args args) {
    std::uint32_t device = 0;
    if (!args.empty() && args[0] != "set") {
        const std::optional<std::uint32_t> number = Number(args[0]);
        if (!number) {
            return UsageError("DEVICE must be a number from 0 to 4294967295, not " + args[0]);
        }
        device = *number;
        args.erase(args.begin());
    }
    const auto values = args.size() == 3 && args[0] == "set"
                            ? Numbers(Args(args.begin() + 1, args.end()))
                            : std::nullopt;
    if (!args.empty() && !values) return UsageError("expected set SLOT VOLUME");
    if (snd.MixerOpen(device) == 0) return 1;
    if (!values) return MixerShow(snd);
    std::uint32_t volume = (*values)[1];
    if (snd.MixerSetVolume(static_cast<int>((*values)[0]), &volume) == 0) return 1;
    std::printf("volume %u\n", volume);
    return 0;
}

// Record 0 plays its range, or the whole file, and is given the range's time.
int Play(ZKSND& snd, const Args& args) {
    const auto range = Numbers(Args(args.begin() + (args.empty() ? 0 : 1), args.end()));
    if (args.empty() || !range || (range->size() != 0 && range->size() != 2)) {
        return UsageError("expected FILE and an optional FROM_MS TO_MS");
    }
    const std::uint32_t from = range->empty() ? 0 : (*range)[0];
    const std::uint32_t to = range->empty() ? 0 : (*range)[1];
    snd.Initialize(nullptr, nullptr, 0);
    std::uint32_t length = 0;
    if (snd.MMDATAReserve(1) == 0 || snd.MMOpen(0, 0, args[0].c_str()) == 0 ||
        snd.MMGetLength(0, &length) == 0 || snd.MMPlayEx(0, from, to) != 1) {
        return 1;
    }
    PumpFor((to != 0 ? to : length) - from);
    return Status(snd.MMClose(0) == 1);
}

int Avi(ZKSND& snd, const Args& args) {
    const auto rect = Numbers(Args(args.begin() + (args.empty() ? 0 : 1), args.end()));
    if (args.empty() || !rect || (rect->size() != 0 && rect->size() != 4)) {
        return UsageError("expected FILE and an optional X Y W H");
    }
    const std::vector<std::uint32_t> at =
        rect->empty() ? std::vector<std::uint32_t>{0, 0, 800, 600} : *rect;
    platform::SdlWindowHost host("zksnd", GameWindowArt());
    bool closed = false;
    const auto procedure = [&](std::uint32_t message, std::uintptr_t, std::intptr_t) {
        if (message == platform::WM_CLOSE) closed = true;
        return std::intptr_t{0};
    };
    if (host.create(procedure) == nullptr) return 1;
    platform::WindowDisplay display(host);
    platform::ScopedService<platform::Display> displayScope(display);
    host.show();
    snd.Initialize(host.window(), nullptr, 0);
    const auto side = [&](int i) { return static_cast<std::int32_t>(at[i]); };
    if (snd.AVIInit() == 0 ||
        snd.AVIOpen(args[0].c_str(), side(0), side(1), side(2), side(3)) == 0 ||
        snd.AVIPlay() == 0) {
        return 1;
    }
    // A file shorter than 1 ms has nothing to wait for: its end check would never
    // answer 1.
    while (!closed && snd.AVIGetLength() > 0 && snd.AVIPlayEndCheck() == 0) {
        while (host.pumpEvent(0)) {
        }
        PumpFor(kPumpMs);
    }
    snd.AVIRelease();
    host.destroy();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Args args(argv + 1, argv + argc);
    if (args.empty()) return UsageError("expected cd, mixer, play or avi");
    if (args.front() == "--help") {
        std::printf("%s", kUsage);
        return 0;
    }
    const std::string command = args.front();
    args.erase(args.begin());
    platform::SdlAudioDevice audio;
    platform::CdioDrives drives;
    platform::AlsaMixerDevices mixers;
    platform::ScopedService<platform::AudioDevice> audioScope(audio);
    platform::ScopedService<platform::CdDrives> drivesScope(drives);
    platform::ScopedService<platform::MixerDevices> mixersScope(mixers);
    ZKSND snd;
    int status = 2;
    if (command == "cd") {
        status = Cd(snd, args);
    } else if (command == "mixer") {
        status = Mixer(snd, args);
    } else if (command == "play") {
        status = Play(snd, args);
    } else if (command == "avi") {
        status = Avi(snd, args);
    } else {
        status = UsageError("unknown command");
    }
    snd.Release();
    return status;
}
