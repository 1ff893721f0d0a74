// The simulated machine's process memory and the ntdll services that read it. Each process
// carries a PEB, process parameters and the command line's UTF-16 code units at addresses far
// apart (above 4 GB in the 64-bit layout), so a reader that truncates or mixes up offsets fails.
#include <algorithm>
#include <cstring>

#include "tests/fakes/simulated_code_page.h"
#include "tests/fakes/simulated_machine.h"
#include "tests/fakes/simulated_machine_impl.h"

namespace svcman::fake {
namespace {

struct Layout {
  std::uint32_t pebSize;
  std::uint32_t parametersOffset;  // of PEB.ProcessParameters
  std::uint32_t imagePathOffset;   // of RTL_USER_PROCESS_PARAMETERS.ImagePathName
  std::uint32_t commandLineOffset;
  std::uint32_t pointerSize;
};
constexpr Layout kLayout64{0x380, 0x20, 0x60, 0x70, 8};
constexpr Layout kLayout32{0x250, 0x10, 0x38, 0x40, 4};

const Layout& LayoutFor(int pointerSize) {
  return pointerSize == 8 ? kLayout64 : kLayout32;
}

void Put(std::string& bytes, std::size_t offset, std::uint64_t value, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) {
    bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  }
}

// A UNICODE_STRING: Length, MaximumLength, padding to the pointer, Buffer.
void PutUnicodeString(std::string& bytes, std::size_t offset, const Layout& layout,
                      std::uint16_t length, std::uint64_t buffer) {
  Put(bytes, offset, length, 2);
  Put(bytes, offset + 2, length + 2u, 2);
  Put(bytes, offset + layout.pointerSize, buffer, layout.pointerSize);
}

std::string Utf16Bytes(const std::string& text) {
  std::string bytes;
  for (char16_t unit : Cp936ToUtf16(text)) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

// Length is 16 bits: a longer string is cut as Windows would refuse to make it longer.
std::uint16_t StringLength(const std::string& utf16) {
  return static_cast<std::uint16_t>(std::min<std::size_t>(utf16.size(), 0xFFFE));
}

std::uint64_t BaseAddress(ProcessId id, int pointerSize) {
  if (pointerSize == 8) return 0x0000020000000000ull + (static_cast<std::uint64_t>(id) << 24);
  return 0x10000000ull + (static_cast<std::uint64_t>(id) % 0x6000) * 0x10000;
}

// Which part of the walk an address belongs to, for the failure injected at that step.
bool ReadFails(const SimulatedProcess& process, std::uint64_t address) {
  switch (process.readFailure) {
    case ReadFailure::ReadPeb:
      return address >= process.pebAddress && address < process.pebAddress + 0x1000;
    case ReadFailure::ReadParameters:
      return address >= process.parametersAddress && address < process.parametersAddress + 0x1000;
    case ReadFailure::ReadCommandLine:
      return address >= process.commandLineAddress &&
             address < process.commandLineAddress + 0x20000;
    default:
      return false;
  }
}

NtStatus ReadRegion(const SimulatedProcess& process, std::uint64_t address, void* buffer,
                    std::uint64_t size) {
  if (size == 0) return 0;
  if (ReadFails(process, address)) return kStatusAccessViolation;
  auto it = process.memory.upper_bound(address);
  if (it == process.memory.begin()) return kStatusAccessViolation;
  --it;
  const std::uint64_t offset = address - it->first;
  if (offset >= it->second.size() || size > it->second.size() - offset) return kStatusPartialCopy;
  std::memcpy(buffer, it->second.data() + offset, static_cast<std::size_t>(size));
  return 0;
}

}  // namespace

void BuildMemoryImage(SimulatedProcess& process, int pointerSize) {
  const Layout& layout = LayoutFor(pointerSize);
  const std::uint64_t base = BaseAddress(process.id, pointerSize);
  process.memory.clear();
  process.pebAddress = base + 0x3000;
  process.parametersAddress = base + 0x8000;
  process.commandLineAddress = base + 0x40000;
  const std::uint64_t imagePathAddress = base + 0x20000;

  std::string peb(layout.pebSize, '\0');
  // Fields around ProcessParameters hold plausible non-zero values, so a reader that takes
  // the wrong one gets a wrong address, not a lucky zero.
  Put(peb, layout.parametersOffset - 2 * layout.pointerSize, base + 0x1400000, layout.pointerSize);
  Put(peb, layout.parametersOffset - layout.pointerSize, base + 0x500, layout.pointerSize);
  Put(peb, layout.parametersOffset, process.parametersAddress, layout.pointerSize);
  process.memory[process.pebAddress] = std::move(peb);

  const std::string imagePath = Utf16Bytes("C:\\programs\\" + process.imageName);
  const std::string commandLine = Utf16Bytes(process.commandLine);
  std::string parameters(0x400, '\0');
  PutUnicodeString(parameters, layout.imagePathOffset, layout, StringLength(imagePath),
                   imagePathAddress);
  PutUnicodeString(parameters, layout.commandLineOffset, layout, StringLength(commandLine),
                   process.commandLineAddress);
  process.memory[process.parametersAddress] = std::move(parameters);
  process.memory[imagePathAddress] = imagePath + std::string(2, '\0');
  process.memory[process.commandLineAddress] = commandLine + std::string(2, '\0');
}

void SimulatedMachine::WriteMemory(ProcessId id, std::uint64_t address, std::string bytes) {
  SimulatedProcess* process = FindProcess(id);
  if (process != nullptr) process->memory[address] = std::move(bytes);
}

void SimulatedMachine::SetCommandLineRecord(ProcessId id, std::uint16_t length,
                                            std::uint64_t buffer) {
  SimulatedProcess* process = FindProcess(id);
  if (process == nullptr) return;
  const Layout& layout = LayoutFor(TargetPointerSize());
  PutUnicodeString(process->memory[process->parametersAddress], layout.commandLineOffset, layout,
                   length, buffer);
}

NtStatus SimulatedMachine::RtlAdjustPrivilege(std::uint32_t /*privilege*/, bool /*enable*/,
                                              bool /*currentThread*/, bool* wasEnabled) {
  ++callCounts["RtlAdjustPrivilege"];
  if (wasEnabled != nullptr) *wasEnabled = false;
  return 0;
}

bool SimulatedMachine::HasWow64ReadServices() {
  ++callCounts["HasWow64ReadServices"];
  return wow64ReadServices;
}

int SimulatedMachine::NativePointerSize() {
  ++callCounts["NativePointerSize"];
  return nativePointerSize;
}

namespace {

// ProcessBasicInformation in the reader's layout: PebBaseAddress after ExitStatus (and its
// padding in the 64-bit layout).
NtStatus QueryBasicInformation(const SimulatedProcess* process, const HandleObject* handle,
                               std::uint32_t infoClass, void* buffer, std::uint32_t length,
                               int pointerSize) {
  if (handle == nullptr || process == nullptr) return kStatusInvalidHandle;
  if ((handle->access & 0x400) == 0) return kStatusAccessDenied;
  if (infoClass != 0) return kStatusNotImplemented;
  const std::uint32_t expected = pointerSize == 8 ? 48 : 24;
  if (length != expected || buffer == nullptr) return kStatusInfoLengthMismatch;
  if (!process->alive || process->readFailure == ReadFailure::QueryInformation) {
    return kStatusAccessDenied;
  }
  std::string info(expected, '\0');
  Put(info, pointerSize, process->pebAddress, pointerSize);
  Put(info, 4 * pointerSize, process->id, pointerSize);  // UniqueProcessId
  std::memcpy(buffer, info.data(), expected);
  return 0;
}

NtStatus ReadMemory(const SimulatedProcess* process, const HandleObject* handle,
                    std::uint64_t address, void* buffer, std::uint64_t size) {
  if (handle == nullptr || process == nullptr) return kStatusInvalidHandle;
  if ((handle->access & 0x10) == 0) return kStatusAccessDenied;
  if (!process->alive) return kStatusPartialCopy;
  if (buffer == nullptr && size != 0) return kStatusAccessViolation;
  return ReadRegion(*process, address, buffer, size);
}

}  // namespace

NtStatus SimulatedMachine::NtWow64QueryInformationProcess64(Handle process, std::uint32_t infoClass,
                                                            void* buffer, std::uint32_t length,
                                                            std::uint32_t* returnLength) {
  ++callCounts["NtWow64QueryInformationProcess64"];
  if (!wow64ReadServices) return kStatusNotImplemented;
  const HandleObject* handle = impl_->Find(process, HandleObject::Kind::Process);
  const NtStatus status = QueryBasicInformation(handle ? FindProcess(handle->process) : nullptr,
                                                handle, infoClass, buffer, length, 8);
  if (status == 0 && returnLength != nullptr) *returnLength = length;
  return status;
}

NtStatus SimulatedMachine::NtWow64ReadVirtualMemory64(Handle process, std::uint64_t address,
                                                      void* buffer, std::uint64_t size,
                                                      std::uint64_t* bytesRead) {
  ++callCounts["NtWow64ReadVirtualMemory64"];
  if (!wow64ReadServices) return kStatusNotImplemented;
  const HandleObject* handle = impl_->Find(process, HandleObject::Kind::Process);
  const NtStatus status =
      ReadMemory(handle ? FindProcess(handle->process) : nullptr, handle, address, buffer, size);
  if (bytesRead != nullptr) *bytesRead = status == 0 ? size : 0;
  return status;
}

NtStatus SimulatedMachine::NtQueryInformationProcess(Handle process, std::uint32_t infoClass,
                                                     void* buffer, std::uint32_t length,
                                                     std::uint32_t* returnLength) {
  ++callCounts["NtQueryInformationProcess"];
  const HandleObject* handle = impl_->Find(process, HandleObject::Kind::Process);
  const NtStatus status =
      QueryBasicInformation(handle ? FindProcess(handle->process) : nullptr, handle, infoClass,
                            buffer, length, nativePointerSize);
  if (status == 0 && returnLength != nullptr) *returnLength = length;
  return status;
}

NtStatus SimulatedMachine::NtReadVirtualMemory(Handle process, std::uint64_t address, void* buffer,
                                               std::uint64_t size, std::uint64_t* bytesRead) {
  ++callCounts["NtReadVirtualMemory"];
  NtStatus status = kStatusAccessViolation;
  // A 32-bit tool cannot even name an address above 4 GB with the native call.
  if (nativePointerSize == 8 || address + size <= 0x100000000ull) {
    const HandleObject* handle = impl_->Find(process, HandleObject::Kind::Process);
    status =
        ReadMemory(handle ? FindProcess(handle->process) : nullptr, handle, address, buffer, size);
  }
  if (bytesRead != nullptr) *bytesRead = status == 0 ? size : 0;
  return status;
}

}  // namespace svcman::fake
