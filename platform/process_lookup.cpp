#include "platform/process_lookup.h"

#include "platform/system.h"
#include "platform/text_conversion.h"
#include "platform/unique_handle.h"

namespace svcman {

std::string LowerCaseImageName(std::string_view name) {
  std::string lowered(name);
  for (std::size_t i = 0; i < lowered.size(); ++i) {
    const auto byte = static_cast<unsigned char>(lowered[i]);
    if (byte >= 0x80) {
      ++i;  // a two-byte character: its second byte may look like a letter but is not one
    } else if (byte >= 'A' && byte <= 'Z') {
      lowered[i] = static_cast<char>(byte + 0x20);
    }
  }
  return lowered;
}

int FindProcessesByImageName(System& system, const std::string& imageName,
                             std::vector<ProcessId>& ids) {
  UniqueHandle snapshot(system, system.CreateToolhelp32Snapshot(kTh32csSnapAll, 0),
                        kInvalidHandleValue);
  if (!snapshot.valid()) return -1;
  const std::string wanted = LowerCaseImageName(imageName);
  ProcessEntry entry;
  for (bool more = system.Process32FirstW(snapshot.get(), entry); more;
       more = system.Process32NextW(snapshot.get(), entry)) {
    // Names come in UTF-16 and are taken to code page 936 here, so a Chinese file name
    // matches the configuration whatever the system's own code page is.
    const std::string name = Utf16ToCodePage936(system, entry.szExeFile, 0);
    if (LowerCaseImageName(name) == wanted) ids.push_back(entry.th32ProcessID);
  }
  return static_cast<int>(ids.size());
}

}  // namespace svcman
