#pragma once
// The discovery thread: about every 100 ms it lists the HID interfaces,
// assigns newly found known interfaces to rows of the known-device list and
// hands each to the UI thread (found), and hands over rows whose node is
// gone or came back as another device (lost). A hand-over waits until the
// UI thread handled it or the thread is told to stop, so stopping never
// waits on the UI thread.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/pages/hid_scanner.h"
#include "app/pages/known_device_list.h"
#include "device/worker_thread.h"
#include "platform/stop_event.h"

namespace tarn {

enum class HandOverResult {
  Handled,   // the UI thread handled it
  Deferred,  // the UI thread does not serve now (suspend): try again later
  Stopped,   // the thread was told to stop first
};

class IDiscoveryHost {
 public:
  virtual ~IDiscoveryHost() = default;
  // Runs the found (0xC12) or lost (0xC13) handling of `row` on the UI
  // thread and waits for it, or for `stop`.
  virtual HandOverResult HandOver(uint32_t message, int row, const CStopEvent& stop) = 0;
  // After the first pass (once), also after a failed enumeration.
  virtual void PostActivation() = 0;
};

class CDeviceDiscovery {
 public:
  static constexpr int kPassSleepMs = 100;
  static constexpr int kRetryOpenMs = 1000;

  CDeviceDiscovery(CKnownDeviceList& list, IDiscoveryHost& host, std::unique_ptr<CHidScanner> scanner = nullptr);
  ~CDeviceDiscovery();

  void Start();
  void Stop();
  bool IsRunning() const { return m_thread.IsRunning(); }
  // While held, passes wait; nothing is handed over.
  void Hold(bool hold);

  // The UI thread could not open the row's link: the row is freed and its
  // path tried again no sooner than kRetryOpenMs. Call during the hand-over.
  void NoteOpenFailed(const std::string& path);
  // Whether the found row is a retry of a path that failed before (the
  // window is then not brought to the front again). Call during the hand-over.
  bool IsRetry(const std::string& path) const;
  // The path's link opened: a later failure is news again. Call during the hand-over.
  void NoteOpened(const std::string& path) { m_failedPaths.erase(path); }

  uint64_t Passes() const { return m_nPasses; }
  uint64_t DescriptorReads() const { return m_pScanner->DescriptorReads(); }

  // One pass (the thread's loop body); tests may drive it directly.
  void RunPass(const CStopEvent& stop);

 private:
  void Loop(const CStopEvent& stop);
  bool HandLost(int row, const CStopEvent& stop);

  CKnownDeviceList& m_list;
  IDiscoveryHost& m_host;
  std::unique_ptr<CHidScanner> m_pScanner;
  CWorkerThread m_thread;
  std::atomic<bool> m_bHeld{false};
  std::atomic<uint64_t> m_nPasses{0};
  bool m_bActivated = false;
  std::vector<std::string> m_tokens;  // presence token per row, while assigned
  // A virtual node keeps its name when it is replugged, so a connection of
  // our own watches it instead: the node closes it when it goes (-1: none).
  std::vector<int> m_probes;
  void OpenProbe(size_t row, const std::string& node);
  void CloseProbe(size_t row);
  bool ProbeSaysGone(size_t row);
  std::vector<int> m_pendingLost;     // lost rows the UI could not take yet
  std::map<std::string, std::chrono::steady_clock::time_point> m_retryAfter;  // by path
  std::map<std::string, int> m_failedPaths;  // paths that failed to open (for IsRetry)
};

}  // namespace tarn
