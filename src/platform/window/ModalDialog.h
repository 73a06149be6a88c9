#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/input/PlatformEvent.h"
#include "platform/video/Rect.h"
#include "platform/window/DialogTemplate.h"

namespace platform {

class ModalDialog;

// A dialog's procedure: WM_INITDIALOG, WM_COMMAND with the control id, WM_CLOSE.
using DialogProcedure =
    std::function<std::intptr_t(ModalDialog&, std::uint32_t message, std::uintptr_t wParam)>;

// One open dialog: its controls, focus, check boxes and result, and what keys
// and clicks do to them. Drawn and fed by the window host.
class ModalDialog {
public:
    static constexpr int kCaptionHeight = 20;
    static constexpr int kGameWidth = 800;
    static constexpr int kGameHeight = 600;

    ModalDialog(DialogTemplate dialog, DialogProcedure procedure);

    void open();
    void handle(const PlatformEvent& event);
    // As the close box does: the procedure gets WM_CLOSE.
    void close();

    void setItemText(int id, std::string text);
    std::string itemText(int id) const;
    bool isChecked(int id) const;
    void end(int result);

    bool ended() const { return ended_; }
    int result() const { return result_; }
    int focusedId() const;
    const DialogTemplate& dialogTemplate() const { return template_; }

    // Layout in client coordinates of the game area, the whole box centred in it.
    Rect frameBounds() const;
    Rect clientBounds() const;
    Rect controlBounds(const DialogControl& control) const;
    Rect closeBoxBounds() const;

private:
    void command(int id);
    void activate(const DialogControl& control);
    void moveFocus(int step);
    void onKey(const PlatformEvent& event);
    const DialogControl* controlAt(int x, int y) const;
    const DialogControl* find(int id) const;
    bool focusable(const DialogControl& control) const;

    DialogTemplate template_;
    DialogProcedure procedure_;
    std::vector<bool> checked_;
    std::size_t focus_ = 0;
    int pressedId_ = 0;
    bool pressedClose_ = false;
    bool ended_ = false;
    int result_ = 0;
};

}  // namespace platform
