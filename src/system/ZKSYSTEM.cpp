#include "system/ZKSYSTEM.h"

#include <algorithm>

#include "platform/core/Clock.h"
#include "platform/core/Services.h"
#include "platform/input/VirtualKeys.h"

namespace {

constexpr int kSystemKeyCodes[] = {
    platform::VK_RETURN,  platform::VK_CONTROL, platform::VK_SPACE,  platform::VK_UP,
    platform::VK_DOWN,    platform::VK_LEFT,    platform::VK_RIGHT,  platform::VK_LBUTTON,
    platform::VK_RBUTTON, platform::VK_DELETE,  platform::VK_ESCAPE,
};
constexpr int kSystemKeyCount = sizeof(kSystemKeyCodes) / sizeof(kSystemKeyCodes[0]);

constexpr std::uint32_t kMinFps = 1;
constexpr std::uint32_t kMaxFps = 1000;

// The two stored button values belong to the left and right button keys only.
int MouseButtonSlot(SYSTEM_KEY button) {
    if (button == SYSTEM_KEY_LBUTTON) return 0;
    if (button == SYSTEM_KEY_RBUTTON) return 1;
    return -1;
}

}  // namespace

void ZKSYSTEM::Initialize(platform::WindowHandle window, int clearList) {
    RestartTraceFile();
    dwTime = platform::service<platform::Clock>().now();
    hWnd = window;
    ClearKeyState();
    // The first sample is stored as the pointer stands; callers set the offset afterwards.
    const platform::PointerPosition pointer = platform::service<platform::InputSource>().pointer();
    nMouseX = pointer.x;
    nMouseY = pointer.y;
    nYOffset = 0;
    dwLastTick = 0;
    hOrgCursor = platform::service<platform::InputSource>().currentCursor();
    hGameCursor = hOrgCursor;
    if (clearList == 1) ClearRemoveFileList();
}

void ZKSYSTEM::MainLoop(platform::WindowHandle window) {
    hWnd = window;
    UpdateTime();
    KeyScan();
    MouseUpdate();
    RemoveFileListProc();
}

std::uint32_t ZKSYSTEM::UpdateTime() {
    dwTime = platform::service<platform::Clock>().now();
    return dwTime;
}

void ZKSYSTEM::KeyScan() {
    const platform::InputSource& input = platform::service<platform::InputSource>();
    for (int vk = 0; vk < kKeyCount; ++vk) {
        prev[vk] = now[vk];
        now[vk] = input.isKeyDown(vk) ? 1 : 0;
        push[vk] = (prev[vk] == 1 && now[vk] == 0) ? 1 : 0;
        if (push[vk] == 1) pushLatch[vk] = 1;
    }
}

void ZKSYSTEM::MouseUpdate() {
    const platform::PointerPosition pointer = platform::service<platform::InputSource>().pointer();
    nMouseX = pointer.x;
    nMouseY = pointer.y + nYOffset;
}

KEY_STATE ZKSYSTEM::GetVKeyStatus(int vk) const {
    if (vk < 0 || vk >= kKeyCount) {
        platform::LogWarn("ZKSYSTEM::GetVKeyStatus", u8"仮想キーコードが範囲外です\n");
        return KEY_STATE_UP;
    }
    const bool down = now[vk] != 0;
    const bool was = prev[vk] != 0;
    if (down) return was ? KEY_STATE_HELD : KEY_STATE_PRESSED;
    return was ? KEY_STATE_RELEASED : KEY_STATE_UP;
}

std::uint32_t ZKSYSTEM::SystemKeyValue(const std::uint32_t (&table)[kKeyCount], SYSTEM_KEY key,
                                       std::string_view tag) const {
    if (key < 0 || key >= kSystemKeyCount) {
        platform::LogWarn(tag, u8"定義されていない列挙名です\n");
        return 0;
    }
    return table[kSystemKeyCodes[key]];
}

std::uint32_t ZKSYSTEM::GetKey(SYSTEM_KEY key) const {
    return SystemKeyValue(now, key, "ZKSYSTEM::GetKey");
}

std::uint32_t ZKSYSTEM::GetKeyPush(SYSTEM_KEY key) const {
    return SystemKeyValue(push, key, "ZKSYSTEM::GetKeyPush");
}

std::uint32_t ZKSYSTEM::GetKeyPushLatch(SYSTEM_KEY key) const {
    return SystemKeyValue(pushLatch, key, "ZKSYSTEM::GetKeyPushLatch");
}

void ZKSYSTEM::ClearKeyPushLatch() { std::fill(std::begin(pushLatch), std::end(pushLatch), 0); }

void ZKSYSTEM::ClearKeyState() {
    std::fill(std::begin(push), std::end(push), 0);
    std::fill(std::begin(now), std::end(now), 0);
    std::fill(std::begin(prev), std::end(prev), 0);
}

void ZKSYSTEM::GetMousePos(int* x, int* y) const {
    if (x != nullptr) *x = nMouseX;
    if (y != nullptr) *y = nMouseY;
}

// The game's y includes the caption offset; the pointer itself lives in client rows.
void ZKSYSTEM::SetMousePos(int x, int y) {
    platform::service<platform::InputSource>().warpPointer({x, y - nYOffset});
    nMouseX = x;
    nMouseY = y;
}

void ZKSYSTEM::SetMouseButtonValue(SYSTEM_KEY button, std::uint32_t value) {
    const int slot = MouseButtonSlot(button);
    if (slot >= 0) mouseButtonValue[slot] = value;
}

std::uint32_t ZKSYSTEM::GetMouseButtonValue(SYSTEM_KEY button) const {
    const int slot = MouseButtonSlot(button);
    return slot >= 0 ? mouseButtonValue[slot] : 0;
}

// Sleeps rather than spins: a frame that yields nothing starves the sound and movie threads.
std::uint32_t ZKSYSTEM::FrameWait(std::uint32_t fps) {
    const std::uint32_t interval = 1000 / std::clamp(fps, kMinFps, kMaxFps);
    platform::Clock& clock = platform::service<platform::Clock>();
    std::uint32_t elapsed = clock.now() - dwLastTick;
    while (elapsed < interval) {
        clock.sleep(interval - elapsed);
        elapsed = clock.now() - dwLastTick;
    }
    const std::uint32_t achieved = std::max<std::uint32_t>(1000 / elapsed, 1);
    dwLastTick = clock.now();
    return achieved;
}

int ZKSYSTEM::SetCursorMode(int mode) {
    platform::InputSource& input = platform::service<platform::InputSource>();
    if (mode == 0 && hGameCursor != hOrgCursor) input.setCursor(hGameCursor);
    if (mode == 1) input.setCursor(hOrgCursor);
    return 1;
}
