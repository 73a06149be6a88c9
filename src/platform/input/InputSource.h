#pragma once

namespace platform {

// The main window, opaque to the engine: stored and passed on, null in tests.
struct Window;
using WindowHandle = Window*;

// A pointer shape, opaque to the engine.
struct Cursor;
using CursorHandle = const Cursor*;

struct PointerPosition {
    int x = 0;
    int y = 0;
};

// What the engine samples each frame: keys (mouse buttons included), the pointer
// in client coordinates of the 800 x 600 game area, and the cursor.
class InputSource {
public:
    virtual ~InputSource() = default;
    // Down at the moment of the call; a press and release between two calls is never seen.
    virtual bool isKeyDown(int virtualKey) const = 0;
    // May lie outside the game area, negative included.
    virtual PointerPosition pointer() const = 0;
    virtual void warpPointer(PointerPosition clientPosition) = 0;
    virtual CursorHandle currentCursor() const = 0;
    virtual void setCursor(CursorHandle cursor) = 0;
};

}  // namespace platform
