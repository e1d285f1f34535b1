// GoogleTest's customisation header, found ahead of its own (empty) one.
//
// The compilers' win32 thread model has no std::mutex or
// std::condition_variable, and GoogleTest builds its Notification (which
// only its own thread tests use) from them. This Notification waits on an
// atomic flag instead.
#pragma once

#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
public:
    Notification() = default;
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { notified_.store(true); }
    void WaitForNotification() {
        while (!notified_.load()) {
        }
    }

private:
    std::atomic<bool> notified_{false};
};

} // namespace internal
} // namespace testing
