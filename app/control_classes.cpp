#include "app/control_classes.h"

#include <functional>
#include <string>
#include <vector>

#include "app/pages/register_controls.h"
#include "ui/controls/own_controls.h"
#include "ui/dialog_builder.h"

namespace tarn {
namespace {

struct ControlClass {
  const char* name;
  CControlFactory::Creator create;
};

template <class T>
ControlClass Entry(const char* name) {
  return {name, []() -> CControlUI* { return new T(); }};
}

// Each control class joins here under its class name, in this order:
// CCircleProgressUI, CChartViewUI, CWndUI, CSelectPanelUI,
// CDeviceKeyButtonUI, CUpdateInfoListItemUI, CDeviceOptionUI,
// CMpDevicePowerUI, CComboEditContainerElementUI, CHandImgButtonUI,
// CHandImgSelectButtonUI, CRedioMacroButtonUI, CAudioRecordUI,
// CLightControlUI, CMacroControlUI, CKeySetControlUI, CDeviceProfileUI,
// CShootControlUI, CMagicControlUI, CVoice6533ControlUI, CVantorUSBDevice,
// CVantorMousePadDevice, CVantorRO6533Device. A class is added with its
// own change, as Entry<CCircleProgressUI>("CCircleProgressUI").
std::vector<ControlClass> ControlClassTable() { return {}; }

}  // namespace

void RegisterControlClasses() {
  // The folders of own controls register theirs as a group.
  RegisterOwnControls();
  RegisterDevicePageControls();
  for (ControlClass& entry : ControlClassTable()) {
    CControlFactory::Instance().RegistControl(entry.name, std::move(entry.create));
  }
}

}  // namespace tarn
