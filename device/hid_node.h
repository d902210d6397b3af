#pragma once
// One open HID node (a hidraw device or a virtual node), shared by every
// interface object that opens one of its collections. A single reader
// thread takes the node's input reports and sorts them by report id into
// the queue of each attached collection, so a report meant for one
// collection is never taken by another that shares the node.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "device/hid_node_source.h"
#include "platform/stop_event.h"

namespace tarn {

// Input reports waiting for one attached collection.
class CHidReportQueue {
 public:
  // Reports kept while nobody reads; older ones are dropped first, as a HID
  // driver's ring buffer does.
  static constexpr size_t kCapacity = 64;

  explicit CHidReportQueue(std::set<uint8_t> reportIds, bool anyReportId)
      : m_reportIds(std::move(reportIds)), m_bAnyReportId(anyReportId) {}

  bool Accepts(uint8_t reportId) const { return m_bAnyReportId || m_reportIds.count(reportId) != 0; }
  void Push(const uint8_t* data, size_t length);
  // Waits up to timeoutMs (negative: without limit) for a report. False on
  // time-out, abort or when the node is gone.
  bool Pop(std::vector<uint8_t>& report, int64_t timeoutMs);
  void Abort();
  void SetNodeGone();
  void Clear();

 private:
  const std::set<uint8_t> m_reportIds;
  const bool m_bAnyReportId;
  std::mutex m_mutex;
  std::condition_variable m_cv;
  std::deque<std::vector<uint8_t>> m_reports;
  bool m_bAborted = false;
  bool m_bNodeGone = false;
};

class CHidNode {
 public:
  // Opens (or shares) a node by name. `error` receives the reason of a
  // failure, `permissionDenied` whether it was one of access rights.
  static std::shared_ptr<CHidNode> Acquire(const std::string& name, bool needWrite, std::string& error,
                                           bool& permissionDenied);
  ~CHidNode();
  CHidNode(const CHidNode&) = delete;
  CHidNode& operator=(const CHidNode&) = delete;

  const std::string& Name() const { return m_name; }
  const HidNodeInfo& Info() const { return m_info; }
  bool CanWrite() const { return m_bWritable; }
  bool IsGone() const;

  void Attach(const std::shared_ptr<CHidReportQueue>& queue);
  void Detach(const std::shared_ptr<CHidReportQueue>& queue);

  // One output report; waits up to timeoutMs (negative: without limit) for
  // room, ending early when abortFd becomes readable.
  bool Write(const uint8_t* data, size_t length, int64_t timeoutMs, int abortFd);
  // The raw output report on the control path where the node has one.
  bool SetOutputReport(const uint8_t* data, size_t length);

 private:
  CHidNode(std::string name, int fd, HidNodeInfo info, bool writable, bool isHidraw);
  void StartReader();
  void ReaderLoop();
  void MarkGone();

  const std::string m_name;
  const int m_fd;
  const HidNodeInfo m_info;
  const bool m_bWritable;
  const bool m_bHidraw;
  bool m_bNumbered = true;  // reports carry an id byte
  CStopEvent m_stopReader;
  std::thread m_reader;
  mutable std::mutex m_mutex;
  std::vector<std::shared_ptr<CHidReportQueue>> m_queues;
  bool m_bGone = false;
};

}  // namespace tarn
