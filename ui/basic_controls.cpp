#include "ui/basic_controls.h"

#include "ui/ui_string.h"
#include "ui/window.h"

namespace tarn {

CLabelUI::CLabelUI() { setAlignment(Qt::AlignLeft | Qt::AlignVCenter); }

bool CLabelUI::SetAttribute(const std::string& name, const std::string& value) {
  if (EqualsNoCase(name, "wordwrap")) {
    setWordWrap(ToBool(value));
    CControlUI::SetAttribute(name, value);
    return true;
  }
  return CControlUI::SetAttribute(name, value);
}

CButtonUI::CButtonUI() {
  setCursor(Qt::PointingHandCursor);
  // clicked() fires for a user's click (and click()), never for a state
  // change made by code.
  QObject::connect(this, &QPushButton::clicked, this, [this]() { OnUserClick(); });
}

void CButtonUI::ApplyAlignment(Qt::Alignment alignment) {
  const char* align = (alignment & Qt::AlignLeft) ? "left" : (alignment & Qt::AlignRight) ? "right" : "center";
  SetExtraStyle(std::string("text-align:") + align + ";");
}

void CButtonUI::OnUserClick() { SendNotify("click"); }

COptionUI::COptionUI() { setCheckable(true); }

void COptionUI::Selected(bool selected) {
  setChecked(selected);
  if (selected) UnselectGroup();
}

void COptionUI::UnselectGroup() {
  if (m_sGroup.empty()) return;
  CWindowUI* window = GetWindow();
  if (window == nullptr) return;
  for (CControlUI* control : window->AllControls()) {
    auto* option = dynamic_cast<COptionUI*>(control);
    if (option != nullptr && option != this && EqualsNoCase(option->m_sGroup, m_sGroup)) option->setChecked(false);
  }
}

void COptionUI::OnUserClick() {
  bool wasSelected = isChecked();
  bool nowSelected = m_sGroup.empty() ? !wasSelected : true;
  setChecked(nowSelected);
  if (nowSelected) UnselectGroup();
  SendNotify("click");
  if (nowSelected != wasSelected) SendNotify("selectchanged", nowSelected ? 1 : 0, 0);
}

bool COptionUI::SetAttribute(const std::string& name, const std::string& value) {
  std::string key = MakeLower(name);
  if (key == "group") {
    m_sGroup = value;
  } else if (key == "selected") {
    Selected(ToBool(value));
  } else {
    return CButtonUI::SetAttribute(name, value);
  }
  CControlUI::SetAttribute(name, value);
  return true;
}

}  // namespace tarn
