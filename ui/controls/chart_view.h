#pragma once
// A small chart: a pie or a bar chart ("view" = "pie" or "histpgram") of
// named values given by code.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/control.h"

namespace tarn {

class CChartViewUI : public CControlImpl<QWidget> {
 public:
  static constexpr const char* kClassName = "ChartView";
  enum class View { Pie, Bars };

  std::string GetClass() const override { return kClassName; }
  bool SetAttribute(const std::string& name, const std::string& value) override;
  View GetView() const { return m_view; }

  void AddItem(const std::string& name, double value);
  void RemoveAll();
  size_t GetCount() const { return m_items.size(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Item {
    std::string name;
    double value;
  };
  View m_view = View::Pie;
  std::vector<Item> m_items;
};

}  // namespace tarn
