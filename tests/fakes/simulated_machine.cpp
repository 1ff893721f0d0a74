// The simulated machine's process table, handles and kernel32 process calls.
#include "tests/fakes/simulated_machine.h"

#include <algorithm>

#include "tests/fakes/simulated_code_page.h"
#include "tests/fakes/simulated_machine_impl.h"

namespace svcman::fake {

SimulatedMachine::SimulatedMachine() : impl_(std::make_unique<Impl>()) {}
SimulatedMachine::~SimulatedMachine() = default;

ProcessId SimulatedMachine::AddProcess(const std::string& imageName, const std::string& commandLine,
                                       ProcessId id) {
  if (id == 0) {
    do {
      id = impl_->nextProcessId;
      impl_->nextProcessId += 4;
    } while (FindProcess(id) != nullptr);
  }
  // An id given again replaces the ended process that had it: Windows reuses ids.
  std::erase_if(processes_, [id](const SimulatedProcess& p) { return p.id == id; });
  SimulatedProcess process;
  process.id = id;
  process.imageName = imageName;
  process.commandLine = commandLine;
  BuildMemoryImage(process, TargetPointerSize());
  processes_.push_back(std::move(process));
  return id;
}

void SimulatedMachine::SetCommandLine(ProcessId id, const std::string& commandLine) {
  SimulatedProcess* process = FindProcess(id);
  if (process == nullptr) return;
  process->commandLine = commandLine;
  BuildMemoryImage(*process, TargetPointerSize());
}

void SimulatedMachine::SetBitness(bool hasWow64ReadServices, int toolPointerSize) {
  wow64ReadServices = hasWow64ReadServices;
  nativePointerSize = toolPointerSize;
  for (SimulatedProcess& process : processes_) BuildMemoryImage(process, TargetPointerSize());
}

void SimulatedMachine::EndProcess(ProcessId id) {
  SimulatedProcess* process = FindProcess(id);
  if (process == nullptr) return;
  process->alive = false;
  std::erase_if(windows_, [id](const SimulatedWindow& w) { return w.owner == id; });
}

SimulatedProcess* SimulatedMachine::FindProcess(ProcessId id) {
  const auto it = std::find_if(processes_.begin(), processes_.end(),
                               [id](const SimulatedProcess& p) { return p.id == id; });
  return it == processes_.end() ? nullptr : &*it;
}

bool SimulatedMachine::IsAlive(ProcessId id) const {
  return std::any_of(processes_.begin(), processes_.end(),
                     [id](const SimulatedProcess& p) { return p.id == id && p.alive; });
}

std::vector<ProcessId> SimulatedMachine::ProcessIds() const {
  std::vector<ProcessId> ids;
  for (const SimulatedProcess& process : processes_) {
    if (process.alive) ids.push_back(process.id);
  }
  return ids;
}

int SimulatedMachine::OpenHandleCount() const {
  return static_cast<int>(impl_->handles.size());
}

Handle SimulatedMachine::CreateToolhelp32Snapshot(std::uint32_t flags, ProcessId /*processId*/) {
  ++callCounts["CreateToolhelp32Snapshot"];
  snapshotFlags.push_back(flags);
  if (snapshotFails) return kInvalidHandleValue;
  HandleObject snapshot;
  snapshot.kind = HandleObject::Kind::Snapshot;
  for (const SimulatedProcess& process : processes_) {
    if (process.alive) snapshot.entries.push_back({process.id, Cp936ToUtf16(process.imageName)});
  }
  return impl_->AddHandle(std::move(snapshot));
}

bool SimulatedMachine::Process32FirstW(Handle snapshot, ProcessEntry& entry) {
  ++callCounts["Process32FirstW"];
  HandleObject* object = impl_->Find(snapshot, HandleObject::Kind::Snapshot);
  if (object == nullptr) return false;
  object->cursor = 0;
  if (object->entries.empty()) return false;
  entry = object->entries[0];
  return true;
}

bool SimulatedMachine::Process32NextW(Handle snapshot, ProcessEntry& entry) {
  ++callCounts["Process32NextW"];
  HandleObject* object = impl_->Find(snapshot, HandleObject::Kind::Snapshot);
  if (object == nullptr || object->cursor + 1 >= object->entries.size()) return false;
  entry = object->entries[++object->cursor];
  return true;
}

Handle SimulatedMachine::OpenProcess(std::uint32_t desiredAccess, bool inheritHandle,
                                     ProcessId processId) {
  ++callCounts["OpenProcess"];
  openProcessCalls.push_back({desiredAccess, inheritHandle, processId});
  const SimulatedProcess* process = FindProcess(processId);
  if (process == nullptr || !process->alive) return 0;
  const bool forReading = (desiredAccess & kProcessQueryAndRead) != 0;
  if (forReading && process->readFailure == ReadFailure::Open) return 0;
  HandleObject object;
  object.kind = HandleObject::Kind::Process;
  object.process = processId;
  object.access = desiredAccess;
  return impl_->AddHandle(std::move(object));
}

bool SimulatedMachine::TerminateProcess(Handle process, std::uint32_t exitCode) {
  ++callCounts["TerminateProcess"];
  const HandleObject* object = impl_->Find(process, HandleObject::Kind::Process);
  if (object == nullptr || (object->access & kProcessTerminate) == 0) return false;
  terminateRequests.push_back(object->process);
  SimulatedProcess* target = FindProcess(object->process);
  if (target == nullptr || !target->alive || !target->terminable) return false;
  target->exitCode = exitCode;
  EndProcess(target->id);
  return true;
}

bool SimulatedMachine::CloseHandle(Handle handle) {
  ++callCounts["CloseHandle"];
  if (impl_->handles.erase(handle) == 0) {
    ++closeOfInvalidHandle;
    return false;
  }
  return true;
}

ProcessId SimulatedMachine::GetCurrentProcessId() {
  ++callCounts["GetCurrentProcessId"];
  return toolProcessId;
}

int SimulatedMachine::WideCharToMultiByte(std::uint32_t codePage, std::uint32_t /*flags*/,
                                          const char16_t* wide, int wideCount, char* multiByte,
                                          int multiByteSize) {
  ++callCounts["WideCharToMultiByte"];
  if (codePage != kCodePage936 || wide == nullptr || wideCount < 0 || multiByteSize < 0) return 0;
  const std::string text = Utf16ToCp936(std::u16string_view(wide, wideCount));
  const int needed = static_cast<int>(text.size());
  if (multiByteSize == 0) return needed;
  if (multiByte == nullptr || multiByteSize < needed) return 0;  // ERROR_INSUFFICIENT_BUFFER
  std::copy(text.begin(), text.end(), multiByte);
  return needed;
}

}  // namespace svcman::fake
