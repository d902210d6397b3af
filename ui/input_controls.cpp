#include "ui/input_controls.h"

#include <QRegularExpressionValidator>

#include <algorithm>

#include "ui/resource_manager.h"
#include "ui/ui_string.h"

namespace tarn {

// ---- edit ----

CEditUI::CEditUI() {
  SetResourceText(false);
  // textEdited, unlike textChanged, fires only for the user's editing.
  QObject::connect(this, &QLineEdit::textEdited, this, [this](const QString&) { SendNotify("textchanged"); });
  QObject::connect(this, &QLineEdit::returnPressed, this, [this]() {
    ClampToRange();
    SendNotify("return");
  });
}

void CEditUI::ShowText(const std::string& text) { setText(QString::fromStdString(text)); }

void CEditUI::SetMaxChar(int maxChars) { setMaxLength(maxChars > 0 ? maxChars : 32767); }

void CEditUI::SetNumberOnly(bool on) {
  m_bNumberOnly = on;
  if (on) {
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
  } else {
    setValidator(nullptr);
  }
}

void CEditUI::ClampToRange() {
  if (!m_bNumberOnly || (!m_minValue && !m_maxValue) || text().isEmpty()) return;
  int value = ToInt(text().toStdString());
  int clamped = value;
  if (m_minValue && clamped < *m_minValue) clamped = *m_minValue;
  if (m_maxValue && clamped > *m_maxValue) clamped = *m_maxValue;
  if (clamped != value || text() != QString::number(value)) setText(QString::number(clamped));
}

bool CEditUI::SetAttribute(const std::string& name, const std::string& value) {
  std::string key = MakeLower(name);
  if (key == "maxchar") {
    SetMaxChar(ToInt(value));
  } else if (key == "numberonly") {
    SetNumberOnly(ToBool(value));
  } else if (key == "minvalue") {
    SetMinValue(ToInt(value));
  } else if (key == "maxvalue") {
    SetMaxValue(ToInt(value));
  } else if (key == "readonly") {
    setReadOnly(ToBool(value));
  } else if (key == "password") {
    setEchoMode(ToBool(value) ? QLineEdit::Password : QLineEdit::Normal);
  } else {
    return CControlUI::SetAttribute(name, value);
  }
  CControlUI::SetAttribute(name, value);
  return true;
}

// ---- combo ----

CComboUI::CComboUI() {
  QObject::connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
    int old = m_nLastSel;
    m_nLastSel = index;
    if (!m_bQuiet && index != old) SendNotify("itemselect", index, old);
  });
}

int CComboUI::AddItem(const std::string& text, const std::string& userData) {
  m_items.push_back({text, userData});
  std::string shown = IsResourceText() ? CResourceManager::Instance().GetText(text, GetClass()) : text;
  m_bQuiet = true;
  addItem(QString::fromStdString(shown));
  m_bQuiet = false;
  return count() - 1;
}

bool CComboUI::RemoveItem(int index) {
  if (index < 0 || index >= count()) return false;
  m_bQuiet = true;
  removeItem(index);
  m_bQuiet = false;
  m_items.erase(m_items.begin() + index);
  return true;
}

void CComboUI::RemoveAll() {
  m_bQuiet = true;
  clear();
  m_bQuiet = false;
  m_items.clear();
  m_nLastSel = -1;
}

bool CComboUI::SelectItem(int index) {
  if (index < -1 || index >= count()) return false;
  m_bQuiet = true;
  setCurrentIndex(index);
  m_bQuiet = false;
  return true;
}

std::string CComboUI::GetItemText(int index) const {
  if (index < 0 || index >= count()) return {};
  return itemText(index).toStdString();
}

std::string CComboUI::GetItemUserData(int index) const {
  if (index < 0 || index >= static_cast<int>(m_items.size())) return {};
  return m_items[static_cast<size_t>(index)].userData;
}

void CComboUI::ReloadText() {
  CControlUI::ReloadText();
  for (int i = 0; i < count() && i < static_cast<int>(m_items.size()); ++i) {
    const std::string& raw = m_items[static_cast<size_t>(i)].raw;
    std::string shown = IsResourceText() ? CResourceManager::Instance().GetText(raw, GetClass()) : raw;
    setItemText(i, QString::fromStdString(shown));
  }
}

// ---- slider ----

CSliderUI::CSliderUI() {
  setOrientation(Qt::Horizontal);
  setRange(0, 100);
  setPageStep(1);
  QObject::connect(this, &QSlider::sliderPressed, this, [this]() { m_nPressValue = value(); });
  QObject::connect(this, &QSlider::valueChanged, this, [this](int v) {
    if (m_bQuiet) return;
    SendNotify(isSliderDown() ? "movevaluechanged" : "valuechanged", v, 0);
  });
  // A drag ends with its last value; valueChanged above came while the
  // slider was down, so the final value is announced here.
  QObject::connect(this, &QSlider::sliderReleased, this, [this]() {
    if (value() != m_nPressValue) SendNotify("valuechanged", value(), 0);
  });
}

void CSliderUI::SetValue(int v) {
  m_bQuiet = true;
  setValue(v);
  m_bQuiet = false;
}

void CSliderUI::SetMinValue(int v) {
  m_bQuiet = true;
  setMinimum(v);
  m_bQuiet = false;
}

void CSliderUI::SetMaxValue(int v) {
  m_bQuiet = true;
  setMaximum(v);
  m_bQuiet = false;
}

bool CSliderUI::SetAttribute(const std::string& name, const std::string& value) {
  std::string key = MakeLower(name);
  if (key == "min") {
    SetMinValue(ToInt(value));
  } else if (key == "max") {
    SetMaxValue(ToInt(value));
  } else if (key == "value") {
    SetValue(ToInt(value));
  } else if (key == "step") {
    setSingleStep(std::max(1, ToInt(value)));
  } else if (key == "hor") {
    setOrientation(ToBool(value) ? Qt::Horizontal : Qt::Vertical);
  } else {
    return CControlUI::SetAttribute(name, value);
  }
  CControlUI::SetAttribute(name, value);
  return true;
}

// ---- progress ----

CProgressUI::CProgressUI() {
  setRange(0, 100);
  setValue(0);
  setTextVisible(false);
}

void CProgressUI::SetValue(int v) { setValue(std::clamp(v, minimum(), maximum())); }

bool CProgressUI::SetAttribute(const std::string& name, const std::string& value) {
  std::string key = MakeLower(name);
  if (key == "min") {
    setMinimum(ToInt(value));
  } else if (key == "max") {
    setMaximum(ToInt(value));
  } else if (key == "value") {
    SetValue(ToInt(value));
  } else if (key == "hor") {
    setOrientation(ToBool(value) ? Qt::Horizontal : Qt::Vertical);
  } else {
    return CControlUI::SetAttribute(name, value);
  }
  CControlUI::SetAttribute(name, value);
  return true;
}

}  // namespace tarn
