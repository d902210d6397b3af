#pragma once
// Pop-up menus built from a layout: a window whose "MenuElement" controls
// are the items. A click on an item closes the menu and hands the item's
// name to the owner window's OnMenuCommand from the event loop. A click
// outside the menu closes it.
#include <QPointer>

#include <string>

#include "ui/basic_controls.h"
#include "ui/window.h"

namespace tarn {

class CMenuElementUI : public CButtonUI {
 public:
  CMenuElementUI();
  std::string GetClass() const override { return "MenuElement"; }

 protected:
  void OnUserClick() override;
};

class CMenuWnd : public CWindowUI {
 public:
  // Where the menu opens relative to the point.
  enum Align {
    kAlignRightBelow = 0,  // the point is the menu's top left corner
    kAlignRightAbove = 1,  // bottom left corner
    kAlignLeftBelow = 2,   // top right corner
    kAlignLeftAbove = 3,   // bottom right corner
  };

  // Builds the menu from layout and shows it at point (global coordinates).
  // The menu deletes itself when it closes. Null when the layout holds no
  // control.
  static CMenuWnd* Init(CWindowUI* owner, const std::string& layout, QPoint point, int align = kAlignRightBelow);

  std::string GetSkinFile() const override { return m_sLayout; }
  std::string GetWindowClassName() const override { return "MenuWnd"; }
  CWindowUI* GetOwner() const { return m_pOwner; }
  // Called by an item: closes the menu and tells the owner.
  void ItemChosen(const std::string& name);

 private:
  CMenuWnd() = default;
  std::string m_sLayout;
  QPointer<CWindowUI> m_pOwner;
};

}  // namespace tarn
