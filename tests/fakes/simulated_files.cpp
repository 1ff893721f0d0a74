// The simulated machine's file system: Windows paths (backslashes) map onto real files
// (slashes), so configuration tests read real files in a temporary directory.
#include <sys/stat.h>

#include <fstream>

#include "tests/fakes/simulated_machine.h"

namespace svcman::fake {
namespace {

std::string ToHostPath(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

}  // namespace

std::string SimulatedMachine::GetExecutableDirectory() {
  ++callCounts["GetExecutableDirectory"];
  return executableDirectory;
}

bool SimulatedMachine::SetCurrentDirectoryA(const std::string& path) {
  ++callCounts["SetCurrentDirectoryA"];
  currentDirectory = path;
  return true;
}

bool SimulatedMachine::PathExists(const std::string& path) {
  ++callCounts["PathExists"];
  struct stat info {};
  return ::stat(ToHostPath(path).c_str(), &info) == 0;
}

bool SimulatedMachine::ReadWholeFile(const std::string& path, std::string& contents) {
  ++callCounts["ReadWholeFile"];
  const std::string hostPath = ToHostPath(path);
  struct stat info {};
  if (::stat(hostPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  std::ifstream file(hostPath, std::ios::binary);
  if (!file) return false;
  // One read of the size the file has, so large configuration files cost what the disk costs;
  // a file that shrinks meanwhile is cut to what was actually read.
  contents.resize(static_cast<std::size_t>(info.st_size));
  file.read(contents.data(), static_cast<std::streamsize>(contents.size()));
  contents.resize(static_cast<std::size_t>(file.gcount()));
  return !file.bad();
}

}  // namespace svcman::fake
