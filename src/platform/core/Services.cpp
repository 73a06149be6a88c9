#include "platform/core/Services.h"

#include "platform/audio/ManualAudioDevice.h"
#include "platform/cd/CdDrives.h"
#include "platform/core/SteadyClock.h"
#include "platform/core/StreamLogSink.h"
#include "platform/files/PosixFiles.h"
#include "platform/input/ScriptedInput.h"
#include "platform/mixer/MixerDevices.h"
#include "platform/video/HeadlessDisplay.h"
#include "platform/window/MessageBox.h"

namespace platform {

template <>
Clock& defaultService<Clock>() {
    static SteadyClock clock;
    return clock;
}

template <>
Files& defaultService<Files>() {
    static PosixFiles files;
    return files;
}

template <>
LogSink& defaultService<LogSink>() {
    static StreamLogSink sink;
    return sink;
}

template <>
InputSource& defaultService<InputSource>() {
    static ScriptedInput input;
    return input;
}

template <>
Display& defaultService<Display>() {
    static HeadlessDisplay display;
    return display;
}

template <>
MessageBox& defaultService<MessageBox>() {
    static MessageBox box;
    return box;
}

template <>
AudioDevice& defaultService<AudioDevice>() {
    static ManualAudioDevice device;
    return device;
}

template <>
MixerDevices& defaultService<MixerDevices>() {
    static MixerDevices devices;
    return devices;
}

template <>
CdDrives& defaultService<CdDrives>() {
    static CdDrives drives;
    return drives;
}

}  // namespace platform
