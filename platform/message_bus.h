#pragma once
// The local message bus: a Unix stream socket in the runtime folder where the
// running instance listens and other programs (a second start, tools, the
// audio capture program) connect. Messages go to one named peer or to all.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/bus_message.h"
#include "platform/stop_event.h"

namespace tarn {

// The listening side, owned by the running instance.
class CMessageBusServer {
 public:
  // Called on the bus thread for each message a peer sends (the hello frame
  // excepted). peerId identifies the sender for a reply.
  using Handler = std::function<void(int peerId, const BusMessage&)>;

  CMessageBusServer() = default;
  ~CMessageBusServer();
  CMessageBusServer(const CMessageBusServer&) = delete;
  CMessageBusServer& operator=(const CMessageBusServer&) = delete;

  // Listens on path (a stale socket file there is replaced: the caller holds
  // the instance lock). False when the socket cannot be made.
  bool Start(const std::string& path, Handler handler);
  void Stop();
  bool Running() const { return m_thread.joinable(); }

  bool SendTo(int peerId, const BusMessage& message);
  // Sends to every peer that named itself `peerName`; false when none did.
  bool SendToNamed(const std::string& peerName, const BusMessage& message);
  // Sends to every connected peer; returns how many received it.
  int Broadcast(const BusMessage& message);
  int PeerCount() const;

 private:
  struct Peer {
    int fd = -1;
    std::string name;
    std::vector<uint8_t> inbox;
    std::mutex writeMutex;
  };
  void Run();
  void Accept();
  bool ReadFrom(int peerId, Peer& peer);
  void Drop(int peerId);
  std::vector<std::shared_ptr<Peer>> PeersNamed(const std::string& name) const;

  std::string m_path;
  int m_listenFd = -1;
  Handler m_handler;
  CStopEvent m_stop;
  std::thread m_thread;
  mutable std::mutex m_peersMutex;
  std::map<int, std::shared_ptr<Peer>> m_peers;
  int m_nextPeerId = 1;
};

// The connecting side: what another program links to (library tarn_bus_client).
class CMessageBusClient {
 public:
  CMessageBusClient() = default;
  ~CMessageBusClient();
  CMessageBusClient(const CMessageBusClient&) = delete;
  CMessageBusClient& operator=(const CMessageBusClient&) = delete;

  // Connects and names this peer (empty: anonymous). False when nobody listens.
  bool Connect(const std::string& path, const std::string& peerName = {});
  void Close();
  bool Connected() const { return m_fd >= 0; }
  bool Send(const BusMessage& message);
  // Waits up to timeoutMs (negative: without limit) for one message.
  bool Receive(BusMessage& message, int timeoutMs);

 private:
  int m_fd = -1;
};

}  // namespace tarn
