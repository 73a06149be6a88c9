#include "platform/Services.h"

#include "platform/CdDrives.h"
#include "platform/HeadlessDisplay.h"
#include "platform/ManualAudioDevice.h"
#include "platform/MessageBox.h"
#include "platform/MixerDevices.h"
#include "platform/PosixFiles.h"
#include "platform/ScriptedInput.h"
#include "platform/SteadyClock.h"
#include "platform/StreamLogSink.h"

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
