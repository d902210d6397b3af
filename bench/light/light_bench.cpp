// Cost of the keyboard's software lighting, measured in one run:
//  - CPU time per second of the light thread in busy modes (ripples, the
//    audio visualisers fed like the main window feeds them) and in an idle
//    one (static); goal: under 1 % of one core in any mode;
//  - one device frame built from the LED entries; goal: under 20 us.
#include <benchmark/benchmark.h>
#include <time.h>

#include <array>
#include <chrono>
#include <thread>

#include "device/keyboard/light_engine.h"
#include "device/keyboard/light_frame.h"
#include "device/keyboard/light_thread.h"

namespace {

using namespace std::chrono_literals;
using tarn::keyboard::CKeyboardLightEngine;
using tarn::keyboard::CKeyboardLightThread;

double ProcessCpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Runs the light thread on the system clock for one second in a mode and
// reports the share of one core it used. Nothing else in the process works
// meanwhile except an audio feed every 30 ms (as the main window's spectrum
// messages arrive), so process CPU time is the thread's.
void LightThreadCpu(benchmark::State& state, uint8_t mode, uint8_t audioMode, bool feedAudio) {
  tarn::CSeededRandom random(1);
  CKeyboardLightEngine engine(tarn::SystemClock(), random);
  tarn::LightState s;
  s.selectItem = mode;
  s.light = 4;
  s.speed = 4;  // the fastest pace of every mode
  s.fx = 1;
  s.multiColor = 1;
  tarn::AudioLightState audio;
  audio.audioMode = audioMode;
  audio.sevenColorFlags = 1;
  // A full per-key list, so the per-key pass is part of every measurement.
  tarn::LightListEntry key;
  key.regMode = 9;  // present but without a per-key effect
  key.present = 1;
  engine.ApplyProfile(s, audio, std::vector<tarn::LightListEntry>(170, key), {});
  CKeyboardLightThread thread(engine, tarn::SystemClock(), [] { return true; }, [] { return false; });
  std::array<int32_t, 500> spectrum{};
  double cpuShare = 0;
  for (auto _ : state) {
    thread.Start();
    const double cpu0 = ProcessCpuSeconds();
    const auto t0 = std::chrono::steady_clock::now();
    int n = 0;
    while (std::chrono::steady_clock::now() - t0 < 1s) {
      if (feedAudio) {
        for (std::size_t i = 0; i < 25; ++i) spectrum[i] = static_cast<int32_t>((n * 37 + i * 151) % 2400);
        engine.OnAudioSpectrum(spectrum.data(), 500);
        if (mode == 8 && n % 10 == 0) engine.SeedRipple(51, 1);
        ++n;
      }
      std::this_thread::sleep_for(30ms);
    }
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    cpuShare = (ProcessCpuSeconds() - cpu0) / wall;
    thread.Stop();
  }
  state.counters["cpu_percent_of_core"] = cpuShare * 100.0;
  state.counters["goal_percent"] = 1.0;
}

void BM_LightThread_Static(benchmark::State& state) { LightThreadCpu(state, 6, 0, false); }
void BM_LightThread_Ripple(benchmark::State& state) { LightThreadCpu(state, 8, 0, true); }
void BM_LightThread_AudioRipple(benchmark::State& state) { LightThreadCpu(state, 29, 2, true); }
void BM_LightThread_AudioBars(benchmark::State& state) { LightThreadCpu(state, 29, 0, true); }
void BM_LightThread_Twinkle(benchmark::State& state) { LightThreadCpu(state, 22, 0, false); }
BENCHMARK(BM_LightThread_Static)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LightThread_Ripple)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LightThread_AudioRipple)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LightThread_AudioBars)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LightThread_Twinkle)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// One frame for the keyboard: snapshot the LED entries and build the 0x12
// payload, as every 5 ms refresh on a cable does.
void BM_BuildLightFrame(benchmark::State& state) {
  tarn::CManualClock clock;
  tarn::CSeededRandom random(1);
  CKeyboardLightEngine engine(clock, random);
  tarn::LightState s;
  s.selectItem = 4;
  s.light = 4;
  s.multiColor = 1;
  engine.ApplyProfile(s, {}, {}, {});
  uint32_t ticks = 100;
  engine.Pass(ticks);
  tarn::keyboard::KeyLedMap map;
  for (unsigned i = 0; i < map.size(); ++i) map[i] = static_cast<uint8_t>(i < 104 ? 103 - i : 255);
  for (auto _ : state) {
    const auto frame = tarn::keyboard::BuildLightFrame(engine.Leds().Snapshot(), map, 104);
    benchmark::DoNotOptimize(frame.data());
  }
  state.counters["goal_us"] = 20.0;
}
BENCHMARK(BM_BuildLightFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
