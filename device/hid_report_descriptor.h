#pragma once
// A HID report descriptor reader: the top-level collections of one
// interface, each with the report fields that belong to it. This stands in
// for the preparsed data and capability calls of other platforms.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarn {

enum class HidReportKind : uint8_t { Input = 0, Output = 1, Feature = 2 };

// One main item (Input, Output or Feature) of the descriptor.
struct HidReportField {
  HidReportKind kind = HidReportKind::Input;
  uint8_t reportId = 0;
  uint16_t usagePage = 0;
  bool isArray = false;     // selector array: each value names a usage
  bool isConstant = false;  // padding
  uint32_t bitOffset = 0;   // from the first data byte (after the report id byte)
  uint32_t reportSize = 0;  // bits per value
  uint32_t reportCount = 0;
  int32_t logicalMin = 0;
  int32_t logicalMax = 0;
  uint16_t usageMin = 0;  // range of the field's usages
  uint16_t usageMax = 0;
  std::vector<uint16_t> usages;  // explicit usages in order (empty when given as a range)

  // Buttons are arrays and one-bit variables; everything else is a value.
  bool IsButton() const { return isArray || reportSize == 1; }
  // The usage of value number i of a variable field.
  uint16_t UsageAt(uint32_t i) const;
};

struct HidTopCollection {
  uint16_t usagePage = 0;
  uint16_t usage = 0;
  std::vector<HidReportField> fields;
};

struct HidReportDescriptor {
  bool usesReportIds = false;
  std::vector<HidTopCollection> collections;

  // Report length in bytes, report id byte included (as callers size their
  // buffers); 0 when the collection has no report of the kind.
  uint16_t ReportByteLength(size_t collection, HidReportKind kind) const;
};

// False for a malformed descriptor (truncated item, unbalanced collections,
// absurd sizes). Long items are skipped.
bool ParseHidReportDescriptor(const uint8_t* data, size_t length, HidReportDescriptor& out);

// Reads `bits` bits (at most 32) at bit offset `bitOffset`, little-endian as
// HID packs them. False when the report is too short.
bool ExtractHidBits(const uint8_t* data, size_t length, uint32_t bitOffset, uint32_t bits,
                    uint32_t& value);

}  // namespace tarn
