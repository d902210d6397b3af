#pragma once
// The events of the macro being edited, with the one selected row the
// editor's moves, deletes and inserts act on. Each operation reports whether
// it changed anything; the editor saves after a change.
#include <json/json.h>

#include <cstddef>
#include <vector>

namespace tarn {

class CMacroEventList {
 public:
  // Replaces the events (for a freshly loaded macro); no row is selected.
  void Assign(std::vector<Json::Value> events);
  const std::vector<Json::Value>& Events() const { return m_events; }
  size_t Size() const { return m_events.size(); }

  // The selected row, -1 for none. Selecting a row that does not exist
  // clears the selection.
  int Selected() const { return m_nSelected; }
  void Select(int row);

  // The selected row moves and stays selected. Moving the first row up or
  // the last row down changes nothing.
  bool MoveToTop();
  bool MoveUp();
  bool MoveDown();
  bool MoveToBottom();

  bool DeleteSelected();  // the selection is cleared
  bool DeleteAll();

  // A hand-inserted event goes after the selected row, after row 0 when no
  // row is selected, at 0 in an empty list; the new row is selected. Returns
  // its index.
  size_t InsertByHand(Json::Value event);

  // The delay field of a row: the event's "Delay" as clamped text.
  bool SetDelay(size_t row, uint16_t delay);

 private:
  bool MoveSelectedTo(size_t to);

  std::vector<Json::Value> m_events;
  int m_nSelected = -1;
};

}  // namespace tarn
