// Waiting without freezing the window: pending messages are dispatched while time passes.
#pragma once

#include <cstdint>

namespace svcman {

class System;

enum class TimeUnit { Millisecond = 0, Second = 1, Minute = 2, Hour = 3 };

// Dispatches every queued message up to, not including, a quit message, which stays queued for
// the main message loop.
void DispatchPendingMessages(System& system);

// True when the window has been closed and the quit message waits for the main loop. Long
// operations check it so that a closed tool stops starting programs nobody can see any more.
bool QuitRequested(System& system);

// Returns once amount units have passed, dispatching messages whenever they arrive. Returns at
// once when the timer cannot be made or the wait fails, so it never hangs.
bool WaitResponsive(System& system, std::int32_t amount, TimeUnit unit = TimeUnit::Millisecond);

}  // namespace svcman
