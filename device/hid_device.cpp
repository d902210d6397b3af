#include "device/hid_device.h"

#include <algorithm>
#include <cstring>

#include "device/hid_enumeration.h"
#include "device/hid_node.h"
#include "device/hid_path.h"
#include "platform/debug_output.h"

namespace tarn {
namespace {

// Paths longer than this are refused, as the interface path buffer holds
// 259 characters and the terminator.
constexpr size_t kMaxPathLength = 259;

int64_t TimeoutToMs(uint32_t timeoutMs) { return timeoutMs == INFINITE ? -1 : static_cast<int64_t>(timeoutMs); }

}  // namespace

CHidDevice::CHidDevice() = default;

CHidDevice::~CHidDevice() {
  CloseHidDevice();
  FreeHidPaths();
}

bool CHidDevice::EnumerateHidPaths() {
  FreeHidPaths();
  std::vector<HidInterfaceEntry> entries;
  if (!EnumerateHidInterfaces(entries)) return false;
  m_paths.reserve(entries.size());
  for (HidInterfaceEntry& e : entries) m_paths.push_back(std::move(e.path));
  m_bHasPathList = true;
  m_nPathCursor = 0;
  return true;
}

const char* CHidDevice::NextHidPath() {
  if (!m_bHasPathList || m_nPathCursor >= m_paths.size()) return nullptr;
  return m_paths[m_nPathCursor++].c_str();
}

void CHidDevice::FreeHidPaths() {
  m_paths.clear();
  m_bHasPathList = false;
  m_nPathCursor = 0;
}

bool CHidDevice::OpenHidDevice(const std::string& path, bool read, bool write, bool overlapped, bool exclusive) {
  m_bRead = read;
  m_bWrite = write;
  m_bOverlapped = overlapped;
  // Linux has no share modes on hidraw; the flag is kept for callers that ask.
  m_bExclusive = exclusive;
  if (path.size() > kMaxPathLength) return false;
  CloseHidDevice();

  const std::string node = NodeFromHidPath(path);
  std::string error;
  bool permissionDenied = false;
  std::shared_ptr<CHidNode> opened = CHidNode::Acquire(node, write, error, permissionDenied);
  if (!opened) {
    if (permissionDenied)
      DebugOutputF("HID: no permission to open %s (%s): %s; install dist/70-tarn.rules to grant access",
                   node.c_str(), path.c_str(), error.c_str());
    return false;
  }
  if (write && !opened->CanWrite()) return false;

  HidReportDescriptor descriptor;
  const auto& bytes = opened->Info().reportDescriptor;
  if (!ParseHidReportDescriptor(bytes.data(), bytes.size(), descriptor) || descriptor.collections.empty())
    return false;
  uint16_t collection = GetCollectionFromPath(path);
  size_t index = collection == 0 ? 0 : collection - 1u;
  if (index >= descriptor.collections.size()) return false;

  std::set<uint8_t> inputIds;
  for (const HidReportField& f : descriptor.collections[index].fields)
    if (f.kind == HidReportKind::Input) inputIds.insert(f.reportId);
  auto queue = std::make_shared<CHidReportQueue>(std::move(inputIds), !descriptor.usesReportIds);

  std::unique_lock<std::mutex> lock(m_mutex);
  m_abort.Reset();
  m_node = opened;
  m_queue = queue;
  m_strDevicePath = path;
  m_descriptor = std::move(descriptor);
  m_nCollectionIndex = index;
  m_attributes.VendorID = opened->Info().vendorId;
  m_attributes.ProductID = opened->Info().productId;
  m_attributes.VersionNumber = opened->Info().versionNumber;
  BuildUsageTables();
  m_nInterface = GetInterfaceFromPath(path);
  m_nCollection = collection;
  lock.unlock();
  opened->Attach(queue);
  return true;
}

void CHidDevice::BuildUsageTables() {
  const HidTopCollection& top = m_descriptor.collections[m_nCollectionIndex];
  m_caps = HidCaps();
  m_caps.UsagePage = top.usagePage;
  m_caps.Usage = top.usage;
  m_caps.InputReportByteLength = m_descriptor.ReportByteLength(m_nCollectionIndex, HidReportKind::Input);
  m_caps.OutputReportByteLength = m_descriptor.ReportByteLength(m_nCollectionIndex, HidReportKind::Output);
  m_caps.FeatureReportByteLength = m_descriptor.ReportByteLength(m_nCollectionIndex, HidReportKind::Feature);
  m_inputReport.assign(m_caps.InputReportByteLength, 0);
  m_inputUsages.clear();
  m_outputUsages.clear();
  m_featureUsages.clear();
  uint16_t* buttonCounts[] = {&m_caps.NumberInputButtonCaps, &m_caps.NumberOutputButtonCaps,
                              &m_caps.NumberFeatureButtonCaps};
  uint16_t* valueCounts[] = {&m_caps.NumberInputValueCaps, &m_caps.NumberOutputValueCaps,
                             &m_caps.NumberFeatureValueCaps};
  std::vector<HidUsageRecord>* tables[] = {&m_inputUsages, &m_outputUsages, &m_featureUsages};
  // Button records first, then the value usages, as the capability lists come.
  for (int pass = 0; pass < 2; ++pass) {
    for (size_t i = 0; i < top.fields.size(); ++i) {
      const HidReportField& f = top.fields[i];
      if (f.isConstant || f.IsButton() != (pass == 0)) continue;
      int kind = static_cast<int>(f.kind);
      HidUsageRecord record;
      record.isButton = f.IsButton();
      record.reportId = f.reportId;
      record.usagePage = f.usagePage;
      record.fieldIndex = i;
      if (record.isButton) {
        ++*buttonCounts[kind];
        record.usageMin = f.usageMin;
        record.usageMax = f.usageMax;
        record.maxUsageListLength = f.reportCount;
        record.usageList.assign(f.reportCount, 0);
        tables[kind]->push_back(std::move(record));
      } else {
        ++*valueCounts[kind];
        for (uint32_t v = 0; v < f.reportCount; ++v) {
          HidUsageRecord value = record;
          value.usage = f.UsageAt(v);
          value.valueIndex = v;
          tables[kind]->push_back(std::move(value));
        }
      }
    }
  }
}

void CHidDevice::CloseHidDevice() {
  std::unique_lock<std::mutex> lock(m_mutex);
  CloseLocked(lock);
}

void CHidDevice::CloseLocked(std::unique_lock<std::mutex>& lock) {
  std::shared_ptr<CHidNode> node = std::move(m_node);
  std::shared_ptr<CHidReportQueue> queue = std::move(m_queue);
  if (!node) return;
  // Wake whatever waits on this object, then let it leave before freeing.
  node->Abort(queue);
  m_abort.Set();
  m_idle.wait(lock, [this] { return m_nPending == 0; });
  m_descriptor = HidReportDescriptor();
  m_inputReport.clear();
  m_inputUsages.clear();
  m_outputUsages.clear();
  m_featureUsages.clear();
  m_caps = HidCaps();
  m_strDevicePath.clear();
  lock.unlock();
  node->Detach(queue);
  node.reset();
  lock.lock();
}

bool CHidDevice::IsOpen() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_node != nullptr;
}

bool CHidDevice::ReadReport(uint8_t* buffer, uint32_t length, uint32_t& transferred, uint32_t timeoutMs) {
  transferred = 0;
  std::shared_ptr<CHidReportQueue> queue;
  std::shared_ptr<CHidNode> node;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_node || !m_bRead || !buffer || length == 0) return false;
    queue = m_queue;
    node = m_node;
    ++m_nPending;
  }
  thread_local std::vector<uint8_t> report;  // keeps its capacity between reads
  bool ok = node->Read(queue, report, TimeoutToMs(timeoutMs));
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    --m_nPending;
  }
  m_idle.notify_all();
  if (!ok) return false;
  uint32_t n = static_cast<uint32_t>(std::min<size_t>(length, report.size()));
  std::memcpy(buffer, report.data(), n);
  if (n < length) std::memset(buffer + n, 0, length - n);
  transferred = n;
  return true;
}

bool CHidDevice::WriteReport(const uint8_t* buffer, uint32_t length, uint32_t& transferred, uint32_t timeoutMs) {
  transferred = 0;
  std::shared_ptr<CHidNode> node;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_node || !m_bWrite || !buffer || length == 0) return false;
    node = m_node;
    ++m_nPending;
  }
  bool ok = node->Write(buffer, length, TimeoutToMs(timeoutMs), m_abort.Fd());
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    --m_nPending;
  }
  m_idle.notify_all();
  if (ok) transferred = length;
  return ok;
}

void CHidDevice::FlushInput() {
  std::shared_ptr<CHidReportQueue> queue;
  std::shared_ptr<CHidNode> node;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_node) return;
    queue = m_queue;
    node = m_node;
  }
  node->Flush(queue);
}

bool CHidDevice::SetOutputReport(const uint8_t* buffer, uint32_t length) {
  std::shared_ptr<CHidNode> node;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_node || !buffer || length == 0) return false;
    node = m_node;
    ++m_nPending;
  }
  bool ok = node->SetOutputReport(buffer, length);
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    --m_nPending;
  }
  m_idle.notify_all();
  return ok;
}

bool CHidDevice::UnpackInputReport(const uint8_t* report, uint32_t length) {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (!m_node || !report || length == 0) return false;
  if (length <= m_inputReport.size()) {
    std::copy(report, report + length, m_inputReport.begin());
  }
  const uint8_t reportId = report[0];
  const uint8_t* data = report + 1;
  const size_t dataLength = length - 1;
  const auto& fields = m_descriptor.collections[m_nCollectionIndex].fields;
  for (HidUsageRecord& record : m_inputUsages) {
    if (m_descriptor.usesReportIds && record.reportId != reportId) continue;
    const HidReportField& f = fields[record.fieldIndex];
    if (record.isButton) {
      std::vector<uint16_t> on;
      for (uint32_t i = 0; i < f.reportCount; ++i) {
        uint32_t raw = 0;
        if (!ExtractHidBits(data, dataLength, f.bitOffset + i * f.reportSize, f.reportSize, raw)) break;
        uint16_t usage = 0;
        if (f.isArray) {
          int64_t v = f.logicalMin < 0 && f.reportSize < 32 && (raw & (1u << (f.reportSize - 1)))
                          ? static_cast<int64_t>(raw) - (int64_t{1} << f.reportSize)
                          : static_cast<int64_t>(raw);
          if (v < f.logicalMin || v > f.logicalMax) continue;
          int64_t offset = v - f.logicalMin;
          if (!f.usages.empty()) {
            if (offset >= static_cast<int64_t>(f.usages.size())) continue;
            usage = f.usages[static_cast<size_t>(offset)];
          } else {
            usage = static_cast<uint16_t>(f.usageMin + offset);
          }
        } else {
          if (raw == 0) continue;
          usage = f.UsageAt(i);
        }
        if (usage < record.usageMin || usage > record.usageMax) continue;
        if (on.size() < record.maxUsageListLength) on.push_back(usage);
      }
      std::fill(record.usageList.begin(), record.usageList.end(), 0);
      std::copy(on.begin(), on.end(), record.usageList.begin());
      record.status = true;
    } else {
      uint32_t raw = 0;
      if (!ExtractHidBits(data, dataLength, f.bitOffset + record.valueIndex * f.reportSize, f.reportSize, raw)) {
        record.status = false;
        return false;
      }
      int32_t value = static_cast<int32_t>(raw);
      if (f.logicalMin < 0 && f.reportSize < 32 && (raw & (1u << (f.reportSize - 1))))
        value = static_cast<int32_t>(static_cast<int64_t>(raw) - (int64_t{1} << f.reportSize));
      record.rawValue = value;
      record.scaledValue = value;  // no physical units on these devices
      record.status = true;
    }
    record.decoded = true;
  }
  return true;
}

uint16_t CHidDevice::FirstInputUsage() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_inputUsages.empty()) return 0;
  const HidUsageRecord& first = m_inputUsages.front();
  if (first.isButton) return first.usageList.empty() ? 0 : first.usageList.front();
  return first.usage;
}

std::vector<HidUsageRecord> CHidDevice::InputUsageTable() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_inputUsages;
}

HidCaps CHidDevice::Caps() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_caps;
}

HidAttributes CHidDevice::Attributes() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_attributes;
}

std::string CHidDevice::DevicePath() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_strDevicePath;
}

}  // namespace tarn
