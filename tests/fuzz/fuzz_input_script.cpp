// The autoplay input-script parser on arbitrary bytes: it either gives a script
// whose settings and keys stay in their ranges and whose legs after the first each
// start with a wait, or refuses with an "input:<line>:" message.
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
    using autoplay::InputAction;
    for (std::size_t leg = 0; leg < script->legs.size(); ++leg) {
        const autoplay::InputLeg& l = script->legs[leg];
        Require((l.wait.action == InputAction::WaitMode) == (leg > 0), "a leg without its wait");
        for (const auto& [frame, events] : l.events) {
            Require(frame >= 0 && !events.empty(), "a frame without events");
            for (const auto& event : events) {
                const bool keyed =
                    event.action == InputAction::Down || event.action == InputAction::Up;
                Require(!keyed || (event.key >= 1 && event.key <= 255), "a key out of range");
                const bool dialog = event.action == InputAction::Dialog;
                Require(!dialog || !event.keys.empty(), "a dialog line without keys");
                for (const int key : event.keys) {
                    Require(key >= 1 && key <= 255, "a dialog key out of range");
                }
                // A leg starts after its first frame has run: input there would be lost.
                const bool input = keyed || event.action == InputAction::Move ||
                                   event.action == InputAction::Advance ||
                                   event.action == InputAction::Menu || dialog;
                Require(leg == 0 || frame > 0 || !input, "input at a leg's first frame");
                const bool enter = event.action == InputAction::Enter;
                Require(!enter || (event.mode >= 0 && event.mode <= 255 && event.step >= 0),
                        "a mode or step out of range");
            }
        }
    }
    return 0;
}
