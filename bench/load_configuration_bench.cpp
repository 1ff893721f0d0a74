// How loading a large configuration file compares with the least any loader must do: read the
// file and cut it into lines. Writes files of 10^4, 10^5 and 10^6 service lines to a temporary
// folder and, over the simulated machine's file system, measures per line:
//   floor      reading the file and cutting it into lines, nothing else;
//   catalogue  reading, parsing and sorting into the catalogue (ParseConfiguration, SortById);
//   load       the whole LoadConfiguration into a fresh catalogue and in-memory window.
// Each figure is the best of a few runs, each in a freshly forked process, because the tool
// loads once, at start-up, into a fresh heap; timing is the process's CPU time (user and
// system, page faults included), so other work on a shared machine does not count.
//
// Reproduce:
//   cmake --preset native -B build/native && cmake --build build/native -j2
//   build/native/bench/load_configuration_bench
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/configuration.h"
#include "catalogue/service_catalogue.h"
#include "tests/fakes/memory_window.h"
#include "tests/fakes/simulated_machine.h"

namespace svcman {
namespace {

// Ids in file order either ascending or scattered with repeats (about two lines per id), so
// the sort has real work to do.
std::string MakeConfiguration(std::size_t lines, bool scattered) {
  std::string text = "\xB1\xEA\xCC\xE2=Benchmark servers\r\n";
  text.reserve(lines * 64);
  const std::uint64_t ids = std::max<std::uint64_t>(1, lines / 2);
  for (std::size_t i = 0; i < lines; ++i) {
    const std::uint64_t id = scattered ? (i * 2654435761u) % ids : i;
    const std::string n = std::to_string(i);
    text += std::to_string(id) + ",Service " + n + ",D:\\srv\\bin" + std::to_string(i % 97) +
            "\\server" + n + ".exe,-port " + std::to_string(7000 + i % 1000) + " -zone " + n +
            "\r\n";
  }
  return text;
}

double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Runs work in a forked child and returns the CPU seconds it reported, or a negative value
// when the child failed or work found a wrong result (work returns false).
double InFreshProcess(const std::function<bool()>& work) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return -1;
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    close(pipeEnds[0]);
    const double start = CpuSeconds();
    const bool right = work();
    const double seconds = right ? CpuSeconds() - start : -1;
    const bool written = write(pipeEnds[1], &seconds, sizeof seconds) == sizeof seconds;
    _exit(written ? 0 : 1);
  }
  close(pipeEnds[1]);
  double seconds = -1;
  if (child < 0 || read(pipeEnds[0], &seconds, sizeof seconds) != sizeof seconds) seconds = -1;
  close(pipeEnds[0]);
  int status = 0;
  if (child > 0) waitpid(child, &status, 0);
  return seconds;
}

// Read and cut into lines, nothing else: the floor every loader stands on.
bool ReadAndSplit(fake::SimulatedMachine& machine, const std::string& path, std::size_t lines) {
  std::string contents;
  if (!machine.ReadWholeFile(path, contents)) return false;
  std::vector<std::string_view> found;
  const std::string_view text(contents);
  std::size_t from = 0;
  for (std::size_t at; (at = text.find("\r\n", from)) != std::string_view::npos; from = at + 2) {
    found.push_back(text.substr(from, at - from));
  }
  if (from < text.size()) found.push_back(text.substr(from));
  return found.size() == lines + 1;
}

bool ReadAndCatalogue(fake::SimulatedMachine& machine, const std::string& path, std::size_t lines) {
  std::string contents;
  if (!machine.ReadWholeFile(path, contents)) return false;
  ServiceCatalogue catalogue;
  std::string caption;
  ParseConfiguration(contents, catalogue, caption);
  catalogue.SortById();
  return catalogue.Count() == static_cast<int>(lines);
}

bool Load(fake::SimulatedMachine& machine, std::size_t lines) {
  ServiceCatalogue catalogue;
  fake::MemoryWindow window;
  LoadConfiguration(catalogue, window, machine);
  return catalogue.Count() == static_cast<int>(lines) &&
         window.RowCount() == static_cast<int>(lines);
}

double Best(int rounds, const std::function<bool()>& work) {
  double best = -1;
  for (int round = 0; round < rounds; ++round) {
    const double seconds = InFreshProcess(work);
    if (seconds < 0) return -1;
    best = best < 0 ? seconds : std::min(best, seconds);
  }
  return best;
}

int Run() {
  std::string pattern = (std::filesystem::temp_directory_path() / "svcman-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return 1;
  const std::filesystem::path directory = pattern;
  fake::SimulatedMachine machine;
  machine.executableDirectory = directory.string();
  const std::string path = directory.string() + "\\Kelconfig.ini";

  std::printf("%9s %10s %8s %10s %8s %6s %6s\n", "lines", "ids", "floor", "catalogue", "load",
              "cat/fl", "load/fl");
  std::printf("%9s %10s %8s %10s %8s\n", "", "", "ns/line", "ns/line", "ns/line");
  int status = 0;
  for (const std::size_t lines : {std::size_t{10000}, std::size_t{100000}, std::size_t{1000000}}) {
    for (const bool scattered : {false, true}) {
      {
        const std::string text = MakeConfiguration(lines, scattered);
        std::ofstream(directory / "Kelconfig.ini", std::ios::binary)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
      }
      const int rounds = lines >= 1000000 ? 3 : 5;
      const double floor = Best(rounds, [&] { return ReadAndSplit(machine, path, lines); });
      const double catalogue = Best(rounds, [&] { return ReadAndCatalogue(machine, path, lines); });
      const double load = Best(rounds, [&] { return Load(machine, lines); });
      if (floor <= 0 || catalogue < 0 || load < 0) {
        std::printf("%9zu: a run failed or gave a wrong result\n", lines);
        status = 1;
        continue;
      }
      const double perLine = 1e9 / static_cast<double>(lines);
      std::printf("%9zu %10s %8.1f %10.1f %8.1f %6.2f %6.2f\n", lines,
                  scattered ? "scattered" : "ascending", floor * perLine, catalogue * perLine,
                  load * perLine, catalogue / floor, load / floor);
    }
  }
  std::filesystem::remove_all(directory);
  std::printf(
      "\nreproduce: cmake --preset native -B build/native && cmake --build build/native -j2 "
      "--target load_configuration_bench && build/native/bench/load_configuration_bench\n");
  return status;
}

}  // namespace
}  // namespace svcman

int main() {
  return svcman::Run();
}
