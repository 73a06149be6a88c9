#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/input/InputMask.h"
#include "platform/input/InputSource.h"
#include "platform/input/PlatformEvent.h"
#include "platform/video/WindowPicture.h"
#include "platform/window/MenuStrip.h"
#include "platform/window/ModalDialog.h"

namespace platform {

using WindowProcedure = std::function<std::intptr_t(std::uint32_t message, std::uintptr_t wParam,
                                                    std::intptr_t lParam)>;

// The main window as the shell uses it. Backends supply events and the screen;
// turning events into window messages, the menu loop and modal dialogs are
// shared, so that they run alike with SDL and in tests.
class SingleInstanceGuard;

class WindowHost {
public:
    virtual ~WindowHost();

    // Creates the hidden window, then sends it WM_CREATE. Null when the window
    // could not be made (the backend has logged why).
    WindowHandle create(WindowProcedure procedure);
    // Whether the window exists (it may still be hidden).
    bool created() const { return window_ != nullptr; }
    // The window, already known to the procedure when WM_CREATE arrives; null before.
    WindowHandle window() const { return window_; }

    // Shows the window and asks once for the input focus.
    virtual void show() = 0;
    // Restores, raises and focuses the window.
    virtual void bringForward() = 0;
    // Desktop full screen without the strip, or the window form with it; false (the
    // backend has logged why) when the form could not be set, the old one kept.
    bool setFullScreen(bool fullScreen);
    bool fullScreen() const { return fullScreen_; }
    // Centres the window on its display; false when that could not be done.
    virtual bool centre() = 0;
    // Draws the strip again. In full screen it then shows over the top rows of the
    // picture, clickable, until hideMenuBar.
    void drawMenuBar();
    void hideMenuBar();
    virtual bool visible() const = 0;

    // Keeps a finished game frame and shows it under the strip and any dialog; given
    // changed, only the pixels inside it differ from the frame presented last.
    void presentFrame(const Surface& frame);
    void presentFrame(const Surface& frame, const Rect& changed);
    // Shows the kept frame again with the current strip and dialog.
    void refresh();
    // The layers drawn over the kept game frame from now on; null for none.
    void setExternalLayers(const ExternalLayers* layers) { layers_ = layers; }
    const WindowPicture& picture() const { return picture_; }
    // The pointer shape over the whole window: 0 the system arrow, 1 the
    // monochrome arrow, 2 the colour arrow.
    virtual void setCursorKind(int kind) = 0;
    // Closes the window at the end of the run.
    virtual void destroy() = 0;

    // Later starts that ask for the window are served by every event loop.
    void setInstanceGuard(SingleInstanceGuard* guard) { guard_ = guard; }

    MenuStrip& menu() { return menu_; }
    void setMenuAttached(bool attached);

    // Handles one waiting event, waiting up to waitMs for one; false when none came.
    bool pumpEvent(std::uint32_t waitMs);
    // Queues a message for the window procedure; safe from any thread. Media graphs
    // post their ends through it once the window exists.
    virtual void post(std::uint32_t message) = 0;
    // Calls the window procedure at once.
    std::intptr_t send(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
    // Ends the message loop at its next pass; the first code asked for stays.
    void postQuit(int code);
    bool quitPosted() const { return quitPosted_; }
    int quitCode() const { return quitCode_; }
    // A termination signal arrived: the shell quits without asking, and every
    // dialog and box still to come ends as soon as it opens.
    bool terminated() const { return terminated_; }

    // Runs a dialog modally to its end and gives its result.
    int runDialog(DialogTemplate dialog, DialogProcedure procedure);
    bool modal() const { return dialog_ != nullptr || inMenuLoop_; }
    const ModalDialog* openDialog() const { return dialog_; }
    int highlightedItem() const { return highlighted_; }
    // Keys pressed while a dialog or the menu loop is open, hidden from the game.
    InputMask& inputMask() { return mask_; }

protected:
    // The backend's window: null (and its reason logged) when it cannot be made.
    virtual WindowHandle createWindow() = 0;
    // The next event, waiting up to waitMs; false when none came.
    virtual bool nextEvent(PlatformEvent& event, std::uint32_t waitMs) = 0;
    // Whether focus events arrive at all; without them the window counts as active.
    virtual bool reportsFocus() const = 0;
    virtual bool applyFullScreen(bool fullScreen) = 0;
    // Called as the strip is shown over the full-screen picture.
    virtual void menuBarShown() {}
    // Puts the composed window picture on the screen; a picture of the revision
    // last shown may be left as it is.
    virtual void showPicture(const WindowPicture& picture) = 0;

private:
    bool fetchEvent(PlatformEvent& event, std::uint32_t waitMs);
    bool terminationDue() const;
    bool requestLookDue();
    void dispatch(const PlatformEvent& event);
    void dispatchOutsideInput(const PlatformEvent& event);
    void runMenuLoop(int x, int y);
    void maskInput(const PlatformEvent& event);
    void keepFrame(const Surface& frame, const Rect& changed);
    // The strip is drawn and takes clicks: always in a window, on request in full screen.
    bool stripShown() const { return menu_.attached() && (!fullScreen_ || menuBarOverPicture_); }

    WindowProcedure procedure_;
    SingleInstanceGuard* guard_ = nullptr;
    std::optional<std::uint32_t> lastRequestLook_;
    MenuStrip menu_;
    ModalDialog* dialog_ = nullptr;
    bool created_ = false;
    WindowHandle window_ = nullptr;
    bool postsMediaEnds_ = false;
    bool inMenuLoop_ = false;
    int highlighted_ = 0;
    bool quitPosted_ = false;
    bool terminated_ = false;
    bool closeAfterModal_ = false;
    InputMask mask_;
    bool fullScreen_ = false;
    bool menuBarOverPicture_ = false;
    // The last game frame presented, in its own format; converted only when drawn.
    std::optional<Surface> keptFrame_;
    const Surface* keptFrom_ = nullptr;
    std::uint64_t keptVersion_ = 0;
    std::uint64_t frameRevision_ = 0;
    // The part of the kept frame its last revision changed.
    Rect frameChanged_;
    const ExternalLayers* layers_ = nullptr;
    WindowPicture picture_;
    int quitCode_ = 0;
};

}  // namespace platform
