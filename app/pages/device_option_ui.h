#pragma once
// A selector entry: the icon the user clicks to choose a device, a check
// option for synchronised lighting, the device's name, and the device's
// heartbeat timers (1000 lights, 1001 connect, 1002 sync request, 1005
// status, 1007 receiver link).
#include <QTimer>

#include <map>
#include <string>

#include "ui/container.h"

namespace tarn {

class COptionUI;
class CLabelUI;
class CVantorUSBDevice;
class CDevicePageUI;

struct DeviceOptionImages {
  std::string normal, selected, synchroNormal, synchroSelected, tooltip;
};
// The icons of a device type and role (a new entry's are the "unknow" ones).
DeviceOptionImages DeviceOptionImagesFor(int deviceType, int role);

class CDeviceOptionUI : public CHorizontalLayoutUI {
 public:
  CDeviceOptionUI();
  ~CDeviceOptionUI() override;
  std::string GetClass() const override { return "DeviceOption"; }

  void SetDeviceType(int type, int role);
  int GetDeviceType() const { return m_nDeviceType; }
  int GetRole() const { return m_nRole; }
  const DeviceOptionImages& Images() const { return m_images; }

  bool IsSelected();
  void Select(bool on);
  bool IsSynchroSelected();
  void SetSynchroSelected(bool on);
  void ShowSynchro(bool on);

  void BindPage(const std::string& tabName, int index);
  const std::string& GetBoundPageName() const { return m_strBoundTab; }
  int GetBoundPageIndex() const { return m_nBoundPage; }
  void SetPowerTarget(const std::string& name, int index);
  const std::string& GetPowerTarget() const { return m_strPowerTarget; }
  int GetPowerPage() const { return m_nPowerPage; }
  void SetGroup(const std::string& name);
  void SetDisplayName(const std::string& text);
  void SetDevice(CVantorUSBDevice* device, CDevicePageUI* page);
  CVantorUSBDevice* GetDevice() const { return m_pDevice; }
  CDevicePageUI* GetPage() const { return m_pPage; }

  void SetVisible(bool visible) override;
  bool IsShown() const { return m_bShown; }

  void StartConnect();                    // timer 1001 in 500 ms
  void StartReceiverWatch(int ms);        // timer 1007 while the command channel is open
  // Starts (or restarts) one of the heartbeat timers; 1000 on the cable runs
  // as a precise timer.
  void StartEntryTimer(int id, int ms);
  void StopEntryTimer(int id);
  void StopAllEntryTimers();
  bool IsEntryTimerActive(int id) const;
  // One tick of a heartbeat timer (the timer stops first; the tick restarts it).
  void OnEntryTimer(int id);

  COptionUI* SelectOption();
  COptionUI* SynchroOption();
  CLabelUI* NameLabel();

 private:
  void ApplyImages(bool synchro);

  CVantorUSBDevice* m_pDevice = nullptr;
  CDevicePageUI* m_pPage = nullptr;
  COptionUI* m_pSynchro = nullptr;
  COptionUI* m_pSelect = nullptr;
  CLabelUI* m_pName = nullptr;
  int m_nDeviceType = 0;
  int m_nRole = 0;
  DeviceOptionImages m_images;
  std::string m_strBoundTab;
  int m_nBoundPage = -1;
  std::string m_strPowerTarget;
  bool m_bShown = true;
  int m_nPowerPage = -1;
  std::map<int, QTimer*> m_entryTimers;
};

}  // namespace tarn
