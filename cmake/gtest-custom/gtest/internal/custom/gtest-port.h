// Shadows GoogleTest's empty customization header (this folder comes first on the include
// path). MinGW's default g++ (win32 thread model) has no std::mutex/std::condition_variable,
// which GoogleTest's stock Notification uses; everything else in GoogleTest's Windows port
// uses Win32 primitives. Notification only gates the start of GoogleTest's own helper
// threads, so a spin on an atomic flag is enough.
#ifndef KESTREL_GTEST_CUSTOM_PORT_H_
#define KESTREL_GTEST_CUSTOM_PORT_H_

#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
 public:
  Notification() : notified_(false) {}
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { notified_.store(true, std::memory_order_release); }
  void WaitForNotification() {
    while (!notified_.load(std::memory_order_acquire)) {
    }
  }

 private:
  std::atomic<bool> notified_;
};

}  // namespace internal
}  // namespace testing

#endif  // KESTREL_GTEST_CUSTOM_PORT_H_
