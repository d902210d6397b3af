#include "ui/container.h"

#include <QBoxLayout>
#include <QStackedLayout>

#include <algorithm>

#include "ui/ui_string.h"
#include "ui/window.h"

namespace tarn {
namespace {

int Scaled(int value, double scale) { return static_cast<int>(value * scale + 0.5); }

}  // namespace

CContainerUI::CContainerUI() : m_pBox(new QBoxLayout(QBoxLayout::TopToBottom, this)) {
  m_pBox->setContentsMargins(0, 0, 0, 0);
  m_pBox->setSpacing(0);
}

// Virtual calls do not reach a subclass from the base constructor, so the
// horizontal box turns the base's vertical one.
CHorizontalLayoutUI::CHorizontalLayoutUI() { m_pBox->setDirection(QBoxLayout::LeftToRight); }

bool CContainerUI::Add(CControlUI* control) { return AddAt(control, GetCount()); }

bool CContainerUI::AddAt(CControlUI* control, int index) {
  if (control == nullptr || control == this || std::find(m_items.begin(), m_items.end(), control) != m_items.end()) {
    return false;
  }
  index = std::clamp(index, 0, GetCount());
  QWidget* widget = control->GetWidget();
  bool hidden = widget->isHidden();
  widget->setParent(this);
  // setParent hides a widget; keep what the layout or code asked for.
  widget->setVisible(!hidden || !widget->testAttribute(Qt::WA_WState_ExplicitShowHide));
  m_items.insert(m_items.begin() + index, control);
  control->ApplyScale(GetScale());
  Relayout();
  return true;
}

bool CContainerUI::Remove(CControlUI* control) {
  auto found = std::find(m_items.begin(), m_items.end(), control);
  if (found == m_items.end()) return false;
  m_items.erase(found);
  QWidget* widget = control->GetWidget();
  widget->hide();
  widget->setParent(nullptr);
  widget->deleteLater();
  Relayout();
  return true;
}

void CContainerUI::RemoveAll() {
  while (!m_items.empty()) Remove(m_items.back());
}

CControlUI* CContainerUI::GetItemAt(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return m_items[static_cast<size_t>(index)];
}

int CContainerUI::GetItemIndex(CControlUI* control) const {
  auto found = std::find(m_items.begin(), m_items.end(), control);
  return found == m_items.end() ? -1 : static_cast<int>(found - m_items.begin());
}

CControlUI* CContainerUI::FindSubControl(const std::string& name) const {
  return CWindowUI::FindSubControlByName(this, name);
}

bool CContainerUI::SetAttribute(const std::string& name, const std::string& value) {
  std::string key = MakeLower(name);
  if (key == "inset") {
    ParseRect(value, m_rcInset);
  } else if (key == "childpadding") {
    m_nChildPadding = ToInt(value);
  } else {
    return CControlUI::SetAttribute(name, value);
  }
  CControlUI::SetAttribute(name, value);  // keep the value readable
  Relayout();
  return true;
}

void CContainerUI::ApplyScale(double scale) {
  m_dScale = scale;
  CControlUI::ApplyScale(scale);
  for (CControlUI* item : m_items) item->ApplyScale(scale);
  Relayout();
}

void CContainerUI::Relayout() {
  if (m_pBox == nullptr) return;
  while (QLayoutItem* item = m_pBox->takeAt(0)) delete item;
  double s = m_dScale;
  m_pBox->setContentsMargins(Scaled(m_rcInset.left, s), Scaled(m_rcInset.top, s), Scaled(m_rcInset.right, s),
                             Scaled(m_rcInset.bottom, s));
  m_pBox->setSpacing(Scaled(m_nChildPadding, s));
  bool horizontal = IsHorizontal();
  for (CControlUI* item : m_items) {
    if (item->IsFloat()) {
      item->GetWidget()->raise();
      continue;
    }
    const CRectUI& pad = item->GetPadding();
    int before = horizontal ? pad.left : pad.top;
    int after = horizontal ? pad.right : pad.bottom;
    if (before > 0) m_pBox->addSpacing(Scaled(before, s));
    m_pBox->addWidget(item->GetWidget());
    if (after > 0) m_pBox->addSpacing(Scaled(after, s));
  }
}

CTabLayoutUI::CTabLayoutUI() = default;

bool CTabLayoutUI::SelectItem(int index) {
  if (index < 0 || index >= GetCount()) return false;
  m_nCurSel = index;
  Relayout();
  return true;
}

bool CTabLayoutUI::SetAttribute(const std::string& name, const std::string& value) {
  if (EqualsNoCase(name, "selectedid")) {
    m_nCurSel = ToInt(value);
    CControlUI::SetAttribute(name, value);
    Relayout();
    return true;
  }
  return CContainerUI::SetAttribute(name, value);
}

void CTabLayoutUI::Relayout() {
  // Every page fills the layout; only the selected one is shown.
  CContainerUI::Relayout();
  for (int i = 0; i < GetCount(); ++i) m_items[static_cast<size_t>(i)]->GetWidget()->setVisible(i == m_nCurSel);
}

}  // namespace tarn
