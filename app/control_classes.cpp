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

// Classes registered one by one, under their class names, after the groups
// of ui/controls and app/pages. Any of CUpdateInfoListItemUI,
// CComboEditContainerElementUI, CLightControlUI, CMacroControlUI,
// CKeySetControlUI, CDeviceProfileUI, CShootControlUI, CMagicControlUI,
// CVoice6533ControlUI, CVantorMousePadDevice or CVantorRO6533Device that no
// group registers joins here with its own change, as
// Entry<CLightControlUI>("CLightControlUI").
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
