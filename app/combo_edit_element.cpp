#include "app/combo_edit_element.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "ui/dialog_builder.h"
#include "ui/window.h"

namespace tarn {

// Focus by keyboard or by code only: a press that focused the row would make
// it the list's current row before the press could decide (Ctrl toggles).
CComboEditContainerElementUI::CComboEditContainerElementUI() { setFocusPolicy(Qt::TabFocus); }

void CComboEditContainerElementUI::DoInit() {
  CWindowUI* window = GetWindow();
  CDialogBuilder builder;
  CControlUI* content = builder.Create(kLayout, window, window, this);
  if (content == nullptr) return;
  m_pText1 = CWindowUI::FindSubControlByName(this, "text1");
  m_pText2 = CWindowUI::FindSubControlByName(this, "text2");
  m_pDelayEdit = CWindowUI::FindSubControlByName(this, "delay_edit");
}

void CComboEditContainerElementUI::mousePressEvent(QMouseEvent* event) {
  CListUI* list = GetOwnerList();
  if (list != nullptr && (event->modifiers() & Qt::ControlModifier)) {
    // The focus stays where it is: a focused row becomes the list's current
    // one, which in a multiple selection toggles it once more.
    if (QListWidgetItem* item = list->item(list->GetItemIndex(this))) {
      if (list->selectionMode() == QAbstractItemView::SingleSelection)
        list->setSelectionMode(QAbstractItemView::MultiSelection);
      item->setSelected(!item->isSelected());
    }
    event->accept();
    return;
  }
  if (list != nullptr && list->selectionMode() != QAbstractItemView::SingleSelection) {
    // A plain press selects this row alone again.
    list->clearSelection();
    list->setSelectionMode(QAbstractItemView::SingleSelection);
  }
  CListContainerElementUI::mousePressEvent(event);
  setFocus();
}

void CComboEditContainerElementUI::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    CListUI* list = GetOwnerList();
    if (list != nullptr) {
      list->ElementActivated(this);
      if (CWindowUI* window = GetWindow()) window->SendNotify(list, "return", list->GetItemIndex(this));
    }
    event->accept();
    return;
  }
  CListContainerElementUI::keyPressEvent(event);
}

}  // namespace tarn
