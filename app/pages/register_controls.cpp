#include "app/pages/register_controls.h"

#include <memory>

#include "app/pages/device_option_ui.h"
#include "app/pages/device_page_ui.h"
#include "app/pages/mp_device_power_ui.h"
#include "device/keyboard/keyboard_device.h"
#include "ui/dialog_builder.h"

namespace tarn {
namespace {

DevicePageFactory PlainFactory(const char* className) {
  return {className, [] { return new CDevicePageUI(); }, [] { return std::make_unique<CVantorUSBDevice>(); }};
}

}  // namespace

void RegisterDevicePageControls() {
  CControlFactory& factory = CControlFactory::Instance();
  factory.RegistControl("DeviceOption", [] { return new CDeviceOptionUI(); });
  factory.RegistControl("MpDevicePower", [] { return new CMpDevicePowerUI(); });
  // Defaults only: a page class registered before (the keyboard's own page) stays.
  if (!FindDevicePageFactory(0)) RegisterDevicePageFactory(0, PlainFactory("MouseDevice"));
  if (!FindDevicePageFactory(1))
    RegisterDevicePageFactory(1, {"KeyboardDevice", [] { return new CDevicePageUI(); },
                                  [] { return std::make_unique<keyboard::CVantorKeyboardDevice>(); }});
  if (!FindDevicePageFactory(2)) RegisterDevicePageFactory(2, PlainFactory("MousePadDevice"));
  if (!FindDevicePageFactory(3)) RegisterDevicePageFactory(3, PlainFactory("HeadsetDevice"));
  for (const char* name : {"MouseDevice", "KeyboardDevice", "MousePadDevice", "HeadsetDevice"})
    if (!factory.IsRegistered(name))
      factory.RegistControl(name, [name]() -> CControlUI* {
        const DevicePageFactory* f = FindDevicePageFactoryByClass(name);
        return f && f->createPage ? f->createPage() : new CDevicePageUI();
      });
}

}  // namespace tarn
