#pragma once

#include <string>
#include <vector>

#include "platform/window/MessageBox.h"

namespace platform {

// Records each box (caption, text, as CP932 bytes) and returns at once.
class HeadlessMessageBox : public MessageBox {
public:
    struct Shown {
        std::string caption;
        std::string text;
        bool operator==(const Shown&) const = default;
    };

    const std::vector<Shown>& shown() const { return shown_; }

protected:
    void present(std::string_view caption, std::string_view text) override;

private:
    std::vector<Shown> shown_;
};

}  // namespace platform
