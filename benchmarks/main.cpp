// The benchmarks of every list operation against the cost of reading the list once.
//
//   cw_benchmarks [benchmark flags] [--cw_sizes=1000,10000] [--cw_repetitions=5]
//                 [--cw_large_repetitions=3] [--cw_min_time=0.1]
//   cw_benchmarks --cw_memory=100000,1000000   peak memory of each operation, one line each
//   cw_benchmarks --cw_list_operations         name, kind and title of each operation
//   cw_benchmarks --cw_profile=remove_group:100000:20   one operation run 20 times, for profilers
//
// Benchmarks are named "<operation>/<records>"; scripts/bench.sh turns their output into
// docs/benchmarks.md.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "list_box_names.h"
#include "operations.h"
#include "peak_memory.h"
#include "scene.h"
#include "ui/controls/list_box.h"

namespace cw::bench {

namespace {

constexpr std::int64_t kLargeList = 1'000'000;
constexpr int kListBoxNames = 100'000;

struct Options {
  std::vector<std::int64_t> sizes = {1'000, 10'000, 100'000, 1'000'000};
  std::vector<std::int64_t> memorySizes;
  int repetitions = 5;
  int largeRepetitions = 3;
  double minTime = 0.1;
  bool listOperations = false;
  std::string profile;  // operation:records:runs
};

std::vector<std::int64_t> parseSizes(const char* text) {
  std::vector<std::int64_t> sizes;
  for (const char* p = text; *p;) {
    char* end = nullptr;
    sizes.push_back(std::strtoll(p, &end, 10));
    p = (*end == ',') ? end + 1 : end;
    if (end == p && *p) break;
  }
  return sizes;
}

// Takes this program's own flags out of argv, leaving the library's.
Options parseOwnFlags(int& argc, char** argv) {
  Options options;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    auto value = [arg](const char* flag) -> const char* {
      std::size_t n = std::strlen(flag);
      return std::strncmp(arg, flag, n) == 0 && arg[n] == '=' ? arg + n + 1 : nullptr;
    };
    if (const char* v = value("--cw_sizes")) {
      options.sizes = parseSizes(v);
    } else if (const char* v = value("--cw_memory")) {
      options.memorySizes = parseSizes(v);
    } else if (const char* v = value("--cw_repetitions")) {
      options.repetitions = std::atoi(v);
    } else if (const char* v = value("--cw_large_repetitions")) {
      options.largeRepetitions = std::atoi(v);
    } else if (const char* v = value("--cw_min_time")) {
      options.minTime = std::atof(v);
    } else if (const char* v = value("--cw_profile")) {
      options.profile = v;
    } else if (std::strcmp(arg, "--cw_list_operations") == 0) {
      options.listOperations = true;
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  return options;
}

// One scene at a time: the benchmarks of one size run one after another.
Scene& sceneFor(std::int64_t records) {
  static std::unique_ptr<Scene> scene;
  static std::int64_t sceneRecords = -1;
  if (sceneRecords != records) {
    scene.reset();
    scene = std::make_unique<Scene>(records);
    sceneRecords = records;
  }
  return *scene;
}

const Operation& fieldReaderFloor() {
  for (const Operation& op : operations()) {
    if (op.name == "floor_field_reader") return op;
  }
  throw std::logic_error("no field reader floor");
}

void measureOperation(benchmark::State& state, const Operation* op, std::int64_t records) {
  static std::string fault;  // the library keeps the pointer it is given
  Scene* built = nullptr;
  try {
    built = &sceneFor(records);
  } catch (const std::exception& e) {
    fault = e.what();
    state.SkipWithError(fault.c_str());
    for (auto _ : state) {
    }
    return;
  }
  Scene& scene = *built;
  // A pass of the field reader right before each run: the ratio to it is measured under the
  // same load as the run itself, which the ratio of two medians taken minutes apart is not.
  const Operation* floor = op->kind == OperationKind::kFloor ? nullptr : &fieldReaderFloor();
  double seconds = 0;
  double cpuSeconds = 0;
  double floorSeconds = 0;
  for (auto _ : state) {
    RunResult beside;
    if (floor) beside = runOnce(scene, *floor);
    RunResult result = runOnce(scene, *op);
    if (result.fault.empty()) result.fault = beside.fault;
    if (!result.fault.empty()) {
      fault = op->name + ": " + result.fault;
      state.SkipWithError(fault.c_str());
      break;
    }
    state.SetIterationTime(result.seconds);
    seconds += result.seconds;
    cpuSeconds += result.cpuSeconds;
    floorSeconds += beside.seconds;
  }
  const auto bytes = static_cast<double>(scene.list().bytes);
  state.counters["cpu_ms"] =
      benchmark::Counter(cpuSeconds * 1e3, benchmark::Counter::kAvgIterations);
  if (floor && floorSeconds > 0) state.counters["paired_ratio"] = seconds / floorSeconds;
  state.counters["records"] = static_cast<double>(records);
  state.counters["file_bytes"] = bytes;
  state.counters["groups"] = static_cast<double>(scene.list().listedGroups);
  if (op->kind == OperationKind::kFloor) {
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
  }
}

// The sorted list box: names added one by one, then read once (which puts them in order).
void measureListBox(benchmark::State& state) {
  static const ui::ControlSpec spec{"lstbxBench", ui::ControlKind::kListBox, "", "", "", {}};
  const std::vector<std::string>& names = listBoxNames(kListBoxNames);
  for (auto _ : state) {
    auto box = std::make_unique<ui::ListBox>(spec);
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& name : names) box->addItem(name);
    const bool inOrder = box->items().size() == names.size();
    const auto stop = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    if (!inOrder) {
      state.SkipWithError("the list box lost names");
      break;
    }
    state.PauseTiming();
    box.reset();
    state.ResumeTiming();
  }
  state.counters["names"] = kListBoxNames;
}

void registerBenchmarks(const Options& options) {
  for (std::int64_t records : options.sizes) {
    for (const Operation& op : operations()) {
      std::string name = op.name + "/" + std::to_string(records);
      auto* b = benchmark::RegisterBenchmark(name.c_str(), measureOperation, &op, records);
      b->UseManualTime()->Unit(benchmark::kMillisecond);
      if (records >= kLargeList) {
        b->Iterations(1)->Repetitions(options.largeRepetitions);
      } else {
        b->MinTime(options.minTime)->Repetitions(options.repetitions);
      }
    }
  }
  benchmark::RegisterBenchmark(("listbox_insert/" + std::to_string(kListBoxNames)).c_str(),
                               measureListBox)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond)
      ->MinTime(options.minTime)
      ->Repetitions(options.repetitions);
}

int measureMemory(const Options& options) {
  std::printf("records\toperation\tbaseline_kib\tpeak_kib\tadded_kib\tlist_boxes_kib\tfault\n");
  for (std::int64_t records : options.memorySizes) {
    Scene& scene = sceneFor(records);
    for (const Operation& op : operations()) {
      PeakMemory memory = measurePeakMemory(scene, op);
      std::printf("%lld\t%s\t%lld\t%lld\t%lld\t%lld\t%s\n", static_cast<long long>(records),
                  op.name.c_str(), static_cast<long long>(memory.baselineKiB),
                  static_cast<long long>(memory.peakKiB), static_cast<long long>(memory.addedKiB()),
                  static_cast<long long>(memory.listBoxesKiB), memory.fault.c_str());
      std::fflush(stdout);
    }
  }
  return 0;
}

// Runs one operation a number of times with nothing else going on but its preparation.
int profileOperation(const std::string& request) {
  std::size_t first = request.find(':');
  std::size_t second = request.find(':', first + 1);
  if (first == std::string::npos || second == std::string::npos) {
    std::fprintf(stderr, "--cw_profile=operation:records:runs\n");
    return 2;
  }
  const std::string name = request.substr(0, first);
  const std::int64_t records = std::stoll(request.substr(first + 1, second - first - 1));
  const int runs = std::stoi(request.substr(second + 1));
  for (const Operation& op : operations()) {
    if (op.name != name) continue;
    Scene& scene = sceneFor(records);
    double total = 0;
    for (int i = 0; i < runs; ++i) {
      RunResult result = runOnce(scene, op);
      if (!result.fault.empty()) {
        std::fprintf(stderr, "%s: %s\n", name.c_str(), result.fault.c_str());
        return 1;
      }
      total += result.seconds;
    }
    std::printf("%s/%lld: %d runs, %.3f ms each\n", name.c_str(), static_cast<long long>(records),
                runs, total / runs * 1e3);
    return 0;
  }
  std::fprintf(stderr, "no operation %s\n", name.c_str());
  return 2;
}

int listOperations() {
  std::printf("name\tkind\ttitle\n");
  for (const Operation& op : operations()) {
    std::printf("%s\t%s\t%s\n", op.name.c_str(), kindName(op.kind), op.title.c_str());
  }
  return 0;
}

}  // namespace

}  // namespace cw::bench

int main(int argc, char** argv) {
  using namespace cw::bench;
  Options options = parseOwnFlags(argc, argv);
  if (options.listOperations) return listOperations();
  if (!options.profile.empty()) return profileOperation(options.profile);
  if (!options.memorySizes.empty()) return measureMemory(options);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  registerBenchmarks(options);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
