#pragma once
// A list of items: plain texts, or elements that are containers of controls.
#include <QListWidget>

#include <string>
#include <vector>

#include "ui/container.h"
#include "ui/control.h"

namespace tarn {

// The user's selection of another item raises "itemselect" (new index in
// wParam, old in lParam); a click on an item "itemclick" (index in wParam);
// a double click or the Return key "itemactivate" (index), Return also
// "return". SelectItem and every change from code raise nothing.
class CListUI : public CControlImpl<QListWidget> {
 public:
  CListUI();
  std::string GetClass() const override { return "List"; }
  int AddItem(const std::string& text, const std::string& userData = {});
  // An element made of controls; the list takes ownership.
  int Add(CControlUI* element);
  bool RemoveAt(int index);
  void RemoveAll();
  int GetCount() const { return count(); }
  int GetCurSel() const { return currentRow(); }
  bool SelectItem(int index);
  std::string GetItemText(int index) const;
  bool SetItemText(int index, const std::string& text);
  std::string GetItemUserData(int index) const;
  // The element at an index (null for a text item or a bad index).
  CControlUI* GetItemAt(int index) const;
  int GetItemIndex(const CControlUI* element) const;
  void ReloadText() override;

  // For elements: what a user's press, release and double click on an
  // element do.
  void ElementPressed(const CControlUI* element);
  void ElementClicked(const CControlUI* element);
  void ElementActivated(const CControlUI* element);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  struct Item {
    std::string raw;
    std::string userData;
  };
  std::vector<Item> m_items;
  int m_nLastSel = -1;
  bool m_bQuiet = false;
};

// A list element holding controls in a row. Pressing it selects it in its
// list, releasing sends "itemclick", a double click "itemactivate".
class CListContainerElementUI : public CHorizontalLayoutUI {
 public:
  std::string GetClass() const override { return "ListContainerElement"; }
  CListUI* GetOwnerList() const;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace tarn
