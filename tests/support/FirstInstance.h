#pragma once

#include <atomic>
#include <string>
#include <thread>

#include "platform/core/SingleInstanceGuard.h"

namespace zktest {

// An instance that started first under name. One that answers serves later starts
// on its own thread, as a running game does between frames; one that does not holds
// the guard and never serves, as one still starting up or ending.
class FirstInstance {
public:
    FirstInstance(const std::string& name, bool answers);
    ~FirstInstance();
    FirstInstance(const FirstInstance&) = delete;
    FirstInstance& operator=(const FirstInstance&) = delete;

    bool acquired() const { return acquired_; }

private:
    platform::SingleInstanceGuard guard_;
    bool acquired_ = false;
    std::atomic<bool> stop_{false};
    std::thread server_;
};

}  // namespace zktest
