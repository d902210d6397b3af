#include "app/keyboard_page/device_profile_ui.h"

#include <algorithm>

#include "ui/basic_controls.h"
#include "ui/input_controls.h"
#include "ui/ui_string.h"
#include "ui/window.h"

namespace tarn {
namespace {

const char* const kOpTabs[CDeviceProfileUI::kPageCount] = {
    "deng_Op_tab",       "key_Op_tab",  "macro_Op_tab", "system_Op_tab", "cursor_Op_tab",
    "6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"};

struct TabVisibility {
  int type;
  std::vector<int> hidden;
  std::vector<int> shown;
};
// Pages by device type code; the others stay as the layout has them.
const TabVisibility kVisibility[] = {
    {1, {5}, {}},
    {2, {}, {}},
    {3, {5, 3, 4, 2}, {}},
    {4, {5, 3, 2}, {}},
    {5, {5, 3, 4, 2}, {}},
    {7, {5, 3, 4, 2}, {6, 7, 8}},
};

// Combo items show the profile name as text and as tool tip.
void AddItem(CComboUI* combo, const std::string& name) {
  int item = combo->AddItem(name);
  combo->setItemData(item, QString::fromStdString(name), Qt::ToolTipRole);
}

}  // namespace

CComboUI* CDeviceProfileUI::Combo() {
  if (m_pCombo == nullptr) m_pCombo = dynamic_cast<CComboUI*>(FindSubControl("device_profile_combo"));
  return m_pCombo;
}
CEditUI* CDeviceProfileUI::NameEdit() const { return dynamic_cast<CEditUI*>(FindSubControl("device_profile_name_edit")); }
CControlUI* CDeviceProfileUI::Menu() const { return FindSubControl("profile_menu_layout"); }
COptionUI* CDeviceProfileUI::OpTab(int page) const {
  if (page < 1 || page > kPageCount) return nullptr;
  return dynamic_cast<COptionUI*>(FindSubControl(kOpTabs[page - 1]));
}

int CDeviceProfileUI::OpTabPage(const std::string& name) {
  for (int i = 0; i < kPageCount; ++i)
    if (EqualsNoCase(name, kOpTabs[i])) return i + 1;
  return 0;
}

void CDeviceProfileUI::FillCombo() {
  CComboUI* combo = Combo();
  if (combo == nullptr) return;
  combo->SetResourceText(false);
  combo->RemoveAll();
  for (const ProfileListEntry& entry : m_list.Entries()) {
    AddItem(combo, entry.name);
  }
}

void CDeviceProfileUI::InitProfiles() {
  m_list.Load();
  FillCombo();
  SelectProfile(m_list.GetSelected(), false);
  for (const TabVisibility& row : kVisibility) {
    if (row.type != m_list.GetDeviceType()) continue;
    for (int page : row.hidden)
      if (COptionUI* tab = OpTab(page)) tab->SetVisible(false);
    for (int page : row.shown)
      if (COptionUI* tab = OpTab(page)) tab->SetVisible(true);
  }
}

void CDeviceProfileUI::SelectProfile(int index, bool notify) {
  CComboUI* combo = Combo();
  if (combo == nullptr) return;
  int old = combo->GetCurSel();
  if (!combo->SelectItem(index)) return;
  if (notify) combo->SendNotify("itemselect", index, old);
  SetEditedName(combo->GetItemText(index));
  m_list.Select(index);
}

int CDeviceProfileUI::GetSelectedIndex() const {
  auto* combo = dynamic_cast<CComboUI*>(FindSubControl("device_profile_combo"));
  return combo == nullptr ? -1 : combo->GetCurSel();
}

std::string CDeviceProfileUI::GetEditedName() const {
  CEditUI* edit = NameEdit();
  return edit == nullptr ? std::string() : edit->GetText();
}

void CDeviceProfileUI::SetEditedName(const std::string& text) {
  if (CEditUI* edit = NameEdit()) edit->SetText(text);
}

void CDeviceProfileUI::ShowProfileMenu(bool show) {
  if (CControlUI* menu = Menu()) menu->SetVisible(show);
}

bool CDeviceProfileUI::IsProfileMenuVisible() const {
  CControlUI* menu = Menu();
  return menu != nullptr && !menu->GetWidget()->isHidden();
}

int CDeviceProfileUI::GetProfileCount() { return m_list.Reread(); }

void CDeviceProfileUI::ReloadList() {
  CComboUI* combo = Combo();
  if (combo == nullptr) return;
  m_list.Reread();
  FillCombo();
  int index = 0;
  for (int i = 0; i < m_list.Count(); ++i)
    if (m_list.Entries()[static_cast<size_t>(i)].uuid == m_list.GetSelectedUUID()) index = i;
  combo->SelectItem(index);
  SetEditedName(combo->GetItemText(index));
}

bool CDeviceProfileUI::AddProfile() {
  CComboUI* combo = Combo();
  if (combo == nullptr) return false;
  int index = m_list.Add();
  if (index < 0) return false;
  AddItem(combo, m_list.Entries()[static_cast<size_t>(index)].name);
  return true;
}

bool CDeviceProfileUI::DeleteProfile() {
  CComboUI* combo = Combo();
  if (combo == nullptr) return false;
  int sel = combo->GetCurSel();
  if (sel < 0 || combo->GetCount() < 2) return false;
  if (!m_list.Delete(sel)) return false;
  combo->RemoveItem(sel);
  // The neighbour takes the selection as if the user chose it, so the
  // device switches to it.
  int next = std::clamp(sel == 0 ? 0 : sel - 1, 0, combo->GetCount() - 1);
  combo->SelectItem(next);
  combo->SendNotify("itemselect", next, sel);
  return true;
}

bool CDeviceProfileUI::CopyProfile() {
  CComboUI* combo = Combo();
  if (combo == nullptr || combo->GetCurSel() < 0) return false;
  int index = m_list.Copy(combo->GetCurSel());
  if (index < 0) return false;
  AddItem(combo, m_list.Entries()[static_cast<size_t>(index)].name);
  return true;
}

bool CDeviceProfileUI::ImportProfile(const std::string& path) {
  CComboUI* combo = Combo();
  if (combo == nullptr) return false;
  int index = m_list.Import(path);
  if (index < 0) return false;
  AddItem(combo, m_list.Entries()[static_cast<size_t>(index)].name);
  return true;
}

bool CDeviceProfileUI::ExportProfile(const std::string& path) {
  CComboUI* combo = Combo();
  return combo != nullptr && m_list.Export(combo->GetCurSel(), path);
}

bool CDeviceProfileUI::ResetSelectedProfile() {
  CComboUI* combo = Combo();
  return combo != nullptr && m_list.Reset(combo->GetCurSel());
}

int CDeviceProfileUI::RenameProfile(const std::string& name) {
  CComboUI* combo = Combo();
  if (combo == nullptr) return kRenameTaken;
  int sel = combo->GetCurSel();
  int result = m_list.Rename(sel, name);
  if (result != kRenameDone) return result;
  // The combo's texts follow the list.
  FillCombo();
  combo->SelectItem(sel);
  SetEditedName(name);
  return result;
}

void CDeviceProfileUI::SelectOpTab(int page) {
  COptionUI* tabs[kPageCount];
  for (int i = 0; i < kPageCount; ++i) {
    tabs[i] = OpTab(i + 1);
    if (tabs[i] == nullptr) return;
  }
  if (page >= 1 && page <= kPageCount) {
    for (int i = 0; i < kPageCount; ++i) tabs[i]->setChecked(i + 1 == page);
    return;
  }
  for (int i = 0; i < kPageCount - 1; ++i) tabs[i]->setChecked(false);
}

}  // namespace tarn
