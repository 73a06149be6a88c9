#include "platform/window/WindowHost.h"

#include "platform/core/Clock.h"
#include "platform/core/Services.h"
#include "platform/core/SingleInstanceGuard.h"
#include "platform/core/TerminationSignal.h"
#include "platform/input/VirtualKeys.h"
#include "platform/media/MediaPump.h"
#include "platform/window/WindowMessages.h"

namespace platform {

namespace {

constexpr std::uint32_t kModalWaitMs = 10;
// A later start waits a second for its answer: looking for one four times a second
// answers it in time, at a fraction of what looking at every pass of the loop costs.
constexpr std::uint32_t kRequestLookMs = 250;

bool IsInput(PlatformEvent::Kind kind) {
    using Kind = PlatformEvent::Kind;
    return kind == Kind::KeyDown || kind == Kind::KeyUp || kind == Kind::ButtonDown ||
           kind == Kind::ButtonUp || kind == Kind::PointerMoved;
}

// Dialogs lie over the game area, whose rows start below the strip in a window and
// at the top of the picture in full screen, where client rows start 20 rows higher.
PlatformEvent InGameArea(PlatformEvent event, bool fullScreen) {
    if (fullScreen) event.y += MenuStrip::kHeight;
    return event;
}

}  // namespace

WindowHost::~WindowHost() {
    if (postsMediaEnds_) MediaPump::instance().poster = nullptr;
}

WindowHandle WindowHost::create(WindowProcedure procedure) {
    procedure_ = std::move(procedure);
    window_ = createWindow();
    if (window_ == nullptr) return nullptr;
    MediaPump::instance().poster = [this](WindowHandle, std::uint32_t message) { post(message); };
    postsMediaEnds_ = true;
    send(WM_CREATE);
    created_ = true;
    if (!reportsFocus()) send(WM_ACTIVATEAPP, 1);
    return window_;
}

bool WindowHost::setFullScreen(bool fullScreen) {
    if (!applyFullScreen(fullScreen)) return false;
    fullScreen_ = fullScreen;
    refresh();
    return true;
}

void WindowHost::drawMenuBar() {
    if (fullScreen_) {
        menuBarOverPicture_ = true;
        menuBarShown();
    }
    refresh();
}

void WindowHost::hideMenuBar() {
    menuBarOverPicture_ = false;
    refresh();
}

void WindowHost::presentFrame(const Surface& frame) { presentFrame(frame, frame.bounds()); }

void WindowHost::presentFrame(const Surface& frame, const Rect& changed) {
    if (frame.width() == WindowPicture::kGameWidth &&
        frame.height() == WindowPicture::kGameHeight) {
        keepFrame(frame, changed);
    }
    refresh();
}

// The same surface at the same version holds what was kept from it: a still frame
// is not even compared again.
void WindowHost::keepFrame(const Surface& frame, const Rect& changed) {
    if (&frame == keptFrom_ && frame.version() == keptVersion_) return;
    const bool kept = keptFrame_ && keptFrame_->sameShape(frame) && &frame == keptFrom_;
    if (!keptFrame_ || !keptFrame_->sameShape(frame)) {
        keptFrame_.emplace(frame.width(), frame.height(), frame.format());
        ++frameRevision_;
    }
    frameChanged_ = kept ? changed : frame.bounds();
    if (keptFrame_->copyPixels(frame, frameChanged_)) ++frameRevision_;
    keptFrom_ = &frame;
    keptVersion_ = frame.version();
}

void WindowHost::refresh() {
    picture_.compose({keptFrame_ ? &*keptFrame_ : nullptr, fullScreen_ ? 0 : MenuStrip::kHeight,
                      stripShown() ? &menu_ : nullptr, highlighted_, dialog_, layers_,
                      frameRevision_, frameChanged_});
    showPicture(picture_);
}

void WindowHost::setMenuAttached(bool attached) {
    menu_.setAttached(attached);
    refresh();
}

std::intptr_t WindowHost::send(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return procedure_ ? procedure_(message, wParam, lParam) : 0;
}

void WindowHost::postQuit(int code) {
    if (!quitPosted_) quitCode_ = code;
    quitPosted_ = true;
}

bool WindowHost::pumpEvent(std::uint32_t waitMs) {
    // A signal that ended a dialog or the menu loop asks to quit once they are closed.
    if (closeAfterModal_ && !modal()) {
        closeAfterModal_ = false;
        send(WM_CLOSE);
        return true;
    }
    PlatformEvent event;
    if (!fetchEvent(event, waitMs)) return false;
    dispatch(event);
    return true;
}

bool WindowHost::fetchEvent(PlatformEvent& event, std::uint32_t waitMs) {
    if (terminationDue()) {
        event = {.kind = PlatformEvent::Kind::Terminate};
        return true;
    }
    if (guard_ != nullptr && requestLookDue() && guard_->takeRequests()) {
        event = {.kind = PlatformEvent::Kind::InstanceRequest};
        return true;
    }
    return nextEvent(event, waitMs);
}

bool WindowHost::requestLookDue() {
    const std::uint32_t now = service<Clock>().now();
    if (lastRequestLook_ && now - *lastRequestLook_ < kRequestLookMs) return false;
    lastRequestLook_ = now;
    return true;
}

// A signal becomes one termination; once terminated, every modal loop, open or
// opened later, ends at once, so that no box or dialog holds the quit up.
bool WindowHost::terminationDue() const { return terminated_ ? modal() : TerminationRequested(); }

void WindowHost::dispatch(const PlatformEvent& event) {
    using Kind = PlatformEvent::Kind;
    switch (event.kind) {
        case Kind::KeyDown:
            if (event.key == VK_ESCAPE && event.repeat) return;
            send(WM_KEYDOWN, static_cast<std::uintptr_t>(event.key));
            return;
        case Kind::ButtonDown:
            if (event.key == VK_LBUTTON && stripShown() &&
                menu_.itemAt(event.x, event.y) != nullptr) {
                runMenuLoop(event.x, event.y);
            }
            return;
        case Kind::CloseRequest:
            send(WM_CLOSE);
            return;
        case Kind::Terminate:
            terminated_ = true;
            send(WM_CLOSE);
            return;
        default:
            dispatchOutsideInput(event);
            return;
    }
}

void WindowHost::dispatchOutsideInput(const PlatformEvent& event) {
    using Kind = PlatformEvent::Kind;
    switch (event.kind) {
        case Kind::Moved:
            send(WM_MOVE);
            return;
        case Kind::Resized:
            send(WM_SIZE);
            return;
        case Kind::Exposed:
            if (created_) send(WM_PAINT);
            refresh();
            return;
        case Kind::FocusGained:
            send(WM_ACTIVATEAPP, 1);
            return;
        case Kind::FocusLost:
            send(WM_ACTIVATEAPP, 0);
            return;
        case Kind::Posted:
            send(event.message);
            return;
        case Kind::InstanceRequest:
            bringForward();
            return;
        default:
            return;
    }
}

void WindowHost::maskInput(const PlatformEvent& event) {
    if (event.kind == PlatformEvent::Kind::KeyDown ||
        event.kind == PlatformEvent::Kind::ButtonDown) {
        mask_.mask(event.key);
    }
}

void WindowHost::runMenuLoop(int x, int y) {
    send(WM_ENTERMENULOOP);
    inMenuLoop_ = true;
    mask_.mask(VK_LBUTTON);
    auto highlight = [this](int px, int py) {
        const MenuStrip::Item* item = menu_.itemAt(px, py);
        highlighted_ = item != nullptr && item->enabled ? item->id : 0;
        refresh();
    };
    highlight(x, y);
    using Kind = PlatformEvent::Kind;
    int commandId = 0;
    bool focusLost = false;
    for (bool open = true; open;) {
        MediaPump::instance().pump();
        PlatformEvent event;
        if (!fetchEvent(event, kModalWaitMs)) continue;
        maskInput(event);
        if (event.kind == Kind::PointerMoved) {
            highlight(event.x, event.y);
        } else if (event.kind == Kind::ButtonUp && event.key == VK_LBUTTON) {
            const MenuStrip::Item* item = menu_.itemAt(event.x, event.y);
            commandId = item != nullptr && item->enabled ? item->id : 0;
            open = false;
        } else if (event.kind == Kind::KeyDown && event.key == VK_ESCAPE) {
            open = false;
        } else if (event.kind == Kind::FocusLost || event.kind == Kind::Terminate) {
            focusLost = event.kind == Kind::FocusLost;
            terminated_ = terminated_ || event.kind == Kind::Terminate;
            closeAfterModal_ = terminated_;
            open = false;
        } else if (!IsInput(event.kind) && event.kind != Kind::CloseRequest) {
            dispatchOutsideInput(event);
        }
    }
    inMenuLoop_ = false;
    highlighted_ = 0;
    send(WM_EXITMENULOOP);
    if (commandId != 0) send(WM_COMMAND, static_cast<std::uintptr_t>(commandId));
    if (focusLost) send(WM_ACTIVATEAPP, 0);
    refresh();
}

int WindowHost::runDialog(DialogTemplate dialog, DialogProcedure procedure) {
    ModalDialog box(std::move(dialog), std::move(procedure));
    ModalDialog* outer = dialog_;
    dialog_ = &box;
    if (!visible()) show();
    box.open();
    refresh();
    using Kind = PlatformEvent::Kind;
    while (!box.ended()) {
        MediaPump::instance().pump();
        PlatformEvent event;
        if (!fetchEvent(event, kModalWaitMs)) continue;
        maskInput(event);
        if (IsInput(event.kind)) {
            box.handle(InGameArea(event, fullScreen_));
            refresh();
        } else if (event.kind == Kind::Terminate) {
            terminated_ = true;
            closeAfterModal_ = true;
            box.close();
        } else if (event.kind != Kind::CloseRequest) {
            dispatchOutsideInput(event);
        }
    }
    dialog_ = outer;
    refresh();
    return box.result();
}

}  // namespace platform
