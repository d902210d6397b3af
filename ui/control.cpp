#include "ui/control.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

#include <atomic>

#include "ui/container.h"
#include "ui/resource_manager.h"
#include "ui/ui_string.h"
#include "ui/window.h"

namespace tarn {
namespace {

std::atomic<uint64_t> g_nextStyleId{1};

std::string Rgba(uint32_t argb) {
  return StringFormat("rgba(%u,%u,%u,%u)", (argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF, argb >> 24);
}

std::string CssUrl(const std::string& path) {
  std::string quoted;
  for (char c : path) {
    if (c == '"' || c == '\\') quoted.push_back('\\');
    quoted.push_back(c);
  }
  return "url(\"" + quoted + "\")";
}

int Scaled(int value, double scale) { return static_cast<int>(value * scale + (value >= 0 ? 0.5 : -0.5)); }

Qt::Alignment ParseAlignment(const std::string& value) {
  Qt::Alignment alignment;
  for (const std::string& word : SplitList(MakeLower(value), ' ')) {
    if (word == "left") alignment |= Qt::AlignLeft;
    if (word == "right") alignment |= Qt::AlignRight;
    if (word == "center") alignment |= Qt::AlignHCenter;
    if (word == "top") alignment |= Qt::AlignTop;
    if (word == "bottom") alignment |= Qt::AlignBottom;
    if (word == "vcenter") alignment |= Qt::AlignVCenter;
  }
  if (!(alignment & Qt::AlignVertical_Mask)) alignment |= Qt::AlignVCenter;
  if (!(alignment & Qt::AlignHorizontal_Mask)) alignment |= Qt::AlignHCenter;
  return alignment;
}

}  // namespace

bool ParseRect(const std::string& text, CRectUI& rect) {
  std::vector<std::string> fields = SplitList(text);
  if (fields.size() != 4) return false;
  rect = {ToInt(fields[0]), ToInt(fields[1]), ToInt(fields[2]), ToInt(fields[3])};
  return true;
}

CControlUI::CControlUI(QWidget* self) : m_pWidget(self), m_nStyleId(g_nextStyleId++) {
  m_pWidget->setAttribute(Qt::WA_StyledBackground, true);
  m_pWidget->setProperty("tarnuid", QString::number(m_nStyleId));
}

CControlUI::~CControlUI() = default;

CWindowUI* CControlUI::GetWindow() const { return dynamic_cast<CWindowUI*>(m_pWidget->window()); }

CContainerUI* CControlUI::GetParent() const { return dynamic_cast<CContainerUI*>(m_pWidget->parentWidget()); }

void CControlUI::SetName(const std::string& name) {
  m_sName = name;
  m_pWidget->setObjectName(QString::fromStdString(name));
}

std::string CControlUI::ShownText() const {
  return m_bResourceText ? CResourceManager::Instance().GetText(m_sText, GetClass()) : m_sText;
}

std::string CControlUI::GetText() const { return ShownText(); }

void CControlUI::SetText(const std::string& text) {
  m_sText = text;
  ShowText(ShownText());
}

void CControlUI::SetResourceText(bool on) {
  m_bResourceText = on;
  ReloadText();
}

void CControlUI::ReloadText() {
  ShowText(ShownText());
  ShowToolTip(GetToolTip());
}

std::string CControlUI::GetToolTip() const {
  return m_bResourceText ? CResourceManager::Instance().GetText(m_sToolTip, GetClass()) : m_sToolTip;
}

void CControlUI::SetToolTip(const std::string& tip) {
  m_sToolTip = tip;
  ShowToolTip(GetToolTip());
}

void CControlUI::ShowToolTip(const std::string& tip) { m_pWidget->setToolTip(QString::fromStdString(tip)); }

bool CControlUI::IsVisible() const { return !m_pWidget->isHidden(); }

void CControlUI::SetVisible(bool visible) { m_pWidget->setVisible(visible); }

bool CControlUI::IsEnabled() const { return m_pWidget->isEnabled(); }

void CControlUI::SetEnabled(bool enabled) { m_pWidget->setEnabled(enabled); }

void CControlUI::SetBkColor(uint32_t argb) {
  m_dwBkColor = argb;
  UpdateStyle();
}

void CControlUI::SetBkImage(const std::string& image) {
  m_sBkImage = image;
  UpdateStyle();
}

void CControlUI::SetTextColor(uint32_t argb) {
  m_dwTextColor = argb;
  UpdateStyle();
}

void CControlUI::SetFont(int fontId) {
  m_nFont = fontId;
  ApplyFont();
}

void CControlUI::ApplyFont() { m_pWidget->setFont(CResourceManager::Instance().GetFont(m_nFont, GetScale())); }

void CControlUI::SetFixedWidth(int width) {
  m_nWidth = width;
  ApplyScale(GetScale());
}

void CControlUI::SetFixedHeight(int height) {
  m_nHeight = height;
  ApplyScale(GetScale());
}

uint32_t CControlUI::StyleColor(const std::string& key) const {
  auto found = m_attributes.find(key);
  uint32_t color = 0;
  if (found != m_attributes.end()) ParseColor(found->second, color);
  return color;
}

std::string CControlUI::StyleImage(const std::string& key) const {
  auto found = m_attributes.find(key);
  return found != m_attributes.end() ? found->second : std::string();
}

std::string CControlUI::RuleBody(const std::string& bkImage, uint32_t bkColor, uint32_t textColor) const {
  std::string body;
  if (bkColor != 0) body += "background-color:" + Rgba(bkColor) + ";";
  if (!bkImage.empty()) {
    std::string file = CResourceManager::Instance().ResolvePath(ImageFileOf(bkImage));
    if (!file.empty()) body += "border-image:" + CssUrl(file) + " 0 0 0 0 stretch stretch;";
  }
  if (textColor != 0) body += "color:" + Rgba(textColor) + ";";
  return body;
}

std::string CControlUI::StateStyle(const std::string& state) const {
  static const std::map<std::string, std::string> kPrefix = {
      {"hover", "hot"}, {"pressed", "pushed"}, {"checked", "selected"}, {"disabled", "disabled"}};
  auto prefix = kPrefix.find(state);
  if (prefix == kPrefix.end()) return {};
  return RuleBody(StyleImage(prefix->second + "image"), StyleColor(prefix->second + "bkcolor"),
                  StyleColor(prefix->second + "textcolor"));
}

void CControlUI::UpdateStyle() {
  std::string self = StringFormat("*[tarnuid=\"%llu\"]", static_cast<unsigned long long>(m_nStyleId));
  std::string normal = StyleImage("normalimage");
  std::string base = RuleBody(normal.empty() ? m_sBkImage : normal, m_dwBkColor, m_dwTextColor);
  if (m_nBorderSize > 0) {
    base += StringFormat("border:%dpx solid %s;", m_nBorderSize, Rgba(m_dwBorderColor).c_str());
  }
  if (m_nBorderRound > 0) base += StringFormat("border-radius:%dpx;", m_nBorderRound);
  base += m_sExtraStyle;
  std::string sheet;
  if (!base.empty()) sheet += self + "{" + base + "}";
  for (const char* state : {"hover", "pressed", "checked", "disabled"}) {
    std::string body = StateStyle(state);
    if (!body.empty()) sheet += self + ":" + state + "{" + body + "}";
  }
  m_pWidget->setStyleSheet(QString::fromStdString(sheet));
}

bool CControlUI::SetAttribute(const std::string& name, const std::string& value) {
  std::string key = MakeLower(name);
  m_attributes[key] = value;
  uint32_t color = 0;
  CRectUI rect;
  if (key == "name") {
    SetName(value);
  } else if (key == "text") {
    SetText(value);
  } else if (key == "tooltip") {
    SetToolTip(value);
  } else if (key == "resourcetext") {
    SetResourceText(ToBool(value));
  } else if (key == "visible") {
    SetVisible(ToBool(value));
  } else if (key == "enabled") {
    SetEnabled(ToBool(value));
  } else if (key == "bkcolor") {
    SetBkColor(ParseColor(value, color) ? color : 0);
  } else if (key == "bkimage") {
    SetBkImage(value);
  } else if (key == "textcolor") {
    SetTextColor(ParseColor(value, color) ? color : 0);
  } else if (key == "bordercolor") {
    m_dwBorderColor = ParseColor(value, color) ? color : 0;
    UpdateStyle();
  } else if (key == "bordersize") {
    m_nBorderSize = ToInt(value);
    UpdateStyle();
  } else if (key == "borderround") {
    m_nBorderRound = ToInt(value);
    UpdateStyle();
  } else if (key == "font") {
    SetFont(ToInt(value));
  } else if (key == "align") {
    ApplyAlignment(ParseAlignment(value));
  } else if (key == "userdata") {
    m_sUserData = value;
  } else if (key == "menu") {
    m_bMenu = ToBool(value);
  } else if (key == "width" || key == "height" || key == "minwidth" || key == "maxwidth" || key == "minheight" ||
             key == "maxheight") {
    int v = ToInt(value);
    if (key == "width") m_nWidth = v;
    if (key == "height") m_nHeight = v;
    if (key == "minwidth") m_nMinWidth = v;
    if (key == "maxwidth") m_nMaxWidth = v;
    if (key == "minheight") m_nMinHeight = v;
    if (key == "maxheight") m_nMaxHeight = v;
    ApplyScale(GetScale());
  } else if (key == "float") {
    m_bFloat = ToBool(value);
  } else if (key == "pos") {
    if (ParseRect(value, rect)) m_rcPos = rect;
    ApplyScale(GetScale());
  } else if (key == "padding") {
    if (ParseRect(value, rect)) m_rcPadding = rect;
  } else if (key.size() > 5 && (key.compare(key.size() - 5, 5, "image") == 0 ||
                                key.compare(key.size() - 5, 5, "color") == 0)) {
    // State images and colours (hotimage, selectedbkcolor, ...).
    UpdateStyle();
  } else {
    return false;
  }
  return true;
}

std::string CControlUI::GetAttribute(const std::string& name) const {
  auto found = m_attributes.find(MakeLower(name));
  return found != m_attributes.end() ? found->second : std::string();
}

void CControlUI::SendNotify(const std::string& type, int64_t wParam, int64_t lParam, bool async) {
  TNotifyUI msg{type, this, wParam, lParam};
  if (!async) {
    if (CWindowUI* window = GetWindow()) window->DispatchNotify(msg);
    return;
  }
  QPointer<QWidget> guard(m_pWidget);
  QTimer::singleShot(0, m_pWidget, [guard, msg]() mutable {
    if (guard == nullptr) return;
    if (CWindowUI* window = msg.pSender->GetWindow()) window->DispatchNotify(msg);
  });
}

bool CControlUI::SetTimer(int id, int elapseMs) {
  if (elapseMs < 0) return false;
  QTimer*& timer = m_timers[id];
  if (timer == nullptr) {
    timer = new QTimer(m_pWidget);
    QObject::connect(timer, &QTimer::timeout, m_pWidget, [this, id]() { SendNotify("timer", id, 0); });
  }
  timer->start(elapseMs);
  return true;
}

void CControlUI::KillTimer(int id) {
  auto found = m_timers.find(id);
  if (found == m_timers.end()) return;
  found->second->stop();
  found->second->deleteLater();
  m_timers.erase(found);
}

void CControlUI::KillAllTimers() {
  while (!m_timers.empty()) KillTimer(m_timers.begin()->first);
}

double CControlUI::GetScale() const {
  CWindowUI* window = GetWindow();
  return window != nullptr ? window->GetScale() : CWindowUI::GetDefaultDPI() / 96.0;
}

void CControlUI::ApplyScale(double scale) {
  QWidget* w = m_pWidget;
  if (m_nWidth >= 0) {
    w->setFixedWidth(Scaled(m_nWidth, scale));
  } else {
    w->setMinimumWidth(m_nMinWidth >= 0 ? Scaled(m_nMinWidth, scale) : 0);
    w->setMaximumWidth(m_nMaxWidth >= 0 ? Scaled(m_nMaxWidth, scale) : QWIDGETSIZE_MAX);
  }
  if (m_nHeight >= 0) {
    w->setFixedHeight(Scaled(m_nHeight, scale));
  } else {
    w->setMinimumHeight(m_nMinHeight >= 0 ? Scaled(m_nMinHeight, scale) : 0);
    w->setMaximumHeight(m_nMaxHeight >= 0 ? Scaled(m_nMaxHeight, scale) : QWIDGETSIZE_MAX);
  }
  if (m_bFloat) {
    QRect rect(QPoint(Scaled(m_rcPos.left, scale), Scaled(m_rcPos.top, scale)),
               QPoint(Scaled(m_rcPos.right, scale) - 1, Scaled(m_rcPos.bottom, scale) - 1));
    if (m_nWidth >= 0) rect.setWidth(Scaled(m_nWidth, scale));
    if (m_nHeight >= 0) rect.setHeight(Scaled(m_nHeight, scale));
    w->setGeometry(rect);
  }
  ApplyFont();
}

bool CControlUI::HandleDoubleClick(QMouseEvent* event) {
  SendNotify("dbclick", event->position().toPoint().x(), event->position().toPoint().y());
  return true;
}

bool CControlUI::HandleContextMenu(QContextMenuEvent* event) {
  if (!m_bMenu) return false;
  event->accept();
  SendNotify("menu", event->globalPos().x(), event->globalPos().y());
  return true;
}

void CControlUI::HandleFocusIn() { SendNotify("setfocus"); }

void CControlUI::HandleFocusOut() {
  OnKillFocus();
  SendNotify("killfocus");
}

}  // namespace tarn
