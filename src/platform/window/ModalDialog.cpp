#include "platform/window/ModalDialog.h"

#include "platform/input/VirtualKeys.h"
#include "platform/window/WindowMessages.h"

namespace platform {

namespace {

bool Inside(const Rect& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

bool IsButton(const DialogControl& c) {
    return c.kind == DialogControl::Kind::Button || c.kind == DialogControl::Kind::DefaultButton;
}

// The letter after "&" in a control's text, upper case; 0 when it has none.
int MnemonicKey(const std::string& text) {
    const auto at = text.find('&');
    if (at == std::string::npos || at + 1 >= text.size()) return 0;
    const char c = text[at + 1];
    return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
}

}  // namespace

ModalDialog::ModalDialog(DialogTemplate dialog, DialogProcedure procedure)
    : template_(std::move(dialog)),
      procedure_(std::move(procedure)),
      checked_(template_.controls.size(), false) {
    while (focus_ < template_.controls.size() && !focusable(template_.controls[focus_])) ++focus_;
}

void ModalDialog::open() { procedure_(*this, WM_INITDIALOG, 0); }

void ModalDialog::close() {
    if (!ended_) procedure_(*this, WM_CLOSE, 0);
}

void ModalDialog::command(int id) {
    if (!ended_) procedure_(*this, WM_COMMAND, static_cast<std::uintptr_t>(id));
}

void ModalDialog::activate(const DialogControl& control) {
    if (control.kind == DialogControl::Kind::CheckBox) {
        const auto index = static_cast<std::size_t>(&control - template_.controls.data());
        checked_[index] = !checked_[index];
        return;
    }
    if (IsButton(control)) command(control.id);
}

void ModalDialog::handle(const PlatformEvent& event) {
    using Kind = PlatformEvent::Kind;
    if (event.kind == Kind::KeyDown) {
        onKey(event);
    } else if (event.kind == Kind::ButtonDown && event.key == VK_LBUTTON) {
        const DialogControl* control = controlAt(event.x, event.y);
        pressedId_ = control != nullptr ? control->id : 0;
        pressedClose_ = template_.closeBox && Inside(closeBoxBounds(), event.x, event.y);
    } else if (event.kind == Kind::ButtonUp && event.key == VK_LBUTTON) {
        const DialogControl* control = controlAt(event.x, event.y);
        const bool onClose = template_.closeBox && Inside(closeBoxBounds(), event.x, event.y);
        if (control != nullptr && control->id == pressedId_) activate(*control);
        if (onClose && pressedClose_) close();
        pressedId_ = 0;
        pressedClose_ = false;
    }
}

void ModalDialog::onKey(const PlatformEvent& event) {
    const auto& controls = template_.controls;
    if (event.key == VK_TAB) return moveFocus(event.shift ? -1 : 1);
    if (event.key == VK_ESCAPE) return close();
    if (event.key == VK_SPACE && focus_ < controls.size()) return activate(controls[focus_]);
    if (event.key == VK_RETURN) {
        if (focus_ < controls.size() && IsButton(controls[focus_]))
            return command(controls[focus_].id);
        for (const auto& c : controls) {
            if (c.kind == DialogControl::Kind::DefaultButton) return command(c.id);
        }
        return;
    }
    for (const auto& c : controls) {
        if (IsButton(c) && MnemonicKey(c.text) == event.key) return command(c.id);
    }
}

void ModalDialog::moveFocus(int step) {
    const auto count = static_cast<int>(template_.controls.size());
    if (count == 0) return;
    int index = static_cast<int>(focus_);
    for (int tries = 0; tries < count; ++tries) {
        index = (index + step + count) % count;
        if (focusable(template_.controls[static_cast<std::size_t>(index)])) break;
    }
    focus_ = static_cast<std::size_t>(index);
}

bool ModalDialog::focusable(const DialogControl& control) const {
    return IsButton(control) || control.kind == DialogControl::Kind::CheckBox;
}

int ModalDialog::focusedId() const {
    return focus_ < template_.controls.size() ? template_.controls[focus_].id : 0;
}

void ModalDialog::setItemText(int id, std::string text) {
    for (auto& c : template_.controls) {
        if (c.id == id) c.text = std::move(text);
    }
}

std::string ModalDialog::itemText(int id) const {
    const DialogControl* c = find(id);
    return c != nullptr ? c->text : std::string{};
}

bool ModalDialog::isChecked(int id) const {
    const DialogControl* c = find(id);
    return c != nullptr && checked_[static_cast<std::size_t>(c - template_.controls.data())];
}

void ModalDialog::end(int result) {
    ended_ = true;
    result_ = result;
}

const DialogControl* ModalDialog::find(int id) const {
    for (const auto& c : template_.controls) {
        if (c.id == id) return &c;
    }
    return nullptr;
}

const DialogControl* ModalDialog::controlAt(int x, int y) const {
    for (const auto& c : template_.controls) {
        if (c.kind != DialogControl::Kind::Static && c.kind != DialogControl::Kind::CentredStatic &&
            Inside(controlBounds(c), x, y)) {
            return &c;
        }
    }
    return nullptr;
}

Rect ModalDialog::frameBounds() const {
    const int width = DialogUnitsToPixels(template_.width) + 2;
    const int height = DialogUnitsToPixels(template_.height) + kCaptionHeight + 2;
    const int left = (kGameWidth - width) / 2;
    const int top = (kGameHeight - height) / 2;
    return {left, top, left + width, top + height};
}

Rect ModalDialog::clientBounds() const {
    const Rect f = frameBounds();
    return {f.left + 1, f.top + 1 + kCaptionHeight, f.right - 1, f.bottom - 1};
}

Rect ModalDialog::controlBounds(const DialogControl& c) const {
    const Rect client = clientBounds();
    const int left = client.left + DialogUnitsToPixels(c.x);
    const int top = client.top + DialogUnitsToPixels(c.y);
    return {left, top, left + DialogUnitsToPixels(c.width), top + DialogUnitsToPixels(c.height)};
}

Rect ModalDialog::closeBoxBounds() const {
    const Rect f = frameBounds();
    return {f.right - 19, f.top + 3, f.right - 3, f.top + 17};
}

}  // namespace platform
