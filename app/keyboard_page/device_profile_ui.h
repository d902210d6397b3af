#pragma once
// The profile bar of a device page: the combo of the device's profiles, the
// name edit, the pop-up of profile buttons and the buttons that choose the
// settings page. The list itself (ProfileList.ini and the profile files) is
// CProfileList; the bar mirrors it into its controls.
#include <string>

#include "profile/profile_list.h"
#include "ui/container.h"

namespace tarn {

class CComboUI;
class CEditUI;
class COptionUI;

class CDeviceProfileUI : public CHorizontalLayoutUI {
 public:
  static constexpr const char* kClassName = "DeviceProfile";
  static constexpr int kPageCount = 8;

  std::string GetClass() const override { return kClassName; }

  void SetDeviceType(int code) { m_list.SetDeviceType(code); }
  int GetDeviceType() const { return m_list.GetDeviceType(); }
  // userFolder ends in '/'.
  void SetFolders(const std::string& userFolder, const std::string& defaultProfilePath) {
    m_list.SetFolders(userFolder, defaultProfilePath);
  }
  CProfileList& List() { return m_list; }

  // Loads or creates the list, fills the combo, selects the stored profile
  // and hides the page buttons the device type lacks.
  void InitProfiles();
  // Selects combo item index (raising "itemselect" only with notify), shows
  // its name, stores it as the list's selection.
  void SelectProfile(int index, bool notify);
  int GetSelectedIndex() const;
  std::string GetSelectedUUID() const { return m_list.GetSelectedUUID(); }
  std::string GetEditedName() const;
  void SetEditedName(const std::string& text);
  void ShowProfileMenu(bool show);
  bool IsProfileMenuVisible() const;
  // Rereads the list file.
  int GetProfileCount();
  // Rereads the list file into the combo (the keyboard asked for a reload);
  // the selection stays on the current profile where it is still listed.
  void ReloadList();
  std::string GetProfileFilePath(int index) const { return m_list.ProfileFilePath(index); }

  // Each true when the list changed.
  bool AddProfile();
  // Removes the selected profile; the combo then selects the neighbour and
  // raises "itemselect", so the profile switch follows.
  bool DeleteProfile();
  bool CopyProfile();
  bool ImportProfile(const std::string& path);
  bool ExportProfile(const std::string& path);
  bool ResetSelectedProfile();
  // kRenameTaken, kRenameDone or kRenameBlank.
  int RenameProfile(const std::string& name);
  // Page 1-8 selected, the others cleared (no notification); another number
  // clears the first seven. Nothing unless all eight buttons exist.
  void SelectOpTab(int page);
  // The page number of an op tab button name, 0 for other names.
  static int OpTabPage(const std::string& name);

 private:
  CComboUI* Combo();
  CEditUI* NameEdit() const;
  CControlUI* Menu() const;
  COptionUI* OpTab(int page) const;
  void FillCombo();

  CProfileList m_list;
  CComboUI* m_pCombo = nullptr;
};

}  // namespace tarn
