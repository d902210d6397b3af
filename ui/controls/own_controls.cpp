#include "ui/controls/own_controls.h"

#include "ui/controls/audio_record.h"
#include "ui/controls/chart_view.h"
#include "ui/controls/circle_progress.h"
#include "ui/controls/device_key_button.h"
#include "ui/controls/hand_img_button.h"
#include "ui/controls/redio_macro_button.h"
#include "ui/controls/select_panel.h"
#include "ui/controls/wnd_host.h"
#include "ui/dialog_builder.h"

namespace tarn {
namespace {

template <class T>
void Register(const char* name) {
  CControlFactory::Instance().RegistControl(name, []() -> CControlUI* { return new T(); });
}

}  // namespace

void RegisterOwnControls() {
  Register<CCircleProgressUI>("CCircleProgressUI");
  Register<CChartViewUI>("CChartViewUI");
  Register<CWndUI>("CWndUI");
  Register<CSelectPanelUI>("CSelectPanelUI");
  Register<CDeviceKeyButtonUI>("CDeviceKeyButtonUI");
  Register<CHandImgButtonUI>("CHandImgButtonUI");
  Register<CHandImgSelectButtonUI>("CHandImgSelectButtonUI");
  Register<CRedioMacroButtonUI>("CRedioMacroButtonUI");
  Register<CAudioRecordUI>("CAudioRecordUI");
}

}  // namespace tarn
