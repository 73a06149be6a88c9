#include "platform/window/HeadlessWindowHost.h"

#include "platform/core/Clock.h"
#include "platform/core/Services.h"
#include "platform/input/VirtualKeys.h"

namespace platform {

namespace {
// Stands for the window; the headless host draws nothing, so only its address is used.
char headlessWindow;
}  // namespace

void HeadlessWindowHost::push(PlatformEvent event) { pushAt(0, event); }

void HeadlessWindowHost::pushAt(std::uint32_t time, PlatformEvent event) {
    const std::lock_guard lock(mutex_);
    events_.push_back({time, event});
}

void HeadlessWindowHost::showPicture(const WindowPicture&) {
    ++refreshes_;
    if (onRefresh) onRefresh();
}

void HeadlessWindowHost::pushKey(int virtualKey, bool shift) {
    push({.kind = PlatformEvent::Kind::KeyDown, .key = virtualKey, .shift = shift});
    push({.kind = PlatformEvent::Kind::KeyUp, .key = virtualKey});
}

void HeadlessWindowHost::pushClick(int x, int y) {
    push({.kind = PlatformEvent::Kind::ButtonDown, .key = VK_LBUTTON, .x = x, .y = y});
    push({.kind = PlatformEvent::Kind::ButtonUp, .key = VK_LBUTTON, .x = x, .y = y});
}

void HeadlessWindowHost::post(std::uint32_t message) {
    push({.kind = PlatformEvent::Kind::Posted, .message = message});
}

WindowHandle HeadlessWindowHost::createWindow() {
    return failCreation_ ? nullptr : reinterpret_cast<WindowHandle>(&headlessWindow);
}

bool HeadlessWindowHost::nextEvent(PlatformEvent& event, std::uint32_t waitMs) {
    bool waiting = false;
    Clock& clock = service<Clock>();
    {
        const std::lock_guard lock(mutex_);
        if (!events_.empty() && events_.front().due <= clock.now()) {
            event = events_.front().event;
            events_.pop_front();
            return true;
        }
        waiting = !events_.empty();
    }
    if (modal() && !waiting) {
        event = {.kind = PlatformEvent::Kind::Terminate};
        return true;
    }
    if (waitMs > 0) clock.sleep(waitMs);
    return false;
}

void HeadlessWindowHost::show() {
    visible_ = true;
    record("show");
}

void HeadlessWindowHost::bringForward() { record("forward"); }

bool HeadlessWindowHost::applyFullScreen(bool fullScreen) {
    if (refuseFormChange_) {
        refuseFormChange_ = false;
        return false;
    }
    record(std::string("fullscreen ") + (fullScreen ? "1" : "0"));
    return true;
}

bool HeadlessWindowHost::centre() {
    record("centre");
    return true;
}

void HeadlessWindowHost::record(const std::string& action) {
    actions_.push_back(action + " @" + std::to_string(service<Clock>().now()));
}

}  // namespace platform
