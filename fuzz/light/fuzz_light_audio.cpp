// Sound data arrive from another program: any count and any values. The
// input drives the sound-driven modes and the settings bytes; nothing may
// read outside a table or overflow.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "device/keyboard/light_engine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  tarn::CManualClock clock(data[0] * 1000u);
  tarn::CSeededRandom random(data[1]);
  tarn::keyboard::CKeyboardLightEngine engine(clock, random);
  tarn::LightState state;
  state.selectItem = data[2] % 2 ? 29 : 30;
  state.light = data[3];
  state.speed = data[4];
  state.fx = data[5];
  state.multiColor = data[6];
  tarn::AudioLightState audio;
  audio.audioMode = data[7];
  audio.sevenColorFlags = data[2] >> 1;
  engine.ApplyProfile(state, audio, {}, {});
  data += 8;
  size -= 8;
  while (size >= 4) {
    int32_t count;
    std::memcpy(&count, data, 4);
    data += 4;
    size -= 4;
    // Up to 32 values from the input; the buffer is as long as the main
    // window's, whatever count claims.
    const size_t n = size / 4 < 32 ? size / 4 : 32;
    std::vector<int32_t> values(500, 0);
    if (n != 0) std::memcpy(values.data(), data, n * 4);
    data += n * 4;
    size -= n * 4;
    if (count & 1)
      engine.OnAudioLevels(values.data(), count);
    else
      engine.OnAudioSpectrum(values.data(), count);
    uint32_t ticks = 2;
    engine.Pass(ticks);
    clock.Advance(static_cast<uint32_t>(count) & 0xFFF);
  }
  return 0;
}
