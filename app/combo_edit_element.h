#pragma once
// A list element built from "ComboEditElementItem.xml" (children "text1",
// "text2", "delay_edit"). A press selects it (with Ctrl held, toggles its
// selection), the release sends "itemclick", a double click activates it,
// and Return activates it and sends "return".
#include <string>

#include "ui/list_control.h"

namespace tarn {

class CComboEditContainerElementUI : public CListContainerElementUI {
 public:
  static constexpr const char* kLayout = "XML\\CustomControlXML\\ComboEditElementItem.xml";

  CComboEditContainerElementUI();
  std::string GetClass() const override { return "ComboEditContainerElement"; }
  void DoInit() override;

  CControlUI* Text1() const { return m_pText1; }
  CControlUI* Text2() const { return m_pText2; }
  CControlUI* DelayEdit() const { return m_pDelayEdit; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  CControlUI* m_pText1 = nullptr;
  CControlUI* m_pText2 = nullptr;
  CControlUI* m_pDelayEdit = nullptr;
};

}  // namespace tarn
