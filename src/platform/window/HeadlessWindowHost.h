#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/window/WindowHost.h"

namespace platform {

// The window without a screen: events come from a script (and from other threads
// through post), what the window was asked to do is recorded. A modal loop whose
// script has run out is ended as a termination signal would end it.
class HeadlessWindowHost : public WindowHost {
public:
    void push(PlatformEvent event);
    // Delivered once the clock has reached time, after every event pushed before it.
    void pushAt(std::uint32_t time, PlatformEvent event);
    void pushKey(int virtualKey, bool shift = false);
    void pushClick(int x, int y);
    // Safe from any thread, as posting a window message is.
    void post(std::uint32_t message) override;

    void failCreation() { failCreation_ = true; }
    void setReportsFocus(bool reports) { reportsFocus_ = reports; }
    // The next change of form fails, as a display that refuses the mode would.
    void refuseNextFormChange() { refuseFormChange_ = true; }

    void show() override;
    void bringForward() override;
    bool visible() const override { return visible_; }
    void setCursorKind(int kind) override { record("cursor " + std::to_string(kind)); }
    void destroy() override { record("destroy"); }
    bool centre() override;

    // "show", "forward", "fullscreen 1", "centre", "strip" (shown over the full-screen
    // picture), "cursor 2", "destroy", each with the manual clock's time.
    const std::vector<std::string>& actions() const { return actions_; }
    int refreshes() const { return refreshes_; }
    // Runs at each picture shown, to look at the window while it is modal.
    std::function<void()> onRefresh;

protected:
    WindowHandle createWindow() override;
    bool nextEvent(PlatformEvent& event, std::uint32_t waitMs) override;
    bool reportsFocus() const override { return reportsFocus_; }
    bool applyFullScreen(bool fullScreen) override;
    void menuBarShown() override { record("strip"); }
    void showPicture(const WindowPicture& picture) override;

private:
    void record(const std::string& action);

    std::mutex mutex_;
    struct Scripted {
        std::uint32_t due = 0;
        PlatformEvent event;
    };
    std::deque<Scripted> events_;
    std::vector<std::string> actions_;
    bool failCreation_ = false;
    bool refuseFormChange_ = false;
    bool reportsFocus_ = false;
    bool visible_ = false;
    int refreshes_ = 0;
};

}  // namespace platform
