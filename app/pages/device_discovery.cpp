#include "app/pages/device_discovery.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

#include "device/hid_node_source.h"
#include "device/hid_path.h"
#include "platform/debug_output.h"

namespace tarn {
namespace {
constexpr uint32_t kFound = 0xC12;
constexpr uint32_t kLost = 0xC13;
}  // namespace

CDeviceDiscovery::CDeviceDiscovery(CKnownDeviceList& list, IDiscoveryHost& host, std::unique_ptr<CHidScanner> scanner)
    : m_list(list), m_host(host), m_pScanner(scanner ? std::move(scanner) : std::make_unique<CHidScanner>()) {
  m_tokens.resize(m_list.Size());
  m_probes.assign(m_list.Size(), -1);
}

CDeviceDiscovery::~CDeviceDiscovery() {
  Stop();
  for (size_t i = 0; i < m_probes.size(); ++i) CloseProbe(i);
}

void CDeviceDiscovery::OpenProbe(size_t row, const std::string& node) {
  CloseProbe(row);
  if (node.rfind("/dev/", 0) == 0) return;  // hidraw nodes have their HID id
  HidNodeInfo info;
  const int fd = OpenSourceNode(node, info);
  m_probes[row] = fd >= 0 ? fd : -1;
}

void CDeviceDiscovery::CloseProbe(size_t row) {
  if (m_probes[row] >= 0) ::close(m_probes[row]);
  m_probes[row] = -1;
}

bool CDeviceDiscovery::ProbeSaysGone(size_t row) {
  const int fd = m_probes[row];
  if (fd < 0) return false;
  // Reports sent to every connection are dropped, so the node never waits on us.
  uint8_t buffer[512];
  while (::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT) > 0) {
  }
  pollfd p{fd, POLLIN, 0};
  if (::poll(&p, 1, 0) == 1 && (p.revents & (POLLHUP | POLLERR)) != 0) return true;
  char peek;
  return ::recv(fd, &peek, 1, MSG_DONTWAIT | MSG_PEEK) == 0;  // orderly shutdown
}

void CDeviceDiscovery::Start() {
  m_thread.Start([this](const CStopEvent& stop) { Loop(stop); });
}

void CDeviceDiscovery::Stop() {
  if (m_thread.IsRunning()) m_thread.Stop(1000);
}

void CDeviceDiscovery::Hold(bool hold) { m_bHeld = hold; }

void CDeviceDiscovery::NoteOpenFailed(const std::string& path) {
  m_retryAfter[path] = std::chrono::steady_clock::now() + std::chrono::milliseconds(kRetryOpenMs);
  ++m_failedPaths[path];
}

bool CDeviceDiscovery::IsRetry(const std::string& path) const { return m_failedPaths.count(path) != 0; }

void CDeviceDiscovery::Loop(const CStopEvent& stop) {
  for (;;) {
    if (stop.Wait(1)) {
      DebugOutput("抓取设备线程设定退出");
      return;
    }
    if (!m_bHeld) RunPass(stop);
    if (stop.Wait(kPassSleepMs)) {
      DebugOutput("抓取设备线程设定退出");
      return;
    }
  }
}

bool CDeviceDiscovery::HandLost(int row, const CStopEvent& stop) {
  HandOverResult result = m_host.HandOver(kLost, row, stop);
  if (result == HandOverResult::Deferred) {
    if (std::find(m_pendingLost.begin(), m_pendingLost.end(), row) == m_pendingLost.end())
      m_pendingLost.push_back(row);
  }
  return result != HandOverResult::Stopped;
}

void CDeviceDiscovery::RunPass(const CStopEvent& stop) {
  ++m_nPasses;
  // Lost rows the UI thread could not take while it did not serve.
  std::vector<int> pending;
  pending.swap(m_pendingLost);
  for (int row : pending)
    if (!HandLost(row, stop)) return;

  bool scanned = false;
  if (!m_list.AllRowsAssigned()) {
    std::vector<HidInterfaceEntry> entries;
    if (!m_pScanner->Scan(entries)) {
      // Discovery goes on: the next pass lists again; the window must not
      // stay hidden because of it.
      DebugOutput("枚举HID设备失败");
      if (!m_bActivated) {
        m_bActivated = true;
        m_host.PostActivation();
      }
      return;
    }
    scanned = true;
    const auto now = std::chrono::steady_clock::now();
    for (const HidInterfaceEntry& entry : entries) {
      DeviceIdentity identity;
      identity.Path = entry.path;
      identity.VendorId = GetVidFromPath(entry.path);
      identity.ProductId = GetPidFromPath(entry.path);
      identity.Collection = GetCollectionFromPath(entry.path);
      identity.Interface = GetInterfaceFromPath(entry.path);
      if (!m_list.IsKnownAndFree(identity)) continue;
      auto retry = m_retryAfter.find(entry.path);
      if (retry != m_retryAfter.end()) {
        if (now < retry->second) continue;
        m_retryAfter.erase(retry);
      }
      identity.VendorId = entry.vendorId;
      identity.ProductId = entry.productId;
      identity.UsagePage = entry.usagePage;
      identity.Usage = entry.usage;
      int row = m_list.AssignRow(identity);
      if (row < 0) continue;
      m_tokens[static_cast<size_t>(row)] = m_pScanner->PresenceToken(entry.node);
      OpenProbe(static_cast<size_t>(row), entry.node);
      HandOverResult result = m_host.HandOver(kFound, row, stop);
      if (result == HandOverResult::Stopped) return;
      if (result == HandOverResult::Deferred) m_list.FreeRow(row);  // found again once served
    }
    if (!m_bActivated) {
      m_bActivated = true;
      m_host.PostActivation();
    }
  }

  // Presence: a row whose node is gone, or whose node now belongs to
  // another device (another HID id), is lost.
  for (size_t i = 0; i < m_list.Size(); ++i) {
    const DeviceIdentity& row = m_list.Row(i);
    if (!row.Connected || row.Path.empty()) {
      CloseProbe(i);  // freed by the UI (its link did not open)
      continue;
    }
    const std::string node = NodeFromHidPath(row.Path);
    std::string token = scanned ? m_pScanner->PresenceToken(node) : m_pScanner->ReadPresenceToken(node);
    if (!token.empty() && token == m_tokens[i] && !ProbeSaysGone(i)) continue;
    m_list.FreeRow(static_cast<int>(i));
    m_tokens[i].clear();
    CloseProbe(i);
    if (!HandLost(static_cast<int>(i), stop)) return;
  }
}

}  // namespace tarn
