#pragma once
// Labels, buttons and options.
#include <QLabel>
#include <QPushButton>

#include <string>

#include "ui/control.h"

namespace tarn {

class CLabelUI : public CControlImpl<QLabel> {
 public:
  CLabelUI();
  std::string GetClass() const override { return "Label"; }
  bool SetAttribute(const std::string& name, const std::string& value) override;

 protected:
  void ShowText(const std::string& text) override { setText(QString::fromStdString(text)); }
  void ApplyAlignment(Qt::Alignment alignment) override { setAlignment(alignment); }
};

// A label that wraps its text over several lines.
class CTextUI : public CLabelUI {
 public:
  CTextUI() { setWordWrap(true); }
  std::string GetClass() const override { return "Text"; }
};

// "click" on a user's click (press and release on the button, or the space
// key while focused).
class CButtonUI : public CControlImpl<QPushButton> {
 public:
  CButtonUI();
  std::string GetClass() const override { return "Button"; }

 protected:
  void ShowText(const std::string& text) override { setText(QString::fromStdString(text)); }
  void ApplyAlignment(Qt::Alignment alignment) override;
  // What a user's click does; the base raises "click".
  virtual void OnUserClick();
};

// An option: a button with a selected state. Options with the same "group"
// in one window exclude each other, and a click on the selected one of a
// group leaves it selected. A user's click raises "click" and, when the
// state changed, "selectchanged" from the option that changed (in a group:
// the one that became selected). Selected() from code raises nothing.
class COptionUI : public CButtonUI {
 public:
  COptionUI();
  std::string GetClass() const override { return "Option"; }
  bool IsSelected() const { return isChecked(); }
  void Selected(bool selected);
  const std::string& GetGroup() const { return m_sGroup; }
  void SetGroup(const std::string& group) { m_sGroup = group; }
  bool SetAttribute(const std::string& name, const std::string& value) override;

 protected:
  void OnUserClick() override;
  void nextCheckState() override {}  // the state changes in OnUserClick only
  // Unselects the other options of the group in this window.
  void UnselectGroup();

 private:
  std::string m_sGroup;
};

// An option drawn as a check box (no group unless one is given).
class CCheckBoxUI : public COptionUI {
 public:
  std::string GetClass() const override { return "CheckBox"; }
  bool GetCheck() const { return IsSelected(); }
  void SetCheck(bool check) { Selected(check); }
};

}  // namespace tarn
