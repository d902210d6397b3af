#pragma once
// Serves a virtual device on a Unix socket of its own, as another process
// would: every connection is greeted (virtual_socket_protocol.h) and then
// carries reports both ways, one per message.
#include <memory>
#include <string>
#include <thread>

#include "emulator/virtual_hid_device.h"
#include "platform/stop_event.h"

namespace tarn::emu {

class CVirtualSocketServer {
 public:
  CVirtualSocketServer(std::string socketPath, std::shared_ptr<CVirtualHidDevice> device);
  ~CVirtualSocketServer();  // closes every connection and removes the socket
  CVirtualSocketServer(const CVirtualSocketServer&) = delete;
  CVirtualSocketServer& operator=(const CVirtualSocketServer&) = delete;

  bool IsListening() const { return m_listenFd >= 0; }

 private:
  void Serve();

  const std::string m_strPath;
  std::shared_ptr<CVirtualHidDevice> m_device;
  int m_listenFd = -1;
  CStopEvent m_stop;
  std::thread m_thread;
};

}  // namespace tarn::emu
