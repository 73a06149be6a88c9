#include "platform/window/MessageBox.h"

#include <algorithm>
#include <string>

#include "platform/core/Log.h"

namespace platform {

void MessageBox::show(std::string_view caption, std::string_view text) {
    // A log line holds one line, so the box's line feeds become blanks.
    std::string oneLine(text);
    std::replace(oneLine.begin(), oneLine.end(), '\n', ' ');
    LogPlain(LogChannel::Debug, "%s: %s", GameArg(caption), GameArg(oneLine));
    present(caption, text);
}

void MessageBox::present(std::string_view, std::string_view) {}

}  // namespace platform
