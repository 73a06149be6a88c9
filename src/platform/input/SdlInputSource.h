#pragma once

#include "platform/input/InputSource.h"

namespace platform {

class SdlWindowHost;

// Keys, buttons and the pointer as the window's events have left them at the moment
// they are asked for; the pointer in client coordinates of the window's picture.
class SdlInputSource : public InputSource {
public:
    explicit SdlInputSource(SdlWindowHost& host) : host_(host) {}

    bool isKeyDown(int virtualKey) const override;
    PointerPosition pointer() const override;
    void warpPointer(PointerPosition clientPosition) override;
    CursorHandle currentCursor() const override { return cursor_; }
    void setCursor(CursorHandle cursor) override { cursor_ = cursor; }

private:
    SdlWindowHost& host_;
    CursorHandle cursor_ = nullptr;
};

}  // namespace platform
