#pragma once
// Edits, combos, sliders and progress bars.
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QSlider>

#include <optional>
#include <string>
#include <vector>

#include "ui/control.h"

namespace tarn {

// A one-line edit. The user's typing raises "textchanged", the Return key
// "return", losing the focus "killfocus". With number only set the edit
// takes digits only; with a minimum or maximum the value is brought into the
// range when the user leaves the edit or presses Return (before those
// notifications go out). Text set from code raises nothing and is shown as
// given (no language lookup).
class CEditUI : public CControlImpl<QLineEdit> {
 public:
  CEditUI();
  std::string GetClass() const override { return "Edit"; }
  std::string GetText() const override { return text().toStdString(); }
  void SetMaxChar(int maxChars);
  int GetMaxChar() const { return maxLength(); }
  void SetNumberOnly(bool on);
  bool IsNumberOnly() const { return m_bNumberOnly; }
  void SetMinValue(int value) { m_minValue = value; }
  void SetMaxValue(int value) { m_maxValue = value; }
  void SetReadOnly(bool on) { setReadOnly(on); }
  bool SetAttribute(const std::string& name, const std::string& value) override;

 protected:
  void ShowText(const std::string& text) override;
  void OnKillFocus() override { ClampToRange(); }
  void ClampToRange();

 private:
  bool m_bNumberOnly = false;
  std::optional<int> m_minValue;
  std::optional<int> m_maxValue;
};

// A drop-down list. A user's choice of another item raises "itemselect"
// with the new index in wParam and the old one in lParam; SelectItem from
// code raises nothing. Item texts follow the control's language lookup.
class CComboUI : public CControlImpl<QComboBox> {
 public:
  CComboUI();
  std::string GetClass() const override { return "Combo"; }
  int AddItem(const std::string& text, const std::string& userData = {});
  bool RemoveItem(int index);
  void RemoveAll();
  int GetCount() const { return count(); }
  int GetCurSel() const { return currentIndex(); }
  bool SelectItem(int index);
  std::string GetItemText(int index) const;
  std::string GetItemUserData(int index) const;
  std::string GetText() const override { return GetItemText(GetCurSel()); }
  void ReloadText() override;

 private:
  struct Item {
    std::string raw;
    std::string userData;
  };
  std::vector<Item> m_items;
  int m_nLastSel = -1;
  bool m_bQuiet = false;
};

// A slider. While the user drags, each change raises "movevaluechanged";
// the change the user ends with (release, click on the groove, keys, wheel)
// raises "valuechanged". SetValue and range changes from code raise nothing.
class CSliderUI : public CControlImpl<QSlider> {
 public:
  CSliderUI();
  std::string GetClass() const override { return "Slider"; }
  int GetValue() const { return value(); }
  void SetValue(int value);
  int GetMinValue() const { return minimum(); }
  int GetMaxValue() const { return maximum(); }
  void SetMinValue(int value);
  void SetMaxValue(int value);
  void SetChangeStep(int step) { setSingleStep(step); }
  bool SetAttribute(const std::string& name, const std::string& value) override;

 private:
  bool m_bQuiet = false;
  int m_nPressValue = 0;
};

// A progress bar; shows a value in a range and raises nothing.
class CProgressUI : public CControlImpl<QProgressBar> {
 public:
  CProgressUI();
  std::string GetClass() const override { return "Progress"; }
  int GetValue() const { return value(); }
  void SetValue(int value);
  int GetMinValue() const { return minimum(); }
  int GetMaxValue() const { return maximum(); }
  void SetMinValue(int value) { setMinimum(value); }
  void SetMaxValue(int value) { setMaximum(value); }
  bool SetAttribute(const std::string& name, const std::string& value) override;
};

}  // namespace tarn
