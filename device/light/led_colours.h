#pragma once
// A device's LED colour entries (red, green, blue, brightness). The light
// thread and the synchronised lighting write them while the UI thread reads
// them for the screen and the device frame: each entry is one atomic word,
// so a reader never sees a torn entry and the writer never waits.
#include <array>
#include <atomic>
#include <cstdint>

#include "profile/profile_records.h"

namespace tarn::light {

inline constexpr unsigned kMaxLeds = 170;

using LedSnapshot = std::array<LightColor, kMaxLeds>;

class CLedColours {
 public:
  CLedColours() { Clear(); }
  CLedColours(const CLedColours&) = delete;
  CLedColours& operator=(const CLedColours&) = delete;

  static constexpr unsigned Count() { return kMaxLeds; }

  // Stores an entry when the index is valid.
  void Set(unsigned index, LightColor colour) {
    if (index < kMaxLeds) m_entries[index].store(Pack(colour), std::memory_order_relaxed);
  }
  // The entry, or all zero for an invalid index.
  LightColor Get(unsigned index) const {
    return index < kMaxLeds ? Unpack(m_entries[index].load(std::memory_order_relaxed)) : LightColor{};
  }
  void Clear() {
    for (auto& e : m_entries) e.store(0, std::memory_order_relaxed);
  }
  LedSnapshot Snapshot() const {
    LedSnapshot out;
    for (unsigned i = 0; i < kMaxLeds; ++i) out[i] = Unpack(m_entries[i].load(std::memory_order_relaxed));
    return out;
  }

  static uint32_t Pack(LightColor c) {
    return static_cast<uint32_t>(c.red) | (static_cast<uint32_t>(c.green) << 8) |
           (static_cast<uint32_t>(c.blue) << 16) | (static_cast<uint32_t>(c.alpha) << 24);
  }
  static LightColor Unpack(uint32_t w) {
    return LightColor{static_cast<uint8_t>(w), static_cast<uint8_t>(w >> 8), static_cast<uint8_t>(w >> 16),
                      static_cast<uint8_t>(w >> 24)};
  }

 private:
  std::array<std::atomic<uint32_t>, kMaxLeds> m_entries;
};

}  // namespace tarn::light
