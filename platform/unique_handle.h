// One owner per kernel handle taken through the system seam: closed exactly once, on every path.
#pragma once

#include <utility>

#include "platform/system.h"

namespace svcman {

class UniqueHandle {
 public:
  // invalid is the value that means "no handle" for the call that produced it: 0 for
  // OpenProcess and timers, kInvalidHandleValue for a toolhelp snapshot.
  UniqueHandle(System& system, Handle handle, Handle invalid = 0)
      : system_(&system), handle_(handle), invalid_(invalid) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept
      : system_(other.system_),
        handle_(std::exchange(other.handle_, other.invalid_)),
        invalid_(other.invalid_) {}
  UniqueHandle& operator=(UniqueHandle&&) = delete;
  ~UniqueHandle() {
    if (valid()) system_->CloseHandle(handle_);
  }

  bool valid() const { return handle_ != invalid_; }
  Handle get() const { return handle_; }

 private:
  System* system_;
  Handle handle_;
  Handle invalid_;
};

}  // namespace svcman
