#include "platform/responsive_wait.h"

#include <cmath>
#include <limits>

#include "platform/system.h"
#include "platform/unique_handle.h"

namespace svcman {
namespace {

double MillisecondsPer(TimeUnit unit) {
  switch (unit) {
    case TimeUnit::Second:
      return 1000.0;
    case TimeUnit::Minute:
      return 60000.0;
    case TimeUnit::Hour:
      return 3600000.0;
    case TimeUnit::Millisecond:
    default:
      return 1.0;
  }
}

// Relative due time in 100-ns units (negative), truncated toward zero; held inside the range
// of the timer's 64-bit field for amounts that would not fit.
std::int64_t DueTime(std::int32_t amount, TimeUnit unit) {
  const double due = static_cast<double>(amount) * MillisecondsPer(unit) * -10000.0;
  constexpr double kLowest = static_cast<double>(std::numeric_limits<std::int64_t>::min());
  if (due <= kLowest) return std::numeric_limits<std::int64_t>::min();
  if (due >= -kLowest) return std::numeric_limits<std::int64_t>::max();
  return static_cast<std::int64_t>(std::trunc(due));
}

}  // namespace

void DispatchPendingMessages(System& system) {
  Message message;
  // The quit message is only looked at, never taken: the main loop must still find it.
  while (system.PeekMessageW(message, false) && message.message != kWmQuit) {
    if (!system.PeekMessageW(message, true)) return;
    if (!system.PreTranslateMessage(message)) {
      system.TranslateMessage(message);
      system.DispatchMessageW(message);
    }
  }
}

bool QuitRequested(System& system) {
  Message message;
  return system.PeekMessageW(message, false) && message.message == kWmQuit;
}

bool WaitResponsive(System& system, std::int32_t amount, TimeUnit unit) {
  UniqueHandle timer(system, system.CreateWaitableTimerA(false));
  if (!timer.valid()) return false;
  if (!system.SetWaitableTimer(timer.get(), DueTime(amount, unit), 0, false)) return false;
  const Handle handles[] = {timer.get()};
  for (;;) {
    const std::uint32_t woken =
        system.MsgWaitForMultipleObjects(1, handles, false, kInfinite, kQsAllButRawInput);
    if (woken == kWaitObject0) return true;
    // Only input may go round again; any other answer is a failure that would spin forever.
    if (woken != kWaitObject0 + 1) return false;
    DispatchPendingMessages(system);
  }
}

}  // namespace svcman
