#include "platform/window/HeadlessMessageBox.h"

namespace platform {

void HeadlessMessageBox::present(std::string_view caption, std::string_view text) {
    shown_.push_back({std::string(caption), std::string(text)});
}

}  // namespace platform
