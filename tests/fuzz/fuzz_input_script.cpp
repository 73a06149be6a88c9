// The autoplay input-script parser on arbitrary bytes: it either gives a script
// whose settings stay in their ranges or refuses with an "input:<line>:" message.
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "autoplay/InputScript.h"

using zkfuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    const auto script = autoplay::InputScript::Parse(
        std::string_view(reinterpret_cast<const char*>(data), size), error);
    if (!script) {
        Require(error.rfind("input:", 0) == 0, "a refusal without its line");
        return 0;
    }
    Require(script->step >= 1 && script->step <= 1000, "a step out of range");
    for (const auto& [frame, events] : script->events) {
        Require(frame >= 0 && !events.empty(), "a frame without events");
        for (const auto& event : events) {
            const bool keyed = event.action == autoplay::InputAction::Down ||
                               event.action == autoplay::InputAction::Up;
            Require(!keyed || (event.key >= 1 && event.key <= 255), "a key out of range");
        }
    }
    return 0;
}
