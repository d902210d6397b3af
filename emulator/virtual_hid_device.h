#pragma once
// A virtual HID node: each host connection is one end of a SOCK_SEQPACKET
// socket pair, so one message is one report (byte 0 = report id) as on a
// hidraw node, and the host's transport runs its real read and write code
// on it. A thread takes every output report, hands it to the device's report
// handler and writes the handler's replies back on the same connection.
// Input reports of the device's own (notifications) go to every connection.
// Faults are injected per request on demand.
#include <sys/types.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/hid_node_source.h"
#include "platform/stop_event.h"

namespace tarn::emu {

using Report = std::vector<uint8_t>;
// One output report in, the input reports to answer with out.
using ReportHandler = std::function<std::vector<Report>(const uint8_t* report, size_t length)>;

enum class Fault {
  NoReply,            // the request is swallowed
  WrongCommandOnce,   // a reply with another command byte, then the right one
  WrongCommandTwice,  // two such replies, then the right one
  BadChecksum,        // the reply's checksum is off by one
  StatusError,        // reply status 0xFF
  StatusBusy,         // reply status 0xFE
  Vanish,             // the device disappears instead of answering
};

class CVirtualHidDevice {
 public:
  CVirtualHidDevice(HidNodeInfo info, ReportHandler handler);
  ~CVirtualHidDevice();
  CVirtualHidDevice(const CVirtualHidDevice&) = delete;
  CVirtualHidDevice& operator=(const CVirtualHidDevice&) = delete;

  const HidNodeInfo& Info() const { return m_info; }

  // A new host connection (the host closes it); -1 once unplugged.
  int Connect();
  // Closes every connection: hosts see the node vanish. Final.
  void Unplug();
  bool IsPlugged() const;

  // Sends an input report to every connection.
  void SendInputReport(const Report& report);

  // The next requests meet these faults, one request per entry, in order.
  void InjectFault(Fault fault, int times = 1);
  // The next request's replies are preceded by this input report.
  void InjectBeforeReply(Report report);
  // Every reply waits this long before it goes.
  void SetReplyDelay(int ms) { m_nReplyDelayMs = ms; }

  // Output reports received (answered or not).
  uint64_t RequestCount() const { return m_nRequests; }
  size_t ConnectionCount() const;

 private:
  void Serve();
  void HandleRequest(int fd, const uint8_t* data, size_t length);
  void CloseConnection(int fd);
  void Wake();

  const HidNodeInfo m_info;
  const ReportHandler m_handler;
  mutable std::mutex m_mutex;
  std::vector<int> m_connections;  // device ends
  std::deque<Fault> m_faults;
  std::deque<Report> m_beforeReply;
  bool m_bPlugged = true;
  std::atomic<int> m_nReplyDelayMs{0};
  std::atomic<uint64_t> m_nRequests{0};
  int m_wakeFd = -1;
  CStopEvent m_stop;
  std::thread m_thread;
};

}  // namespace tarn::emu
