#pragma once

#include "platform/input/InputMask.h"
#include "platform/input/InputSource.h"

namespace platform {

// Another input source with the keys of an input mask held up.
class MaskedInputSource : public InputSource {
public:
    MaskedInputSource(InputSource& source, InputMask& mask) : source_(source), mask_(mask) {}

    bool isKeyDown(int virtualKey) const override {
        return mask_.filter(virtualKey, source_.isKeyDown(virtualKey));
    }
    PointerPosition pointer() const override { return source_.pointer(); }
    void warpPointer(PointerPosition clientPosition) override {
        source_.warpPointer(clientPosition);
    }
    CursorHandle currentCursor() const override { return source_.currentCursor(); }
    void setCursor(CursorHandle cursor) override { source_.setCursor(cursor); }

private:
    InputSource& source_;
    InputMask& mask_;
};

}  // namespace platform
