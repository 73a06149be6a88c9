#pragma once

#include "platform/video/Display.h"

namespace platform {

class WindowHost;

// The display of the main window: each presented frame goes to the window host,
// which keeps it and shows it with the strip and any dialog.
class WindowDisplay : public Display {
public:
    explicit WindowDisplay(WindowHost& host) : host_(host) {}

protected:
    void show(const Surface& primary, const Rect& changed) override;
    void showLayers() override;

private:
    WindowHost& host_;
};

}  // namespace platform
