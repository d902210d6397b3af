#pragma once
// One open HID node (a hidraw device or a virtual node), shared by every
// interface object that opens one of its collections. Whichever caller waits
// for a report reads the node itself (no thread in between) and sorts what
// it reads by report id into the queue of each attached collection, so a
// report meant for one collection is never taken by another that shares the
// node; a caller whose report another one read is woken through its queue.
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "device/hid_node_source.h"

namespace tarn {

// Input reports waiting for one attached collection. Guarded by its node.
class CHidReportQueue {
 public:
  // Reports kept while nobody reads; older ones are dropped first, as a HID
  // driver's ring buffer does.
  static constexpr size_t kCapacity = 64;

  CHidReportQueue(std::set<uint8_t> reportIds, bool anyReportId);
  ~CHidReportQueue();
  CHidReportQueue(const CHidReportQueue&) = delete;
  CHidReportQueue& operator=(const CHidReportQueue&) = delete;

  bool Accepts(uint8_t reportId) const { return m_bAnyReportId || m_reportIds.count(reportId) != 0; }

 private:
  friend class CHidNode;
  const std::set<uint8_t> m_reportIds;
  const bool m_bAnyReportId;
  std::deque<std::vector<uint8_t>> m_reports;
  bool m_bAborted = false;
  int m_readyFd = -1;  // eventfd: readable when a report was queued or the node ended
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
  // IsGone, after asking the descriptor whether the device hung up.
  bool ProbeGone();

  void Attach(const std::shared_ptr<CHidReportQueue>& queue);
  void Detach(const std::shared_ptr<CHidReportQueue>& queue);

  // The next report of the queue's collection, waiting up to timeoutMs
  // (negative: without limit). False on time-out, after Abort(queue) or
  // when the node is gone.
  bool Read(const std::shared_ptr<CHidReportQueue>& queue, std::vector<uint8_t>& report, int64_t timeoutMs);
  void Abort(const std::shared_ptr<CHidReportQueue>& queue);
  // Drops what the queue holds and what the node has ready for it.
  void Flush(const std::shared_ptr<CHidReportQueue>& queue);

  // One output report; waits up to timeoutMs (negative: without limit) for
  // room, ending early when abortFd becomes readable.
  bool Write(const uint8_t* data, size_t length, int64_t timeoutMs, int abortFd);
  // The raw output report on the control path where the node has one.
  bool SetOutputReport(const uint8_t* data, size_t length);

 private:
  CHidNode(std::string name, int fd, HidNodeInfo info, bool writable, bool isHidraw);
  // Reads one report (all that are ready when `drain`) and routes them,
  // signalling every queue but the reader's; one for the reader goes into
  // `direct` when given (setting `delivered`). False when the node ended.
  bool Pump(CHidReportQueue* reader, bool drain, std::vector<uint8_t>* direct, bool* delivered);
  void MarkGoneLocked();
  static void Signal(int fd);

  const std::string m_name;
  const int m_fd;
  const HidNodeInfo m_info;
  const bool m_bWritable;
  const bool m_bHidraw;
  bool m_bNumbered = true;  // reports carry an id byte
  std::mutex m_readMutex;  // one reader at a time keeps reports in order
  mutable std::mutex m_mutex;
  std::vector<std::shared_ptr<CHidReportQueue>> m_queues;
  std::atomic<bool> m_bGone{false};  // set under m_mutex, read without it where a stale value is harmless
};

}  // namespace tarn
