// Win32System, the kernel32 and ntdll part: processes, handles and another process's memory.
#include "platform/win32/win32_system.h"

#include <windows.h>
// windows.h first: tlhelp32.h needs its types.
#include <tlhelp32.h>

namespace svcman {
namespace {

using RtlAdjustPrivilegeFn = LONG(NTAPI*)(ULONG, BOOLEAN, BOOLEAN, PBOOLEAN);
using NtQueryInformationProcessFn = LONG(NTAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
using NtReadVirtualMemoryFn = LONG(NTAPI*)(HANDLE, PVOID, PVOID, SIZE_T, PSIZE_T);
using NtWow64QueryInformationProcess64Fn = LONG(NTAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
using NtWow64ReadVirtualMemory64Fn = LONG(NTAPI*)(HANDLE, ULONG64, PVOID, ULONG64, PULONG64);

constexpr LONG kStatusNotImplemented = static_cast<LONG>(0xC0000002);
constexpr LONG kStatusAccessViolation = static_cast<LONG>(0xC0000005);

HANDLE ToHandle(Handle handle) {
  return reinterpret_cast<HANDLE>(handle);
}
Handle FromHandle(HANDLE handle) {
  return reinterpret_cast<Handle>(handle);
}

// Casting through void(*)() is the one function pointer conversion GCC accepts silently.
template <typename Function>
Function As(void (*function)()) {
  return reinterpret_cast<Function>(function);
}

void (*Export(HMODULE module, const char* name))() {
  return module == nullptr ? nullptr : reinterpret_cast<void (*)()>(::GetProcAddress(module, name));
}

void CopyEntry(const PROCESSENTRY32W& from, ProcessEntry& to) {
  to.th32ProcessID = from.th32ProcessID;
  std::size_t length = 0;
  while (length < MAX_PATH && from.szExeFile[length] != L'\0') ++length;
  to.szExeFile.assign(reinterpret_cast<const char16_t*>(from.szExeFile), length);
}

}  // namespace

Win32System::Win32System() {
  // ntdll is in every process; the WoW64 pair exists only in the 32-bit ntdll of 64-bit Windows.
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  rtlAdjustPrivilege_ = Export(ntdll, "RtlAdjustPrivilege");
  ntQueryInformationProcess_ = Export(ntdll, "NtQueryInformationProcess");
  ntReadVirtualMemory_ = Export(ntdll, "NtReadVirtualMemory");
  ntWow64QueryInformationProcess64_ = Export(ntdll, "NtWow64QueryInformationProcess64");
  ntWow64ReadVirtualMemory64_ = Export(ntdll, "NtWow64ReadVirtualMemory64");
}

Handle Win32System::CreateToolhelp32Snapshot(std::uint32_t flags, ProcessId processId) {
  return FromHandle(::CreateToolhelp32Snapshot(flags, processId));
}

bool Win32System::Process32FirstW(Handle snapshot, ProcessEntry& entry) {
  PROCESSENTRY32W raw{};
  raw.dwSize = sizeof(raw);
  if (!::Process32FirstW(ToHandle(snapshot), &raw)) return false;
  CopyEntry(raw, entry);
  return true;
}

bool Win32System::Process32NextW(Handle snapshot, ProcessEntry& entry) {
  PROCESSENTRY32W raw{};
  raw.dwSize = sizeof(raw);
  if (!::Process32NextW(ToHandle(snapshot), &raw)) return false;
  CopyEntry(raw, entry);
  return true;
}

Handle Win32System::OpenProcess(std::uint32_t desiredAccess, bool inheritHandle,
                                ProcessId processId) {
  return FromHandle(::OpenProcess(desiredAccess, inheritHandle ? TRUE : FALSE, processId));
}

bool Win32System::TerminateProcess(Handle process, std::uint32_t exitCode) {
  return ::TerminateProcess(ToHandle(process), exitCode) == TRUE;
}

bool Win32System::CloseHandle(Handle handle) {
  return ::CloseHandle(ToHandle(handle)) != FALSE;
}

ProcessId Win32System::GetCurrentProcessId() {
  return ::GetCurrentProcessId();
}

std::uint32_t Win32System::GetTickCount() {
  return ::GetTickCount();
}

int Win32System::WideCharToMultiByte(std::uint32_t codePage, std::uint32_t flags,
                                     const char16_t* wide, int wideCount, char* multiByte,
                                     int multiByteSize) {
  return ::WideCharToMultiByte(codePage, flags, reinterpret_cast<LPCWCH>(wide), wideCount,
                               multiByte, multiByteSize, nullptr, nullptr);
}

NtStatus Win32System::RtlAdjustPrivilege(std::uint32_t privilege, bool enable, bool currentThread,
                                         bool* wasEnabled) {
  if (rtlAdjustPrivilege_ == nullptr) return kStatusNotImplemented;
  BOOLEAN previous = FALSE;
  const LONG status = As<RtlAdjustPrivilegeFn>(rtlAdjustPrivilege_)(
      privilege, enable ? TRUE : FALSE, currentThread ? TRUE : FALSE, &previous);
  if (wasEnabled != nullptr) *wasEnabled = previous != FALSE;
  return status;
}

bool Win32System::HasWow64ReadServices() {
  return ntWow64QueryInformationProcess64_ != nullptr && ntWow64ReadVirtualMemory64_ != nullptr;
}

NtStatus Win32System::NtWow64QueryInformationProcess64(Handle process, std::uint32_t infoClass,
                                                       void* buffer, std::uint32_t length,
                                                       std::uint32_t* returnLength) {
  if (ntWow64QueryInformationProcess64_ == nullptr) return kStatusNotImplemented;
  ULONG returned = 0;
  const LONG status = As<NtWow64QueryInformationProcess64Fn>(ntWow64QueryInformationProcess64_)(
      ToHandle(process), infoClass, buffer, length, &returned);
  if (returnLength != nullptr) *returnLength = returned;
  return status;
}

NtStatus Win32System::NtWow64ReadVirtualMemory64(Handle process, std::uint64_t address,
                                                 void* buffer, std::uint64_t size,
                                                 std::uint64_t* bytesRead) {
  if (ntWow64ReadVirtualMemory64_ == nullptr) return kStatusNotImplemented;
  ULONG64 read = 0;
  const LONG status = As<NtWow64ReadVirtualMemory64Fn>(ntWow64ReadVirtualMemory64_)(
      ToHandle(process), address, buffer, size, &read);
  if (bytesRead != nullptr) *bytesRead = read;
  return status;
}

NtStatus Win32System::NtQueryInformationProcess(Handle process, std::uint32_t infoClass,
                                                void* buffer, std::uint32_t length,
                                                std::uint32_t* returnLength) {
  if (ntQueryInformationProcess_ == nullptr) return kStatusNotImplemented;
  ULONG returned = 0;
  const LONG status = As<NtQueryInformationProcessFn>(ntQueryInformationProcess_)(
      ToHandle(process), infoClass, buffer, length, &returned);
  if (returnLength != nullptr) *returnLength = returned;
  return status;
}

NtStatus Win32System::NtReadVirtualMemory(Handle process, std::uint64_t address, void* buffer,
                                          std::uint64_t size, std::uint64_t* bytesRead) {
  if (ntReadVirtualMemory_ == nullptr) return kStatusNotImplemented;
  // The native call takes pointer-sized values: what does not fit cannot be named here.
  if constexpr (sizeof(SIZE_T) < sizeof(std::uint64_t)) {
    if (address > SIZE_MAX || size > SIZE_MAX) return kStatusAccessViolation;
  }
  SIZE_T read = 0;
  const LONG status = As<NtReadVirtualMemoryFn>(ntReadVirtualMemory_)(
      ToHandle(process), reinterpret_cast<PVOID>(static_cast<std::uintptr_t>(address)), buffer,
      static_cast<SIZE_T>(size), &read);
  if (bytesRead != nullptr) *bytesRead = read;
  return status;
}

int Win32System::NativePointerSize() {
  return static_cast<int>(sizeof(void*));
}

}  // namespace svcman
