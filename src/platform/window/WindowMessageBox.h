#pragma once

#include "platform/window/MessageBox.h"

namespace platform {

class WindowHost;

// Boxes drawn in the main window as a modal dialog with one OK button; before
// the window exists only the log line is written.
class WindowMessageBox : public MessageBox {
public:
    explicit WindowMessageBox(WindowHost& host) : host_(host) {}

protected:
    void present(std::string_view caption, std::string_view text) override;

private:
    WindowHost& host_;
};

}  // namespace platform
