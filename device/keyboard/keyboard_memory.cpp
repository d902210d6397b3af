#include "device/keyboard/keyboard_memory.h"

#include "keyset/macro_references.h"
#include "profile/device_name_lists.h"

namespace tarn::keyboard {

uint8_t ModeCodeForIndex(unsigned modeIndex, const std::vector<int>& modeCodes) {
  return static_cast<uint8_t>(LightModeCode(modeCodes, static_cast<int>(modeIndex)));
}

uint8_t ModeIndexForCode(uint8_t code, const std::vector<int>& modeCodes, uint8_t current) {
  if (code == kHostDrivenModeCode) return current;
  return static_cast<uint8_t>(LightModeIndex(modeCodes, code));
}

std::array<uint8_t, kSettingsBlockSize> EncodeSettingsBlock(const std::array<uint8_t, kSettingsBlockSize>& lastRead,
                                                            uint8_t firstByte, const LightState& light,
                                                            const KeyboardStages& stages,
                                                            const std::vector<int>& modeCodes) {
  std::array<uint8_t, kSettingsBlockSize> block = lastRead;
  block[0] = firstByte;
  uint8_t code = ModeCodeForIndex(light.selectItem, modeCodes);
  // The host-driven modes are streamed frame by frame; the keyboard only
  // learns that the host is in charge.
  bool hostDriven = light.selectItem == 29 || light.selectItem == 30 || code == 29 || code == 30;
  block[1] = hostDriven ? kHostDrivenModeCode : code;
  block[2] = light.light;
  block[3] = static_cast<uint8_t>(4 - (light.speed > 4 ? 4 : light.speed));
  block[4] = light.fx;
  block[5] = light.multiColor;
  block[6] = light.red;
  block[7] = light.green;
  block[8] = light.blue;
  block[16] = 0;
  block[18] = light.zzccLedMode;
  block[19] = static_cast<uint8_t>(stages.WFlag());
  block[20] = static_cast<uint8_t>(stages.Key6Flag());
  block[21] = static_cast<uint8_t>(stages.WinFlag());
  block[22] = static_cast<uint8_t>(stages.PollingRate());
  block[25] = light.customGroup;
  return block;
}

void DecodeSettingsBlock(const std::array<uint8_t, kSettingsBlockSize>& block, const std::vector<int>& modeCodes,
                         LightState& light, KeyboardStages& stages) {
  light.selectItem = ModeIndexForCode(block[1], modeCodes, light.selectItem);
  light.light = block[2];
  // A speed byte over 4 would give a negative speed: read it as the slowest.
  light.speed = static_cast<uint8_t>(block[3] > 4 ? 0 : 4 - block[3]);
  light.fx = block[4];
  light.multiColor = 0;
  light.red = block[6];
  light.green = block[7];
  light.blue = block[8];
  light.reserved[0] = light.reserved[1] = light.reserved[2] = 0;
  light.zzccLedMode = block[18];
  light.customGroup = block[25];
  stages.SetWFlag(block[19]);
  stages.SetKey6Flag(block[20]);
  stages.SetWinFlag(block[21]);
}

KeyTableWrite BuildKeyTableWrite(const std::vector<uint8_t>& cachedTable, unsigned keyCount, const KeyMaps& maps,
                                 const std::vector<KeyEntry>& keys, unsigned macroCount) {
  KeyTableWrite result;
  result.table.assign(keyCount * 3u, 0);
  for (size_t i = 0; i < result.table.size() && i < cachedTable.size(); ++i) result.table[i] = cachedTable[i];
  // Only the keys the keyboard has take part, in on-screen order.
  std::vector<KeyEntry> present;
  std::vector<uint8_t> positions;
  for (unsigned n = 0; n <= kLastNamedKeyRow && n < keys.size(); ++n) {
    uint8_t position = maps.keyPos[n];
    if (position == kNoPosition || position >= keyCount) continue;
    present.push_back(keys[n]);
    positions.push_back(position);
  }
  std::vector<size_t> used = CollectUsedMacros(present, macroCount);
  for (size_t m : used) result.usedMacros.push_back(static_cast<uint8_t>(m));
  for (size_t i = 0; i < present.size(); ++i) {
    KeyFunction f = DeviceFunctionOf(present[i], used, macroCount);
    result.table[3u * positions[i]] = f.type;
    result.table[3u * positions[i] + 1] = f.param1;
    result.table[3u * positions[i] + 2] = f.param2;
  }
  return result;
}

size_t MacroImageSize(const std::vector<std::vector<MacroEventBytes>>& macros) {
  size_t size = kMacroImageHeader + 6 * macros.size();
  for (const auto& events : macros) size += 4 * events.size();
  return size;
}

std::vector<uint8_t> BuildMacroImage(const std::vector<std::vector<MacroEventBytes>>& macros) {
  size_t size = MacroImageSize(macros);
  if (size > 0xFFFF) return {};
  std::vector<uint8_t> image(size, 0);
  auto put16 = [&image](size_t at, size_t value) {
    image[at] = static_cast<uint8_t>(value & 0xFF);
    image[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
  };
  put16(0, kMacroImageMagic);
  put16(2, size);
  put16(4, macros.size());
  size_t record = kMacroImageHeader + 2 * macros.size();
  for (size_t m = 0; m < macros.size(); ++m) {
    put16(kMacroImageHeader + 2 * m, record);
    put16(record, macros[m].size());
    size_t at = record + 4;
    for (const MacroEventBytes& event : macros[m]) {
      put16(at, event.delay);
      image[at + 2] = static_cast<uint8_t>(event.type | (event.down ? 0x80 : 0x00));
      image[at + 3] = event.button;
      at += 4;
    }
    record = at;
  }
  return image;
}

std::array<uint8_t, kPowerStatusSize> HostPowerStatus(const uint8_t* reply, bool throughReceiver) {
  std::array<uint8_t, kPowerStatusSize> status{};
  for (unsigned i = 0; i < kPowerStatusSize; ++i) status[i] = reply[i];
  status[3] = throughReceiver ? 1 : 0;
  return status;
}

std::optional<BlockNotification> DecodeBlockNotification(uint16_t value) {
  uint8_t high = static_cast<uint8_t>(value >> 8);
  uint8_t low = static_cast<uint8_t>(value & 0xFF);
  if (high == 0x10) return BlockNotification{static_cast<uint8_t>(low & 0x0F), std::nullopt};
  if (high == 0x11) return BlockNotification{static_cast<uint8_t>(low & 0x0F), static_cast<uint8_t>((low >> 4) & 0x0F)};
  return std::nullopt;
}

}  // namespace tarn::keyboard
