// A buffer inside another process, for the messages whose arguments are pointers (list-view
// items and columns, header rectangles). Freed on destruction.
#pragma once

#include <windows.h>

#include <cstddef>

namespace svcman::e2e {

class RemoteBuffer {
 public:
  RemoteBuffer(DWORD processId, std::size_t size);
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  ~RemoteBuffer();

  bool valid() const { return address_ != nullptr; }
  // The address as the other process sees it, offset bytes in.
  void* at(std::size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
  bool Write(std::size_t offset, const void* data, std::size_t size) const;
  bool Read(std::size_t offset, void* data, std::size_t size) const;

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
};

}  // namespace svcman::e2e
