#pragma once
// The notification-area icon of a window. Left and right clicks reach the
// owner through the callback as the button that was released.
#include <QIcon>

#include <functional>
#include <memory>
#include <string>

class QSystemTrayIcon;

namespace tarn {

class CTrayIcon {
 public:
  enum Event { kLeftClick, kRightClick, kDoubleClick, kMiddleClick };
  using Callback = std::function<void(Event)>;

  CTrayIcon();
  ~CTrayIcon();
  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;

  // Shows the icon with a tool tip. Creating it again replaces the old one.
  void CreateTrayIcon(const QIcon& icon, const std::string& toolTip, Callback callback);
  void DeleteTrayIcon();
  bool IsCreated() const { return m_pIcon != nullptr; }
  void SetToolTip(const std::string& toolTip);
  std::string GetToolTip() const;
  // Whether the desktop shows notification-area icons at all.
  static bool IsAvailable();

 private:
  std::unique_ptr<QSystemTrayIcon> m_pIcon;
};

}  // namespace tarn
