#pragma once
// The skin change broadcast: one observer, receivers registered in order.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tarn {

struct SkinChangedParam {
  bool bColor = false;   // a plain colour (true) or an image
  uint32_t bkcolor = 0;  // ARGB, when bColor
  std::string bgimage;   // resource path or full file path, when !bColor
};

template <class ReturnT, class ParamT>
class ReceiverImplBase;

template <class ReturnT, class ParamT>
class ObserverImplBase {
 public:
  virtual ~ObserverImplBase() = default;
  virtual void AddReceiver(ReceiverImplBase<ReturnT, ParamT>* receiver) = 0;
  virtual void RemoveReceiver(ReceiverImplBase<ReturnT, ParamT>* receiver) = 0;
  virtual ReturnT Broadcast(ParamT param) = 0;
  virtual ReturnT Notify(ParamT param) = 0;
};

template <class ReturnT, class ParamT>
class ReceiverImplBase {
 public:
  virtual ~ReceiverImplBase() = default;
  virtual void AddObserver(ObserverImplBase<ReturnT, ParamT>* observer) = 0;
  virtual void RemoveObserver() = 0;
  virtual ReturnT Receive(ParamT param) = 0;
  virtual ReturnT Respond(ParamT param, ObserverImplBase<ReturnT, ParamT>* observer) = 0;
};

template <class ReturnT, class ParamT>
class ObserverImpl : public ObserverImplBase<ReturnT, ParamT> {
 public:
  using Receiver = ReceiverImplBase<ReturnT, ParamT>;
  ~ObserverImpl() override = default;
  void AddReceiver(Receiver* receiver) override {
    if (receiver == nullptr) return;
    m_receivers[m_nNext++] = receiver;
    receiver->AddObserver(this);
  }
  void RemoveReceiver(Receiver* receiver) override {
    for (auto it = m_receivers.begin(); it != m_receivers.end();) {
      if (it->second == receiver) {
        it = m_receivers.erase(it);
      } else {
        ++it;
      }
    }
  }
  ReturnT Broadcast(ParamT param) override {
    // A copy: a receiver may leave while it is told.
    auto receivers = m_receivers;
    for (auto& entry : receivers) entry.second->Receive(param);
    return ReturnT();
  }
  ReturnT Notify(ParamT param) override {
    auto receivers = m_receivers;
    for (auto& entry : receivers) entry.second->Respond(param, this);
    return ReturnT();
  }
  size_t ReceiverCount() const { return m_receivers.size(); }

 private:
  std::map<int, Receiver*> m_receivers;
  int m_nNext = 0;
};

template <class ReturnT, class ParamT>
class ReceiverImpl : public ReceiverImplBase<ReturnT, ParamT> {
 public:
  using Observer = ObserverImplBase<ReturnT, ParamT>;
  ~ReceiverImpl() override { RemoveObserver(); }
  void AddObserver(Observer* observer) override { m_observers.push_back(observer); }
  void RemoveObserver() override {
    std::vector<Observer*> observers;
    observers.swap(m_observers);
    for (Observer* observer : observers) observer->RemoveReceiver(this);
  }
  ReturnT Receive(ParamT) override { return ReturnT(); }
  ReturnT Respond(ParamT, Observer*) override { return ReturnT(); }

 private:
  std::vector<Observer*> m_observers;
};

using SkinObserver = ObserverImpl<int, SkinChangedParam>;
using SkinReceiver = ReceiverImpl<int, SkinChangedParam>;

// The process-wide skin observer.
SkinObserver& SkinChangeObserver();

}  // namespace tarn
