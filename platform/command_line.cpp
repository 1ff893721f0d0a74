#include "platform/command_line.h"

#include "platform/peb_walk.h"
#include "platform/system.h"
#include "platform/text_conversion.h"
#include "platform/unique_handle.h"

namespace svcman {
namespace {

constexpr std::uint32_t kProcessBasicInformation = 0;

// The PEB address from ProcessBasicInformation: after ExitStatus, padded to a pointer.
std::uint64_t PebAddressOf(const std::string& basicInformation, std::uint32_t pointerSize) {
  return LittleEndianField(basicInformation, pointerSize, pointerSize);
}

// A 32-bit tool on 64-bit Windows: the WoW64 services reach the target's 64-bit PEB.
std::optional<std::string> ReadThroughWow64(System& system, Handle process) {
  std::string info(48, '\0');
  if (system.NtWow64QueryInformationProcess64(process, kProcessBasicInformation, info.data(), 48,
                                              nullptr) != 0) {
    return std::nullopt;
  }
  return ReadCommandLineBytes(
      kPebLayout64, PebAddressOf(info, 8),
      [&system, process](std::uint64_t address, void* buffer, std::uint32_t size) {
        return system.NtWow64ReadVirtualMemory64(process, address, buffer, size, nullptr) == 0;
      });
}

// The tool's own bitness: a 64-bit tool reads 64-bit targets; a 32-bit tool without the WoW64
// services runs on 32-bit Windows, where every process has the 32-bit layout.
std::optional<std::string> ReadNatively(System& system, Handle process) {
  const PebLayout& layout = system.NativePointerSize() == 8 ? kPebLayout64 : kPebLayout32;
  const std::uint32_t infoBytes = layout.pointerSize * 6;
  std::string info(infoBytes, '\0');
  if (system.NtQueryInformationProcess(process, kProcessBasicInformation, info.data(), infoBytes,
                                       nullptr) != 0) {
    return std::nullopt;
  }
  return ReadCommandLineBytes(
      layout, PebAddressOf(info, layout.pointerSize),
      [&system, process](std::uint64_t address, void* buffer, std::uint32_t size) {
        return system.NtReadVirtualMemory(process, address, buffer, size, nullptr) == 0;
      });
}

}  // namespace

std::string ReadProcessCommandLine(System& system, ProcessId processId) {
  bool wasEnabled = false;
  system.RtlAdjustPrivilege(kSeDebugPrivilege, true, false, &wasEnabled);
  UniqueHandle process(system, system.OpenProcess(kProcessQueryAndRead, false, processId));
  if (!process.valid()) return {};
  const std::optional<std::string> bytes = system.HasWow64ReadServices()
                                               ? ReadThroughWow64(system, process.get())
                                               : ReadNatively(system, process.get());
  return bytes ? Utf16BytesToText(system, *bytes) : std::string();
}

std::string Utf16BytesToText(System& system, std::string_view bytes) {
  std::u16string units(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  }
  return Utf16ToCodePage936(system, units, kWcCompositeCheck);
}

}  // namespace svcman
