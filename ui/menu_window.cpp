#include "ui/menu_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace tarn {

CMenuElementUI::CMenuElementUI() { setFlat(true); }

void CMenuElementUI::OnUserClick() {
  SendNotify("click");
  if (auto* menu = dynamic_cast<CMenuWnd*>(GetWindow())) menu->ItemChosen(GetName());
}

CMenuWnd* CMenuWnd::Init(CWindowUI* owner, const std::string& layout, QPoint point, int align) {
  auto* menu = new CMenuWnd();
  menu->m_sLayout = layout;
  menu->m_pOwner = owner;
  menu->setAttribute(Qt::WA_DeleteOnClose, true);
  menu->Create(nullptr, "menu", kStylePopup);
  if (!menu->GetBuildError().empty()) {
    delete menu;
    return nullptr;
  }
  QSize size = menu->size();
  if (menu->GetInitSize().isEmpty()) {
    // No size in the layout: as large as the items ask.
    size = menu->GetRoot()->GetWidget()->sizeHint().expandedTo(QSize(40, 10));
    menu->resize(size);
  }
  QPoint topLeft = point;
  if (align == kAlignRightAbove || align == kAlignLeftAbove) topLeft.ry() -= size.height();
  if (align == kAlignLeftBelow || align == kAlignLeftAbove) topLeft.rx() -= size.width();
  // Keep the menu on the screen.
  if (QScreen* screen = QGuiApplication::screenAt(point)) {
    QRect area = screen->availableGeometry();
    topLeft.setX(std::max(area.left(), std::min(topLeft.x(), area.right() - size.width() + 1)));
    topLeft.setY(std::max(area.top(), std::min(topLeft.y(), area.bottom() - size.height() + 1)));
  }
  menu->move(topLeft);
  menu->show();
  return menu;
}

void CMenuWnd::ItemChosen(const std::string& name) {
  QPointer<CWindowUI> owner = m_pOwner;
  Close(0);
  if (owner == nullptr) return;
  QTimer::singleShot(0, owner, [owner, name]() {
    if (owner != nullptr) owner->OnMenuCommand(name);
  });
}

}  // namespace tarn
