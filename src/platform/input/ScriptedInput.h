#pragma once

#include <array>
#include <vector>

#include "platform/input/InputSource.h"
#include "platform/input/VirtualKeys.h"

namespace platform {

// Input a test writes: keys and pointer set directly; warps move the held pointer and are recorded,
// as are cursor changes.
class ScriptedInput : public InputSource {
public:
    ScriptedInput();

    bool isKeyDown(int virtualKey) const override;
    PointerPosition pointer() const override;
    void warpPointer(PointerPosition clientPosition) override;
    CursorHandle currentCursor() const override;
    void setCursor(CursorHandle cursor) override;

    void setKey(int virtualKey, bool down);
    void setPointer(PointerPosition position);

    const std::vector<PointerPosition>& warps() const { return warps_; }
    const std::vector<CursorHandle>& cursorChanges() const { return cursorChanges_; }
    static CursorHandle fixedCursor();

private:
    std::array<bool, kVirtualKeyCount> keys_{};
    PointerPosition pointer_;
    std::vector<PointerPosition> warps_;
    std::vector<CursorHandle> cursorChanges_;
    CursorHandle cursor_;
};

}  // namespace platform
