// A real folder for tests that read files through the simulated machine: made fresh, removed
// with everything in it when the owner goes.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace svcman::fake {

class TemporaryDirectory {
 public:
  TemporaryDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "svcman-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
  ~TemporaryDirectory() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }

  bool valid() const { return !path_.empty(); }
  const std::filesystem::path& path() const { return path_; }

  // Writes bytes exactly as given (no line-end translation); true when all were written.
  bool WriteFile(const std::string& name, const std::string& bytes) const {
    std::ofstream file(path_ / name, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.good();
  }

 private:
  std::filesystem::path path_;
};

}  // namespace svcman::fake
