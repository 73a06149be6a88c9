#pragma once

#include <string_view>

namespace platform {

// A modal box with a caption, a text and an OK button, owned by no window. Caption
// and text are game text (CP932). Every box is first written to the log as one
// plain line; this base shows nothing more, which is the case without a window.
class MessageBox {
public:
    virtual ~MessageBox() = default;

    void show(std::string_view caption, std::string_view text);

protected:
    virtual void present(std::string_view caption, std::string_view text);
};

}  // namespace platform
