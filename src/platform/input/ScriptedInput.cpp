#include "platform/input/ScriptedInput.h"

namespace platform {

namespace {

bool IsKeyCode(int virtualKey) { return virtualKey >= 0 && virtualKey < kVirtualKeyCount; }

}  // namespace

ScriptedInput::ScriptedInput() : cursor_(fixedCursor()) {}

bool ScriptedInput::isKeyDown(int virtualKey) const {
    return IsKeyCode(virtualKey) && keys_[virtualKey];
}

PointerPosition ScriptedInput::pointer() const { return pointer_; }

void ScriptedInput::warpPointer(PointerPosition clientPosition) {
    pointer_ = clientPosition;
    warps_.push_back(clientPosition);
}

CursorHandle ScriptedInput::currentCursor() const { return cursor_; }

void ScriptedInput::setCursor(CursorHandle cursor) { cursorChanges_.push_back(cursor); }

void ScriptedInput::setKey(int virtualKey, bool down) {
    if (IsKeyCode(virtualKey)) keys_[virtualKey] = down;
}

void ScriptedInput::setPointer(PointerPosition position) { pointer_ = position; }

CursorHandle ScriptedInput::fixedCursor() {
    static const int token = 0;
    return reinterpret_cast<CursorHandle>(&token);
}

}  // namespace platform
