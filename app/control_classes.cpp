#include "app/control_classes.h"

#include <functional>
#include <string>
#include <vector>

#include "app/combo_edit_element.h"
#include "app/keyboard_page/keyboard_page_ui.h"
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
// of ui/controls, app/pages and app/keyboard_page.
std::vector<ControlClass> ControlClassTable() {
  return {Entry<CComboEditContainerElementUI>("ComboEditContainerElement"),
          Entry<CComboEditContainerElementUI>("CComboEditContainerElementUI")};
}

}  // namespace

void RegisterControlClasses() {
  // The folders of own controls register theirs as a group.
  RegisterOwnControls();
  RegisterDevicePageControls();
  RegisterKeyboardPage();
  for (ControlClass& entry : ControlClassTable()) {
    CControlFactory::Instance().RegistControl(entry.name, std::move(entry.create));
  }
}

}  // namespace tarn
