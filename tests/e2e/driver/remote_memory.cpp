#include "tests/e2e/driver/remote_memory.h"

namespace svcman::e2e {

RemoteBuffer::RemoteBuffer(DWORD processId, std::size_t size) {
  process_ =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (process_ == nullptr) return;
  address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteBuffer::~RemoteBuffer() {
  if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  if (process_ != nullptr) CloseHandle(process_);
}

bool RemoteBuffer::Write(std::size_t offset, const void* data, std::size_t size) const {
  SIZE_T done = 0;
  return valid() && WriteProcessMemory(process_, at(offset), data, size, &done) && done == size;
}

bool RemoteBuffer::Read(std::size_t offset, void* data, std::size_t size) const {
  SIZE_T done = 0;
  return valid() && ReadProcessMemory(process_, at(offset), data, size, &done) && done == size;
}

}  // namespace svcman::e2e
