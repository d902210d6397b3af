#include <memory>

#include "app/keyboard_page/device_profile_ui.h"
#include "app/keyboard_page/keyboard_page_ui.h"
#include "ui/dialog_builder.h"

namespace tarn {

// Row 1 of the device page table is the keyboard's.
constexpr int kKeyboardPageRow = 1;

void RegisterKeyboardPage() {
  RegisterDevicePageFactory(kKeyboardPageRow,
                            {CKeyboardPageUI::kClassName, []() -> CDevicePageUI* { return new CKeyboardPageUI(); },
                             []() { return std::make_unique<keyboard::CVantorKeyboardDevice>(); }});
  CControlFactory& factory = CControlFactory::Instance();
  factory.RegistControl("CDeviceProfileUI", []() -> CControlUI* { return new CDeviceProfileUI(); });
  factory.RegistControl(CKeyboardPageUI::kClassName, []() -> CControlUI* { return new CKeyboardPageUI(); });
}

}  // namespace tarn
