// The simulated machine's file system: Windows paths (backslashes) map onto real files
// (slashes), so configuration tests read real files in a temporary directory.
#include <sys/stat.h>

#include <fstream>
#include <iterator>

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
  contents.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

}  // namespace svcman::fake
