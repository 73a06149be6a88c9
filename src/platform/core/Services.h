#pragma once

#include <atomic>
#include <utility>

namespace platform {

class Clock;
class Files;
class LogSink;
class InputSource;
class Display;
class MessageBox;
class AudioDevice;
class MixerDevices;
class CdDrives;

// The one access point to the platform services. Each service has a default
// implementation; tests, tools and the game install others, with a scope that
// restores the previous one.
template <class Service>
Service& defaultService();

template <>
Clock& defaultService<Clock>();
template <>
Files& defaultService<Files>();
template <>
LogSink& defaultService<LogSink>();
template <>
InputSource& defaultService<InputSource>();
template <>
Display& defaultService<Display>();
template <>
MessageBox& defaultService<MessageBox>();
template <>
AudioDevice& defaultService<AudioDevice>();
template <>
MixerDevices& defaultService<MixerDevices>();
template <>
CdDrives& defaultService<CdDrives>();

template <class Service>
struct ServiceSlot {
    static inline std::atomic<Service*> installed{nullptr};
};

template <class Service>
Service& service() {
    Service* installed = ServiceSlot<Service>::installed.load();
    return installed != nullptr ? *installed : defaultService<Service>();
}

template <class Service>
class ScopedService {
public:
    explicit ScopedService(Service& replacement)
        : previous_(ServiceSlot<Service>::installed.exchange(&replacement)) {}
    ~ScopedService() { ServiceSlot<Service>::installed.store(previous_); }
    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;

private:
    Service* previous_;
};

}  // namespace platform
