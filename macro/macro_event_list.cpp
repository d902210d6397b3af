#include "macro/macro_event_list.h"

#include "macro/macro_event.h"

namespace tarn {

void CMacroEventList::Assign(std::vector<Json::Value> events) {
  m_events = std::move(events);
  m_nSelected = -1;
}

void CMacroEventList::Select(int row) {
  m_nSelected = (row >= 0 && static_cast<size_t>(row) < m_events.size()) ? row : -1;
}

bool CMacroEventList::MoveSelectedTo(size_t to) {
  if (m_nSelected < 0) return false;
  const size_t from = static_cast<size_t>(m_nSelected);
  if (from == to || to >= m_events.size()) return false;
  Json::Value event = std::move(m_events[from]);
  m_events.erase(m_events.begin() + static_cast<std::ptrdiff_t>(from));
  m_events.insert(m_events.begin() + static_cast<std::ptrdiff_t>(to), std::move(event));
  m_nSelected = static_cast<int>(to);
  return true;
}

bool CMacroEventList::MoveToTop() { return m_nSelected > 0 && MoveSelectedTo(0); }

bool CMacroEventList::MoveUp() { return m_nSelected > 0 && MoveSelectedTo(static_cast<size_t>(m_nSelected) - 1); }

bool CMacroEventList::MoveDown() { return m_nSelected >= 0 && MoveSelectedTo(static_cast<size_t>(m_nSelected) + 1); }

bool CMacroEventList::MoveToBottom() { return !m_events.empty() && MoveSelectedTo(m_events.size() - 1); }

bool CMacroEventList::DeleteSelected() {
  if (m_nSelected < 0) return false;
  m_events.erase(m_events.begin() + m_nSelected);
  m_nSelected = -1;
  return true;
}

bool CMacroEventList::DeleteAll() {
  const bool had = !m_events.empty();
  m_events.clear();
  m_nSelected = -1;
  return had;
}

size_t CMacroEventList::InsertByHand(Json::Value event) {
  size_t at = 0;
  if (!m_events.empty()) at = (m_nSelected >= 0 ? static_cast<size_t>(m_nSelected) : 0) + 1;
  m_events.insert(m_events.begin() + static_cast<std::ptrdiff_t>(at), std::move(event));
  m_nSelected = static_cast<int>(at);
  return at;
}

bool CMacroEventList::SetDelay(size_t row, uint16_t delay) {
  if (row >= m_events.size() || !m_events[row].isObject()) return false;
  m_events[row]["Delay"] = DelayText(delay);
  return true;
}

}  // namespace tarn
