// Start-up cost of recognising running services: AdoptRunningInstances over 200 services and
// 2,000 simulated processes. Prints, per service, the simulated system calls the adoption makes
// and the wall time, so later changes can be compared.
//
//   cmake --preset native -B build/native && cmake --build build/native -j2 --target adoption_bench
//   build/native/bench/adoption_bench
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "catalogue/service_catalogue.h"
#include "control/instance_matching.h"
#include "control/tool_context.h"
#include "tests/fakes/memory_window.h"
#include "tests/fakes/simulated_machine.h"

namespace svcman {
namespace {

constexpr int kServices = 200;
constexpr int kProcessesPerImage = 10;  // 2,000 processes in all

// Every service shares its executable with nine other processes that run with other arguments.
// Half the services run; their own process comes last among its executable's, so every other
// candidate's command line is read first. Running services show a window unless hidden.
struct World {
  fake::SimulatedMachine machine;
  fake::MemoryWindow window;
  ServiceCatalogue catalogue;
  ToolContext tool{catalogue, window, machine};

  explicit World(bool windowsHidden) {
    for (int s = 0; s < kServices; ++s) {
      const std::string image = "server" + std::to_string(s) + ".exe";
      ServiceRecord record;
      record.id = s;
      record.path = "C:\\srv\\" + std::to_string(s) + "\\" + image;
      record.arguments = "-port " + std::to_string(7000 + s);
      record.imageName = image;
      catalogue.Append(record);
      window.AppendRow();
      for (int p = 0; p + 1 < kProcessesPerImage; ++p) {
        machine.AddProcess(image, "\"" + record.path + "\" -port 1" + std::to_string(p));
      }
      const std::string own = "\"" + record.path + "\" " + record.arguments;
      const ProcessId id = machine.AddProcess(image, s % 2 == 0 ? own : own + " -other");
      machine.AddWindow(id, "ServerWindow", !windowsHidden);
    }
  }

  void Reset() {
    for (int p = 1; p <= catalogue.Count(); ++p) {
      catalogue.At(p).processId = 0;
      catalogue.At(p).windowHandle = 0;
    }
  }
};

long Total(const std::map<std::string, long>& counts) {
  long total = 0;
  for (const auto& [name, count] : counts) total += count;
  return total;
}

void BM_AdoptRunningInstances(benchmark::State& state) {
  const bool windowsHidden = state.range(0) != 0;
  World world(windowsHidden);
  std::map<std::string, long> perRun;
  for (auto _ : state) {
    state.PauseTiming();
    world.Reset();
    const std::map<std::string, long> before = world.machine.callCounts;
    state.ResumeTiming();
    AdoptRunningInstances(world.tool);
    state.PauseTiming();
    perRun.clear();
    for (const auto& [name, count] : world.machine.callCounts) {
      const auto old = before.find(name);
      perRun[name] = count - (old == before.end() ? 0 : old->second);
    }
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kServices);
  state.counters["calls/service"] = static_cast<double>(Total(perRun)) / kServices;
  state.counters["s/service"] =
      benchmark::Counter(static_cast<double>(state.iterations() * kServices),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  static bool printed[2] = {false, false};
  if (!printed[windowsHidden ? 1 : 0]) {
    printed[windowsHidden ? 1 : 0] = true;
    std::printf("simulated calls per service, windows %s:\n", windowsHidden ? "hidden" : "shown");
    for (const auto& [name, count] : perRun) {
      std::printf("  %-36s %10.1f\n", name.c_str(), static_cast<double>(count) / kServices);
    }
  }
}

BENCHMARK(BM_AdoptRunningInstances)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("windowsHidden")
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace svcman

BENCHMARK_MAIN();
