#include "support/FirstInstance.h"

#include <chrono>

namespace zktest {

FirstInstance::FirstInstance(const std::string& name, bool answers) : guard_(name) {
    acquired_ = guard_.acquire() == platform::SingleInstanceGuard::Result::First;
    if (!answers) return;
    server_ = std::thread([this] {
        while (!stop_) {
            guard_.takeRequests();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
}

FirstInstance::~FirstInstance() {
    stop_ = true;
    if (server_.joinable()) server_.join();
}

}  // namespace zktest
