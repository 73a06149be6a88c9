#include "platform/window/WindowMessageBox.h"

#include <algorithm>
#include <string>

#include "platform/window/MenuStrip.h"
#include "platform/window/WindowHost.h"
#include "platform/window/WindowMessages.h"

namespace platform {

namespace {

constexpr int kOk = 1;

// Pixels to dialog units, rounded up so that the text always fits.
int Units(int pixels) { return (pixels * 4 + 6) / 7; }

DialogTemplate BoxFor(std::string_view caption, std::string_view text) {
    int widest = MenuStrip::TextWidth(std::string(caption)) + 40;
    int lines = 0;
    for (std::size_t start = 0; start <= text.size(); ++lines) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        widest =
            std::max(widest, MenuStrip::TextWidth(std::string(text.substr(start, end - start))));
        start = end + 1;
    }
    const int width = Units(std::max(widest, 120) + 32);
    const int textHeight = Units(lines * MenuStrip::kTextHeight);
    return {
        0,
        std::string(caption),
        width,
        textHeight + 46,
        true,
        {{kOk, DialogControl::Kind::DefaultButton, (width - 50) / 2, textHeight + 22, 50, 14, "OK"},
         {-1, DialogControl::Kind::Static, 9, 10, width - 18, textHeight, std::string(text)}}};
}

}  // namespace

void WindowMessageBox::present(std::string_view caption, std::string_view text) {
    if (!host_.created()) return;
    host_.runDialog(BoxFor(caption, text),
                    [](ModalDialog& box, std::uint32_t message, std::uintptr_t wParam) {
                        if (message == WM_CLOSE || (message == WM_COMMAND && wParam == kOk))
                            box.end(0);
                        return std::intptr_t{1};
                    });
}

}  // namespace platform
