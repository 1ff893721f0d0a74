// The simulated machine's private state, shared by the files that implement its parts.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "tests/fakes/simulated_machine.h"

namespace svcman::fake {

struct HandleObject {
  enum class Kind { Snapshot, Process, Timer };
  Kind kind = Kind::Process;
  // Snapshot: a copy of the process list taken when the snapshot was made.
  std::vector<ProcessEntry> entries;
  std::size_t cursor = 0;
  // Process: which one, and the access it was opened with.
  ProcessId process = 0;
  std::uint32_t access = 0;
  // Timer: signalled once the clock reaches due.
  bool timerSet = false;
  std::uint64_t timerDue = 0;
};

// One message in the tool's queue: a user action or the quit message. It is pending once the
// clock reaches time; it wakes a wait only while nobody has looked at the queue since it came.
struct QueuedMessage {
  std::uint64_t time = 0;
  std::uint64_t sequence = 0;
  bool quit = false;
  bool seen = false;
};

struct SimulatedMachine::Impl {
  std::map<Handle, HandleObject> handles;
  Handle nextHandle = 0x100;
  ProcessId nextProcessId = 1000;
  WindowHandle nextWindow = 0x10010;
  std::uint64_t nextSequence = 1;
  std::multimap<std::uint64_t, std::function<void()>> worldEvents;
  std::vector<QueuedMessage> queue;                        // ordered by time, then sequence
  std::map<std::uint64_t, std::function<void()>> actions;  // by sequence, until dispatched

  Handle AddHandle(HandleObject object) {
    const Handle handle = nextHandle;
    nextHandle += 4;
    handles.emplace(handle, std::move(object));
    return handle;
  }
  HandleObject* Find(Handle handle, HandleObject::Kind kind) {
    const auto it = handles.find(handle);
    return it != handles.end() && it->second.kind == kind ? &it->second : nullptr;
  }
};

// Lays out a process's memory (PEB, parameters, strings) for a reader of the given pointer width.
void BuildMemoryImage(SimulatedProcess& process, int pointerSize);

}  // namespace svcman::fake
