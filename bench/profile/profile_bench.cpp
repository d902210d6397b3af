// Load and save of a full keyboard profile (the shipped default: 170 keys,
// 170 custom colours). Goal: under 1 ms each.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <string>

#include "platform/paths.h"
#include "platform/settings_file.h"
#include "profile/data_folders.h"
#include "profile/keyboard_profile.h"

namespace {

// base "/tmp" is a disk here, so a save includes the flush to disk that
// keeps profiles safe from power loss; "/dev/shm" shows the document's own
// work without it.
std::string ProfileCopy(const std::string& base = "/tmp") {
  std::string folder = base + "/tarn-bench-profile-" + std::to_string(getpid()) + "/";
  tarn::EnsureFolder(folder);
  std::string bytes;
  tarn::ReadWholeFile(tarn::GetDefaultProfilePath("keyboard"), bytes);
  tarn::WriteFileAtomically(folder + "p.Json", bytes);
  return folder + "p.Json";
}

void BM_LoadKeyboardProfile(benchmark::State& state) {
  std::string path = ProfileCopy();
  tarn::CKeyboardProfiledata doc;
  doc.SetDefaultProfilePath(tarn::GetDefaultProfilePath("keyboard"));
  doc.SetProfilePath(path);
  for (auto _ : state) {
    doc.Load();
    benchmark::DoNotOptimize(doc.GetLightInfo());
    benchmark::DoNotOptimize(doc.GetKeyList());
    benchmark::DoNotOptimize(doc.GetLightList());
    benchmark::DoNotOptimize(doc.GetKeyboardStages());
    benchmark::DoNotOptimize(doc.GetCustomLightColors(0, 170));
  }
  if (doc.GetKeyList().size() != 170) state.SkipWithError("the default keyboard profile did not load");
}
BENCHMARK(BM_LoadKeyboardProfile)->Unit(benchmark::kMicrosecond);

void BM_SaveKeyboardProfile(benchmark::State& state) {
  std::string path = ProfileCopy(state.range(0) == 0 ? "/tmp" : "/dev/shm");
  tarn::CKeyboardProfiledata doc;
  doc.SetProfilePath(path);
  doc.Load();
  tarn::KeyList keys = doc.GetKeyList();
  for (auto _ : state) {
    doc.SetKeyList(keys);
    if (doc.Save() != 0) state.SkipWithError("save failed");
  }
}
// Argument 0: on disk, 1: in memory.
BENCHMARK(BM_SaveKeyboardProfile)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
