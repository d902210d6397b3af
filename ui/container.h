#pragma once
// Containers: a vertical or horizontal box of children, and the tab layout
// that shows one child at a time. Children with float="true" are placed at
// their "pos" instead of in the box.
#include <QWidget>

#include <string>
#include <vector>

#include "ui/control.h"

class QBoxLayout;
class QStackedLayout;

namespace tarn {

class CContainerUI : public CControlImpl<QWidget> {
 public:
  CContainerUI();
  std::string GetClass() const override { return "Container"; }

  // Takes ownership. False for a null control or one already placed here.
  bool Add(CControlUI* control);
  bool AddAt(CControlUI* control, int index);
  // Removes and destroys the control (deferred, so a handler of one of its
  // notifications may remove it safely).
  bool Remove(CControlUI* control);
  void RemoveAll();
  int GetCount() const { return static_cast<int>(m_items.size()); }
  CControlUI* GetItemAt(int index) const;
  int GetItemIndex(CControlUI* control) const;

  // The first control of this name (without regard to case) under this
  // container, at any depth; null when there is none.
  CControlUI* FindSubControl(const std::string& name) const;

  bool SetAttribute(const std::string& name, const std::string& value) override;
  void ApplyScale(double scale) override;

 protected:
  virtual bool IsHorizontal() const { return false; }
  bool HandleDoubleClick(QMouseEvent*) override { return false; }
  // Puts the children into the Qt layout again (after a change or a rescale).
  virtual void Relayout();

  std::vector<CControlUI*> m_items;
  CRectUI m_rcInset;
  int m_nChildPadding = 0;
  double m_dScale = 1.0;
  QBoxLayout* m_pBox;
};

class CVerticalLayoutUI : public CContainerUI {
 public:
  std::string GetClass() const override { return "VerticalLayout"; }
};

class CHorizontalLayoutUI : public CContainerUI {
 public:
  CHorizontalLayoutUI();
  std::string GetClass() const override { return "HorizontalLayout"; }

 protected:
  bool IsHorizontal() const override { return true; }
};

// Shows one child (page) at a time. Selecting a page from code raises nothing.
class CTabLayoutUI : public CContainerUI {
 public:
  CTabLayoutUI();
  std::string GetClass() const override { return "TabLayout"; }
  bool SelectItem(int index);
  bool SelectItem(CControlUI* control) { return SelectItem(GetItemIndex(control)); }
  int GetCurSel() const { return m_nCurSel; }
  bool SetAttribute(const std::string& name, const std::string& value) override;

 protected:
  void Relayout() override;

 private:
  int m_nCurSel = 0;
};

}  // namespace tarn
