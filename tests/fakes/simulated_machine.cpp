// Placeholder bodies so the fakes library links while the simulated machine is being written.
// Every one of them is replaced by the real simulation.
#include "tests/fakes/simulated_machine.h"

namespace svcman::fake {

struct SimulatedMachine::Impl {};

SimulatedMachine::SimulatedMachine() : impl_(std::make_unique<Impl>()) {}
SimulatedMachine::~SimulatedMachine() = default;

Handle SimulatedMachine::CreateToolhelp32Snapshot(std::uint32_t /*flags*/,
                                                  ProcessId /*processId*/) {
  return {};
}
bool SimulatedMachine::Process32FirstW(Handle /*snapshot*/, ProcessEntry& /*entry*/) {
  return {};
}
bool SimulatedMachine::Process32NextW(Handle /*snapshot*/, ProcessEntry& /*entry*/) {
  return {};
}
Handle SimulatedMachine::OpenProcess(std::uint32_t /*desiredAccess*/, bool /*inheritHandle*/,
                                     ProcessId /*processId*/) {
  return {};
}
bool SimulatedMachine::TerminateProcess(Handle /*process*/, std::uint32_t /*exitCode*/) {
  return {};
}
bool SimulatedMachine::CloseHandle(Handle /*handle*/) {
  return {};
}
ProcessId SimulatedMachine::GetCurrentProcessId() {
  return {};
}
std::uint32_t SimulatedMachine::GetTickCount() {
  return {};
}
int SimulatedMachine::WideCharToMultiByte(std::uint32_t /*codePage*/, std::uint32_t /*flags*/,
                                          const char16_t* /*wide*/, int /*wideCount*/,
                                          char* /*multiByte*/, int /*multiByteSize*/) {
  return {};
}
NtStatus SimulatedMachine::RtlAdjustPrivilege(std::uint32_t /*privilege*/, bool /*enable*/,
                                              bool /*currentThread*/, bool* /*wasEnabled*/) {
  return {};
}
bool SimulatedMachine::HasWow64ReadServices() {
  return {};
}
NtStatus SimulatedMachine::NtWow64QueryInformationProcess64(Handle /*process*/,
                                                            std::uint32_t /*infoClass*/,
                                                            void* /*buffer*/,
                                                            std::uint32_t /*length*/,
                                                            std::uint32_t* /*returnLength*/) {
  return {};
}
NtStatus SimulatedMachine::NtWow64ReadVirtualMemory64(Handle /*process*/, std::uint64_t /*address*/,
                                                      void* /*buffer*/, std::uint64_t /*size*/,
                                                      std::uint64_t* /*bytesRead*/) {
  return {};
}
NtStatus SimulatedMachine::NtQueryInformationProcess(Handle /*process*/,
                                                     std::uint32_t /*infoClass*/, void* /*buffer*/,
                                                     std::uint32_t /*length*/,
                                                     std::uint32_t* /*returnLength*/) {
  return {};
}
NtStatus SimulatedMachine::NtReadVirtualMemory(Handle /*process*/, std::uint64_t /*address*/,
                                               void* /*buffer*/, std::uint64_t /*size*/,
                                               std::uint64_t* /*bytesRead*/) {
  return {};
}
int SimulatedMachine::NativePointerSize() {
  return {};
}
WindowHandle SimulatedMachine::FindWindowExA(WindowHandle /*parent*/, WindowHandle /*childAfter*/,
                                             const char* /*className*/,
                                             const char* /*windowName*/) {
  return {};
}
int SimulatedMachine::IsWindow(WindowHandle /*window*/) {
  return {};
}
int SimulatedMachine::IsWindowVisible(WindowHandle /*window*/) {
  return {};
}
std::uint32_t SimulatedMachine::GetWindowThreadProcessId(WindowHandle /*window*/,
                                                         ProcessId* /*processId*/) {
  return {};
}
int SimulatedMachine::GetClassNameA(WindowHandle /*window*/, char* /*className*/,
                                    int /*maxCount*/) {
  return {};
}
int SimulatedMachine::ShowWindowAsync(WindowHandle /*window*/, int /*showCommand*/) {
  return {};
}
std::intptr_t SimulatedMachine::ShellExecuteA(WindowHandle /*window*/, const char* /*operation*/,
                                              const char* /*file*/, const char* /*parameters*/,
                                              const char* /*directory*/, int /*showCommand*/) {
  return {};
}
Handle SimulatedMachine::CreateWaitableTimerA(bool /*manualReset*/) {
  return {};
}
bool SimulatedMachine::SetWaitableTimer(Handle /*timer*/, std::int64_t /*dueTime*/,
                                        std::int32_t /*period*/, bool /*resume*/) {
  return {};
}
std::uint32_t SimulatedMachine::MsgWaitForMultipleObjects(std::uint32_t /*count*/,
                                                          const Handle* /*handles*/,
                                                          bool /*waitAll*/,
                                                          std::uint32_t /*milliseconds*/,
                                                          std::uint32_t /*wakeMask*/) {
  return {};
}
bool SimulatedMachine::PeekMessageW(Message& /*message*/, bool /*remove*/) {
  return {};
}
bool SimulatedMachine::PreTranslateMessage(Message& /*message*/) {
  return {};
}
void SimulatedMachine::TranslateMessage(const Message& /*message*/) {}
void SimulatedMachine::DispatchMessageW(const Message& /*message*/) {}

}  // namespace svcman::fake
