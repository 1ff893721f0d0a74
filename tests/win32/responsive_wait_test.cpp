// The responsive wait on a real message queue: the time passes, messages posted meanwhile are
// dispatched before it returns, and the quit message is left for the main loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "platform/responsive_wait.h"
#include "platform/win32/win32_system.h"

namespace svcman {
namespace {

constexpr UINT kPing = WM_APP + 7;

struct Received {
  int pings = 0;
  ULONGLONG at = 0;
};

LRESULT CALLBACK ReceiverProcedure(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) noexcept {
  if (message == kPing) {
    auto* received = reinterpret_cast<Received*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    ++received->pings;
    received->at = GetTickCount64();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// A message-only window of this thread that counts the pings it gets.
class Receiver {
 public:
  Receiver() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ReceiverProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"SvcmanWaitReceiver";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, L"SvcmanWaitReceiver", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&received));
  }
  Receiver(const Receiver&) = delete;
  Receiver& operator=(const Receiver&) = delete;
  ~Receiver() { DestroyWindow(window_); }
  HWND window() const { return window_; }
  Received received;

 private:
  HWND window_ = nullptr;
};

TEST(WaitResponsive, LastsTheTimeAndDispatchesWhatArrivesMeanwhile) {
  Win32System system;
  Receiver receiver;
  ASSERT_NE(receiver.window(), nullptr);
  const HWND target = receiver.window();
  const ULONGLONG start = GetTickCount64();
  std::thread poster([target] {
    Sleep(50);
    PostMessageW(target, kPing, 0, 0);
  });
  EXPECT_TRUE(WaitResponsive(system, 200));
  const ULONGLONG end = GetTickCount64();
  poster.join();
  EXPECT_GE(end - start, 200u);
  EXPECT_EQ(receiver.received.pings, 1);
  EXPECT_LE(receiver.received.at, end);
}

TEST(WaitResponsive, LeavesTheQuitMessageQueuedWithoutSpinning) {
  Win32System system;
  PostQuitMessage(5);
  FILETIME created, exited, kernelBefore, userBefore, kernelAfter, userAfter;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernelBefore, &userBefore);
  const ULONGLONG start = GetTickCount64();
  EXPECT_TRUE(WaitResponsive(system, 300));
  EXPECT_GE(GetTickCount64() - start, 300u);
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernelAfter, &userAfter);
  auto ticks = [](FILETIME t) {
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  const ULONGLONG busy100ns =
      ticks(kernelAfter) - ticks(kernelBefore) + ticks(userAfter) - ticks(userBefore);
  EXPECT_LT(busy100ns, 150u * 10000) << "the wait should block, not poll the queue";
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 5u);
}

TEST(WaitResponsive, SecondsAreThousandsOfMilliseconds) {
  Win32System system;
  const ULONGLONG start = GetTickCount64();
  EXPECT_TRUE(WaitResponsive(system, 1, TimeUnit::Second));
  EXPECT_GE(GetTickCount64() - start, 1000u);
}

}  // namespace
}  // namespace svcman
