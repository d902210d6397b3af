#pragma once
// One HID interface (one top-level collection of a node), opened or not:
// enumeration of interface paths, opening, capabilities, and report
// transfers with a time-out and an abort.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/hid_report_descriptor.h"
#include "platform/stop_event.h"

namespace tarn {

class CHidNode;
class CHidReportQueue;

constexpr uint32_t INFINITE = 0xFFFFFFFF;

struct HidCaps {
  uint16_t Usage = 0;
  uint16_t UsagePage = 0;
  uint16_t InputReportByteLength = 0;
  uint16_t OutputReportByteLength = 0;
  uint16_t FeatureReportByteLength = 0;
  uint16_t NumberInputButtonCaps = 0;
  uint16_t NumberInputValueCaps = 0;
  uint16_t NumberOutputButtonCaps = 0;
  uint16_t NumberOutputValueCaps = 0;
  uint16_t NumberFeatureButtonCaps = 0;
  uint16_t NumberFeatureValueCaps = 0;
};

struct HidAttributes {
  uint16_t VendorID = 0;
  uint16_t ProductID = 0;
  uint16_t VersionNumber = 0;
};

// One record per button field and one per usage of a value field.
struct HidUsageRecord {
  bool isButton = false;
  bool status = false;  // whether the last decoding of the record succeeded
  uint8_t reportId = 0;
  uint16_t usagePage = 0;
  // button fields
  uint16_t usageMin = 0;
  uint16_t usageMax = 0;
  uint32_t maxUsageListLength = 0;
  std::vector<uint16_t> usageList;  // usages that are on, then a 0 when not full
  // value usages
  uint16_t usage = 0;
  int32_t rawValue = 0;
  int32_t scaledValue = 0;
  bool decoded = false;
  // where the record's data lies
  size_t fieldIndex = 0;
  uint32_t valueIndex = 0;
};

class CHidDevice {
 public:
  CHidDevice();
  ~CHidDevice();
  CHidDevice(const CHidDevice&) = delete;
  CHidDevice& operator=(const CHidDevice&) = delete;

  // Enumeration: fills the path list with every present HID interface.
  bool EnumerateHidPaths();
  // The path under the cursor, advancing it; nullptr after the last one.
  const char* NextHidPath();
  void FreeHidPaths();
  size_t PathCount() const { return m_paths.size(); }

  bool OpenHidDevice(const std::string& path, bool read, bool write, bool overlapped, bool exclusive);
  // Safe from any thread: a transfer that waits ends at once and fails.
  void CloseHidDevice();
  bool IsOpen() const;

  // A time-out of INFINITE waits without limit.
  bool ReadReport(uint8_t* buffer, uint32_t length, uint32_t& transferred, uint32_t timeoutMs);
  bool WriteReport(const uint8_t* buffer, uint32_t length, uint32_t& transferred, uint32_t timeoutMs);
  // Drops input reports that arrived and were not read.
  void FlushInput();

  // Decodes `report` (byte 0 = report id) into the input usage table.
  bool UnpackInputReport(const uint8_t* report, uint32_t length);
  // The first usage of the first input record after decoding; 0 when none.
  uint16_t FirstInputUsage() const;
  std::vector<HidUsageRecord> InputUsageTable() const;

  // The raw output report, for devices that take reports on the control path.
  bool SetOutputReport(const uint8_t* buffer, uint32_t length);

  HidCaps Caps() const;
  HidAttributes Attributes() const;
  std::string DevicePath() const;
  uint32_t InterfaceNumber() const { return m_nInterface; }
  uint32_t CollectionNumber() const { return m_nCollection; }
  // The buffer of InputReportByteLength bytes that readers may use.
  std::vector<uint8_t>& InputReportBuffer() { return m_inputReport; }

  bool ReadAccess() const { return m_bRead; }
  bool WriteAccess() const { return m_bWrite; }
  bool Overlapped() const { return m_bOverlapped; }
  bool Exclusive() const { return m_bExclusive; }

 private:
  struct Transfer;
  void CloseLocked(std::unique_lock<std::mutex>& lock);
  void BuildUsageTables();

  std::vector<std::string> m_paths;
  size_t m_nPathCursor = 0;
  bool m_bHasPathList = false;

  bool m_bRead = false;
  bool m_bWrite = false;
  bool m_bOverlapped = false;
  bool m_bExclusive = false;

  mutable std::mutex m_mutex;
  std::condition_variable m_idle;  // signalled when a transfer ends
  int m_nPending = 0;
  std::shared_ptr<CHidNode> m_node;
  std::shared_ptr<CHidReportQueue> m_queue;
  CStopEvent m_abort;
  std::string m_strDevicePath;
  HidReportDescriptor m_descriptor;
  size_t m_nCollectionIndex = 0;
  HidCaps m_caps;
  HidAttributes m_attributes;
  std::vector<uint8_t> m_inputReport;
  std::vector<HidUsageRecord> m_inputUsages;
  std::vector<HidUsageRecord> m_outputUsages;
  std::vector<HidUsageRecord> m_featureUsages;
  std::atomic<uint32_t> m_nInterface{0};
  std::atomic<uint32_t> m_nCollection{0};
};

}  // namespace tarn
