// The simulated machine's clock, world events, message queue, waitable timers and the wait.
//
// User actions are messages: pending once the clock reaches their time, run when the tool
// dispatches them. As on Windows, a message wakes MsgWaitForMultipleObjects only while nobody
// has looked at the queue since it arrived, so a quit message left queued cannot spin a wait.
#include <algorithm>
#include <limits>

#include "tests/fakes/simulated_machine.h"
#include "tests/fakes/simulated_machine_impl.h"

namespace svcman::fake {
namespace {

constexpr std::uint64_t kNever = std::numeric_limits<std::uint64_t>::max();

void Enqueue(std::vector<QueuedMessage>& queue, QueuedMessage message) {
  const auto at = std::upper_bound(
      queue.begin(), queue.end(), message,
      [](const QueuedMessage& a, const QueuedMessage& b) { return a.time < b.time; });
  queue.insert(at, message);
}

}  // namespace

void SimulatedMachine::Advance(std::uint64_t ms) {
  const std::uint64_t target = now_ + ms;
  while (!impl_->worldEvents.empty() && impl_->worldEvents.begin()->first <= target) {
    const auto next = impl_->worldEvents.begin();
    now_ = std::max(now_, next->first);
    std::function<void()> event = std::move(next->second);
    impl_->worldEvents.erase(next);
    event();
  }
  now_ = std::max(now_, target);
}

void SimulatedMachine::ScheduleWorldEvent(std::uint64_t atMs, std::function<void()> event) {
  if (atMs <= now_) {
    event();  // already due: the world changes now
    return;
  }
  impl_->worldEvents.emplace(atMs, std::move(event));
}

void SimulatedMachine::ScheduleUserAction(std::uint64_t atMs, std::function<void()> action) {
  const std::uint64_t sequence = impl_->nextSequence++;
  impl_->actions.emplace(sequence, std::move(action));
  Enqueue(impl_->queue, {std::max(atMs, now_), sequence, false, false});
}

void SimulatedMachine::PostQuit() {
  Enqueue(impl_->queue, {now_, impl_->nextSequence++, true, false});
}

bool SimulatedMachine::QuitPending() const {
  return std::any_of(impl_->queue.begin(), impl_->queue.end(),
                     [](const QueuedMessage& m) { return m.quit; });
}

int SimulatedMachine::PendingMessageCount() const {
  return static_cast<int>(std::count_if(impl_->queue.begin(), impl_->queue.end(),
                                        [this](const QueuedMessage& m) { return m.time <= now_; }));
}

std::uint32_t SimulatedMachine::GetTickCount() {
  ++callCounts["GetTickCount"];
  return static_cast<std::uint32_t>(tickStart_ + now_);
}

Handle SimulatedMachine::CreateWaitableTimerA(bool /*manualReset*/) {
  ++callCounts["CreateWaitableTimerA"];
  if (timerCreateFails) return 0;
  HandleObject timer;
  timer.kind = HandleObject::Kind::Timer;
  return impl_->AddHandle(std::move(timer));
}

bool SimulatedMachine::SetWaitableTimer(Handle timer, std::int64_t dueTime, std::int32_t /*period*/,
                                        bool /*resume*/) {
  ++callCounts["SetWaitableTimer"];
  timerDueTimes.push_back(dueTime);
  HandleObject* object = impl_->Find(timer, HandleObject::Kind::Timer);
  if (timerSetFails || object == nullptr) return false;
  object->timerSet = true;
  // Negative: relative, in 100-ns units, rounded up to whole milliseconds. Zero or positive is
  // an absolute time long past in the virtual clock's terms: due at once.
  const std::uint64_t relativeMs =
      dueTime < 0 ? (static_cast<std::uint64_t>(-(dueTime + 1)) + 1 + 9999) / 10000 : 0;
  object->timerDue = now_ + relativeMs;
  return true;
}

std::uint32_t SimulatedMachine::MsgWaitForMultipleObjects(std::uint32_t count,
                                                          const Handle* handles, bool waitAll,
                                                          std::uint32_t milliseconds,
                                                          std::uint32_t wakeMask) {
  ++callCounts["MsgWaitForMultipleObjects"];
  waitCalls.push_back({count, waitAll, milliseconds, wakeMask});
  if (waitFails || (count > 0 && handles == nullptr)) return kWaitFailed;
  const std::uint64_t deadline = milliseconds == kInfinite ? kNever : now_ + milliseconds;
  for (;;) {
    // A signalled timer wins over input, as the lower wait index does on Windows.
    for (std::uint32_t i = 0; i < count; ++i) {
      HandleObject* timer = impl_->Find(handles[i], HandleObject::Kind::Timer);
      if (timer != nullptr && timer->timerSet && timer->timerDue <= now_) {
        timer->timerSet = false;  // auto-reset
        return kWaitObject0 + i;
      }
    }
    bool newInput = false;
    for (QueuedMessage& message : impl_->queue) {
      if (message.time <= now_ && !message.seen && (wakeMask & kQsAllButRawInput) != 0) {
        message.seen = true;
        newInput = true;
      }
    }
    if (newInput) return kWaitObject0 + count;
    if (now_ >= deadline) return kWaitTimeout;

    std::uint64_t next = deadline;
    for (std::uint32_t i = 0; i < count; ++i) {
      const HandleObject* timer = impl_->Find(handles[i], HandleObject::Kind::Timer);
      if (timer != nullptr && timer->timerSet) next = std::min(next, timer->timerDue);
    }
    for (const QueuedMessage& message : impl_->queue) {
      if (!message.seen && message.time > now_) next = std::min(next, message.time);
    }
    if (!impl_->worldEvents.empty()) next = std::min(next, impl_->worldEvents.begin()->first);
    if (next == kNever) {
      ++endlessWaits;  // nothing could ever end this wait: report it instead of hanging
      return kWaitFailed;
    }
    Advance(next - now_);
  }
}

bool SimulatedMachine::PeekMessageW(Message& message, bool remove) {
  ++callCounts["PeekMessageW"];
  // Looking at the queue makes everything in it old news for the next wait.
  for (QueuedMessage& queued : impl_->queue) {
    if (queued.time <= now_) queued.seen = true;
  }
  if (impl_->queue.empty() || impl_->queue.front().time > now_) return false;
  const QueuedMessage front = impl_->queue.front();
  message = Message{};
  message.message = front.quit ? kWmQuit : kUserActionMessage;
  message.wParam = static_cast<std::uintptr_t>(front.sequence);
  message.time = static_cast<std::uint32_t>(tickStart_ + now_);
  if (remove) impl_->queue.erase(impl_->queue.begin());
  return true;
}

bool SimulatedMachine::PreTranslateMessage(Message& /*message*/) {
  ++callCounts["PreTranslateMessage"];
  return false;
}

void SimulatedMachine::TranslateMessage(const Message& /*message*/) {
  ++callCounts["TranslateMessage"];
}

void SimulatedMachine::DispatchMessageW(const Message& message) {
  ++callCounts["DispatchMessageW"];
  ++dispatchedMessages;
  if (message.message != kUserActionMessage) return;
  const auto it = impl_->actions.find(message.wParam);
  if (it == impl_->actions.end()) return;
  // Taken out before it runs: the action may dispatch messages itself, nested.
  std::function<void()> action = std::move(it->second);
  impl_->actions.erase(it);
  action();
}

}  // namespace svcman::fake
