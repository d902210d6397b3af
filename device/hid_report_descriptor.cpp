#include "device/hid_report_descriptor.h"

#include <algorithm>
#include <map>
#include <utility>

namespace tarn {

uint16_t HidReportField::UsageAt(uint32_t i) const {
  if (!usages.empty()) return usages[std::min<size_t>(i, usages.size() - 1)];
  uint32_t usage = static_cast<uint32_t>(usageMin) + i;
  return static_cast<uint16_t>(std::min<uint32_t>(usage, usageMax));
}

uint16_t HidReportDescriptor::ReportByteLength(size_t collection, HidReportKind kind) const {
  if (collection >= collections.size()) return 0;
  std::map<uint8_t, uint32_t> bitsById;
  for (const HidReportField& f : collections[collection].fields) {
    if (f.kind != kind) continue;
    uint32_t end = f.bitOffset + f.reportSize * f.reportCount;
    uint32_t& bits = bitsById[f.reportId];
    bits = std::max(bits, end);
  }
  uint32_t longest = 0;
  for (auto& [id, bits] : bitsById) longest = std::max(longest, (bits + 7) / 8 + 1);
  return static_cast<uint16_t>(std::min<uint32_t>(longest, 0xFFFF));
}

namespace {

struct GlobalState {
  uint16_t usagePage = 0;
  int32_t logicalMin = 0;
  int32_t logicalMax = 0;
  bool logicalMaxUnsignedKnown = false;
  uint32_t logicalMaxRaw = 0;
  uint32_t logicalMaxSize = 0;
  uint32_t reportSize = 0;
  uint32_t reportCount = 0;
  uint8_t reportId = 0;
};

struct LocalState {
  std::vector<uint32_t> usages;  // may carry a page in the high half
  bool hasMin = false, hasMax = false;
  uint32_t usageMin = 0, usageMax = 0;
  void Clear() { *this = LocalState(); }
};

int32_t SignExtend(uint32_t value, uint32_t size) {
  if (size == 1) return static_cast<int8_t>(value);
  if (size == 2) return static_cast<int16_t>(value);
  return static_cast<int32_t>(value);
}

}  // namespace

bool ExtractHidBits(const uint8_t* data, size_t length, uint32_t bitOffset, uint32_t bits,
                    uint32_t& value) {
  value = 0;
  if (bits == 0 || bits > 32) return false;
  if ((static_cast<uint64_t>(bitOffset) + bits + 7) / 8 > length) return false;
  for (uint32_t i = 0; i < bits; ++i) {
    uint32_t bit = bitOffset + i;
    if (data[bit / 8] & (1u << (bit % 8))) value |= 1u << i;
  }
  return true;
}

bool ParseHidReportDescriptor(const uint8_t* data, size_t length, HidReportDescriptor& out) {
  out = HidReportDescriptor();
  GlobalState global;
  std::vector<GlobalState> stack;
  LocalState local;
  int depth = 0;
  // Running bit position of each (kind, report id).
  std::map<std::pair<int, uint8_t>, uint32_t> position;

  size_t i = 0;
  while (i < length) {
    uint8_t prefix = data[i];
    if (prefix == 0xFE) {  // long item: size byte, tag byte, data
      if (i + 2 >= length) return false;
      size_t skip = 3u + data[i + 1];
      if (i + skip > length) return false;
      i += skip;
      continue;
    }
    uint32_t size = prefix & 3u;
    if (size == 3) size = 4;
    if (i + 1 + size > length) return false;
    uint32_t value = 0;
    for (uint32_t k = 0; k < size; ++k) value |= static_cast<uint32_t>(data[i + 1 + k]) << (8 * k);
    uint8_t type = (prefix >> 2) & 3u;
    uint8_t tag = prefix >> 4;
    i += 1 + size;

    if (type == 1) {  // global
      switch (tag) {
        case 0x0: global.usagePage = static_cast<uint16_t>(value); break;
        case 0x1: global.logicalMin = SignExtend(value, size); break;
        case 0x2:
          global.logicalMaxRaw = value;
          global.logicalMaxSize = size;
          global.logicalMax = SignExtend(value, size);
          break;
        case 0x7: global.reportSize = value; break;
        case 0x8:
          if (value == 0 || value > 0xFF) return false;
          global.reportId = static_cast<uint8_t>(value);
          out.usesReportIds = true;
          break;
        case 0x9: global.reportCount = value; break;
        case 0xA: stack.push_back(global); break;
        case 0xB:
          if (stack.empty()) return false;
          global = stack.back();
          stack.pop_back();
          break;
        default: break;  // physical range, units: not needed
      }
      continue;
    }
    if (type == 2) {  // local
      switch (tag) {
        case 0x0: local.usages.push_back(size == 4 ? value : (value & 0xFFFF)); break;
        case 0x1: local.hasMin = true; local.usageMin = value; break;
        case 0x2: local.hasMax = true; local.usageMax = value; break;
        default: break;
      }
      continue;
    }
    if (type != 0) {  // reserved
      local.Clear();
      continue;
    }
    // main items
    if (tag == 0xA) {  // Collection
      if (depth == 0) {
        HidTopCollection top;
        uint32_t usage = !local.usages.empty() ? local.usages.front() : local.usageMin;
        top.usagePage = usage > 0xFFFF ? static_cast<uint16_t>(usage >> 16) : global.usagePage;
        top.usage = static_cast<uint16_t>(usage & 0xFFFF);
        out.collections.push_back(std::move(top));
      }
      ++depth;
      local.Clear();
      continue;
    }
    if (tag == 0xC) {  // End Collection
      if (depth == 0) return false;
      --depth;
      local.Clear();
      continue;
    }
    if (tag == 0x8 || tag == 0x9 || tag == 0xB) {
      if (global.reportSize > 32 || global.reportCount > 4096) return false;
      HidReportField field;
      field.kind = tag == 0x8 ? HidReportKind::Input : tag == 0x9 ? HidReportKind::Output : HidReportKind::Feature;
      field.reportId = global.reportId;
      field.usagePage = global.usagePage;
      field.isConstant = (value & 1u) != 0;
      field.isArray = (value & 2u) == 0;
      field.reportSize = global.reportSize;
      field.reportCount = global.reportCount;
      field.logicalMin = global.logicalMin;
      // A non-negative minimum makes the maximum unsigned, as devices mean it.
      field.logicalMax = global.logicalMin >= 0 && global.logicalMaxSize < 4
                             ? static_cast<int32_t>(global.logicalMaxRaw)
                             : global.logicalMax;
      for (uint32_t u : local.usages) field.usages.push_back(static_cast<uint16_t>(u & 0xFFFF));
      if (!local.usages.empty() && local.usages.front() > 0xFFFF)
        field.usagePage = static_cast<uint16_t>(local.usages.front() >> 16);
      if (local.hasMin || local.hasMax) {
        field.usageMin = static_cast<uint16_t>(local.usageMin & 0xFFFF);
        field.usageMax = static_cast<uint16_t>((local.hasMax ? local.usageMax : local.usageMin) & 0xFFFF);
        if (!field.usages.empty()) {  // both forms: keep the list, widen the range
          field.usageMin = std::min(field.usageMin, *std::min_element(field.usages.begin(), field.usages.end()));
          field.usageMax = std::max(field.usageMax, *std::max_element(field.usages.begin(), field.usages.end()));
        }
      } else if (!field.usages.empty()) {
        field.usageMin = *std::min_element(field.usages.begin(), field.usages.end());
        field.usageMax = *std::max_element(field.usages.begin(), field.usages.end());
      }
      uint32_t& pos = position[{static_cast<int>(field.kind), field.reportId}];
      field.bitOffset = pos;
      pos += field.reportSize * field.reportCount;
      if (pos > 8u * 4096u) return false;
      // Fields outside any collection have no top-level owner to report them.
      if (depth > 0 && !out.collections.empty()) out.collections.back().fields.push_back(std::move(field));
      local.Clear();
      continue;
    }
    local.Clear();
  }
  return depth == 0 && stack.empty();
}

}  // namespace tarn
