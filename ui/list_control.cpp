#include "ui/list_control.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

#include "ui/resource_manager.h"

namespace tarn {

CListUI::CListUI() {
  setSelectionMode(QAbstractItemView::SingleSelection);
  QObject::connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
    int old = m_nLastSel;
    m_nLastSel = row;
    if (!m_bQuiet && row != old) SendNotify("itemselect", row, old);
  });
  QObject::connect(this, &QListWidget::itemClicked, this,
                   [this](QListWidgetItem* item) { SendNotify("itemclick", row(item), 0); });
  QObject::connect(this, &QListWidget::itemDoubleClicked, this,
                   [this](QListWidgetItem* item) { SendNotify("itemactivate", row(item), 0); });
}

int CListUI::AddItem(const std::string& text, const std::string& userData) {
  m_items.push_back({text, userData});
  std::string shown = IsResourceText() ? CResourceManager::Instance().GetText(text, GetClass()) : text;
  m_bQuiet = true;
  addItem(QString::fromStdString(shown));
  m_bQuiet = false;
  return count() - 1;
}

int CListUI::Add(CControlUI* element) {
  if (element == nullptr) return -1;
  m_items.push_back({});
  m_bQuiet = true;
  auto* item = new QListWidgetItem(this);
  element->ApplyScale(GetScale());
  item->setSizeHint(element->GetWidget()->sizeHint().expandedTo(element->GetWidget()->minimumSize()));
  setItemWidget(item, element->GetWidget());
  m_bQuiet = false;
  return count() - 1;
}

bool CListUI::RemoveAt(int index) {
  if (index < 0 || index >= count()) return false;
  QPointer<QWidget> widget = itemWidget(item(index));
  m_bQuiet = true;
  QListWidgetItem* taken = takeItem(index);
  m_bQuiet = false;
  // The view may already have let go of the element's widget.
  if (widget != nullptr) {
    widget->hide();
    widget->setParent(nullptr);  // out of the list's tree at once
    widget->deleteLater();
  }
  delete taken;
  m_items.erase(m_items.begin() + index);
  m_nLastSel = currentRow();
  return true;
}

void CListUI::RemoveAll() {
  m_bQuiet = true;
  clear();
  m_bQuiet = false;
  m_items.clear();
  m_nLastSel = -1;
}

bool CListUI::SelectItem(int index) {
  if (index < -1 || index >= count()) return false;
  m_bQuiet = true;
  setCurrentRow(index);
  m_bQuiet = false;
  return true;
}

std::string CListUI::GetItemText(int index) const {
  if (index < 0 || index >= count()) return {};
  return item(index)->text().toStdString();
}

bool CListUI::SetItemText(int index, const std::string& text) {
  if (index < 0 || index >= count()) return false;
  m_items[static_cast<size_t>(index)].raw = text;
  std::string shown = IsResourceText() ? CResourceManager::Instance().GetText(text, GetClass()) : text;
  item(index)->setText(QString::fromStdString(shown));
  return true;
}

std::string CListUI::GetItemUserData(int index) const {
  if (index < 0 || index >= static_cast<int>(m_items.size())) return {};
  return m_items[static_cast<size_t>(index)].userData;
}

CControlUI* CListUI::GetItemAt(int index) const {
  if (index < 0 || index >= count()) return nullptr;
  return AsControl(itemWidget(item(index)));
}

int CListUI::GetItemIndex(const CControlUI* element) const {
  for (int i = 0; i < count(); ++i) {
    if (element != nullptr && itemWidget(item(i)) == element->GetWidget()) return i;
  }
  return -1;
}

void CListUI::ReloadText() {
  CControlUI::ReloadText();
  for (int i = 0; i < count() && i < static_cast<int>(m_items.size()); ++i) {
    if (itemWidget(item(i)) != nullptr) continue;
    const std::string& raw = m_items[static_cast<size_t>(i)].raw;
    std::string shown = IsResourceText() ? CResourceManager::Instance().GetText(raw, GetClass()) : raw;
    item(i)->setText(QString::fromStdString(shown));
  }
}

void CListUI::ElementPressed(const CControlUI* element) {
  int index = GetItemIndex(element);
  if (index >= 0) setCurrentRow(index);  // a user's choice: raises "itemselect"
}

void CListUI::ElementClicked(const CControlUI* element) {
  int index = GetItemIndex(element);
  if (index >= 0) SendNotify("itemclick", index, 0);
}

void CListUI::ElementActivated(const CControlUI* element) {
  int index = GetItemIndex(element);
  if (index >= 0) SendNotify("itemactivate", index, 0);
}

void CListUI::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRow() >= 0) {
    SendNotify("itemactivate", currentRow(), 0);
    SendNotify("return", currentRow(), 0);
    event->accept();
    return;
  }
  QListWidget::keyPressEvent(event);
}

CListUI* CListContainerElementUI::GetOwnerList() const {
  for (QWidget* parent = parentWidget(); parent != nullptr; parent = parent->parentWidget()) {
    if (auto* list = dynamic_cast<CListUI*>(parent)) return list;
  }
  return nullptr;
}

void CListContainerElementUI::mousePressEvent(QMouseEvent* event) {
  if (CListUI* list = GetOwnerList()) list->ElementPressed(this);
  event->accept();
}

void CListContainerElementUI::mouseReleaseEvent(QMouseEvent* event) {
  if (rect().contains(event->position().toPoint())) {
    if (CListUI* list = GetOwnerList()) list->ElementClicked(this);
  }
  event->accept();
}

void CListContainerElementUI::mouseDoubleClickEvent(QMouseEvent* event) {
  if (CListUI* list = GetOwnerList()) list->ElementActivated(this);
  event->accept();
}

}  // namespace tarn
