#include "app/combo_edit_element.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "ui/dialog_builder.h"
#include "ui/window.h"

namespace tarn {

CComboEditContainerElementUI::CComboEditContainerElementUI() { setFocusPolicy(Qt::StrongFocus); }

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
    int index = list->GetItemIndex(this);
    if (QListWidgetItem* item = list->item(index)) {
      if (list->selectionMode() == QAbstractItemView::SingleSelection)
        list->setSelectionMode(QAbstractItemView::MultiSelection);
      item->setSelected(!item->isSelected());
    }
    setFocus();
    event->accept();
    return;
  }
  setFocus();
  CListContainerElementUI::mousePressEvent(event);
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
