#pragma once
// The base of every control: a QWidget with a name, attributes read from a
// layout, a text that may be a language text id, per-control timers and
// notifications to its window. Concrete controls derive from
// CControlImpl<QtWidgetClass> (below), so each is both the Qt widget and a
// CControlUI.
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QWidget>

#include <cstdint>
#include <map>
#include <optional>
#include <string>

class QTimer;

namespace tarn {

class CControlUI;
class CContainerUI;
class CWindowUI;

// One notification: its type ("click", "selectchanged", ...), the control
// that raised it and two integers whose meaning depends on the type.
struct TNotifyUI {
  std::string sType;
  CControlUI* pSender = nullptr;
  int64_t wParam = 0;
  int64_t lParam = 0;
};

class INotifyUI {
 public:
  virtual ~INotifyUI() = default;
  virtual void Notify(TNotifyUI& msg) = 0;
};

// Four integers "l,t,r,b" of a layout attribute.
struct CRectUI {
  int left = 0, top = 0, right = 0, bottom = 0;
};
bool ParseRect(const std::string& text, CRectUI& rect);

class CControlUI {
 public:
  explicit CControlUI(QWidget* self);
  virtual ~CControlUI();
  CControlUI(const CControlUI&) = delete;
  CControlUI& operator=(const CControlUI&) = delete;

  QWidget* GetWidget() const { return m_pWidget; }
  // The type name a layout uses for this class ("Button", "Option", ...).
  virtual std::string GetClass() const { return "Control"; }
  // The window this control is shown in, if any.
  CWindowUI* GetWindow() const;
  CContainerUI* GetParent() const;

  const std::string& GetName() const { return m_sName; }
  void SetName(const std::string& name);

  // Text. With language lookup on, SetText takes a text id and GetText gives
  // the text of that id in the current language.
  virtual std::string GetText() const;
  virtual void SetText(const std::string& text);
  const std::string& GetRawText() const { return m_sText; }
  bool IsResourceText() const { return m_bResourceText; }
  void SetResourceText(bool on);
  // Re-resolves text and tool tip after a language change.
  virtual void ReloadText();
  std::string GetToolTip() const;
  void SetToolTip(const std::string& tip);

  bool IsVisible() const;
  virtual void SetVisible(bool visible);
  bool IsEnabled() const;
  virtual void SetEnabled(bool enabled);

  // Colours are ARGB; 0 means none.
  uint32_t GetBkColor() const { return m_dwBkColor; }
  void SetBkColor(uint32_t argb);
  const std::string& GetBkImage() const { return m_sBkImage; }
  void SetBkImage(const std::string& image);
  uint32_t GetTextColor() const { return m_dwTextColor; }
  void SetTextColor(uint32_t argb);
  int GetFontId() const { return m_nFont; }
  void SetFont(int fontId);

  const std::string& GetUserData() const { return m_sUserData; }
  void SetUserData(const std::string& data) { m_sUserData = data; }
  uintptr_t GetTag() const { return m_nTag; }
  void SetTag(uintptr_t tag) { m_nTag = tag; }

  // Any attribute by name and value string, as a layout would set it.
  // Returns false for a name this control does not know (the value is still
  // kept and GetAttribute returns it).
  virtual bool SetAttribute(const std::string& name, const std::string& value);
  std::string GetAttribute(const std::string& name) const;

  // Sizes from the layout, in pixels at 96 DPI (-1: not fixed).
  int GetFixedWidth() const { return m_nWidth; }
  int GetFixedHeight() const { return m_nHeight; }
  void SetFixedWidth(int width);
  void SetFixedHeight(int height);
  bool IsFloat() const { return m_bFloat; }
  const CRectUI& GetPos() const { return m_rcPos; }
  const CRectUI& GetPadding() const { return m_rcPadding; }

  // Raises a notification to the window (and its other receivers). With
  // async the notification is delivered from the event loop.
  void SendNotify(const std::string& type, int64_t wParam = 0, int64_t lParam = 0, bool async = false);

  // A timer owned by this control; each period raises "timer" with the id in
  // wParam. Setting an id again restarts it with the new period.
  bool SetTimer(int id, int elapseMs);
  void KillTimer(int id);
  void KillAllTimers();
  bool HasTimer(int id) const { return m_timers.count(id) != 0; }

  // Called once after the layout built this control and its children.
  virtual void DoInit() {}

  // Display scaling: re-applies sizes, fonts and spacing at the scale of the
  // control's window (1.0 at 96 DPI), through the whole sub-tree.
  virtual void ApplyScale(double scale);
  double GetScale() const;
  void ApplyFont();

 protected:
  // Puts the shown text into the widget.
  virtual void ShowText(const std::string& text) {}
  virtual void ShowToolTip(const std::string& tip);
  virtual void ApplyAlignment(Qt::Alignment) {}
  // Re-applies the style sheet built from colours and images.
  void UpdateStyle();
  // Style properties a subclass adds to the control's own rule.
  void SetExtraStyle(const std::string& properties) {
    m_sExtraStyle = properties;
    UpdateStyle();
  }
  // Extra style rules for states ("hover", "pressed", "checked", "disabled").
  virtual std::string StateStyle(const std::string& state) const;
  std::string RuleBody(const std::string& bkImage, uint32_t bkColor, uint32_t textColor) const;

  // For CControlImpl: events common to every control.
  // Raises "dbclick"; false for controls that leave double clicks to their
  // parent (containers).
  virtual bool HandleDoubleClick(QMouseEvent* event);
  bool HandleContextMenu(QContextMenuEvent* event);
  void HandleFocusIn();
  void HandleFocusOut();
  virtual void OnKillFocus() {}

  std::string ShownText() const;
  uint32_t StyleColor(const std::string& key) const;
  std::string StyleImage(const std::string& key) const;

 private:
  QWidget* m_pWidget;
  std::string m_sName;
  std::string m_sText;
  std::string m_sToolTip;
  bool m_bResourceText = true;
  uint32_t m_dwBkColor = 0;
  uint32_t m_dwTextColor = 0;
  uint32_t m_dwBorderColor = 0;
  int m_nBorderSize = 0;
  int m_nBorderRound = 0;
  std::string m_sBkImage;
  std::string m_sExtraStyle;
  int m_nFont = -1;
  std::string m_sUserData;
  uintptr_t m_nTag = 0;
  bool m_bMenu = false;
  int m_nWidth = -1, m_nHeight = -1;
  int m_nMinWidth = -1, m_nMaxWidth = -1, m_nMinHeight = -1, m_nMaxHeight = -1;
  bool m_bFloat = false;
  CRectUI m_rcPos;
  CRectUI m_rcPadding;
  std::map<std::string, std::string> m_attributes;  // lower-case name -> value
  std::map<int, QTimer*> m_timers;                  // children of the widget
  uint64_t m_nStyleId;
};

// Joins a Qt widget class and CControlUI, routing the events every control
// shares (double click, context menu, focus) to notifications.
template <class QtBase>
class CControlImpl : public QtBase, public CControlUI {
 public:
  CControlImpl() : QtBase(nullptr), CControlUI(this) {}

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    QtBase::mouseDoubleClickEvent(event);
    if (HandleDoubleClick(event)) event->accept();
  }
  void contextMenuEvent(QContextMenuEvent* event) override {
    if (!HandleContextMenu(event)) QtBase::contextMenuEvent(event);
  }
  void focusInEvent(QFocusEvent* event) override {
    QtBase::focusInEvent(event);
    HandleFocusIn();
  }
  void focusOutEvent(QFocusEvent* event) override {
    QtBase::focusOutEvent(event);
    HandleFocusOut();
  }
};

// The plain control: an empty area (a spacer, or a box with a colour or image).
class CPlainControlUI : public CControlImpl<QWidget> {};

// Finds the control a widget is, or nothing.
inline CControlUI* AsControl(QObject* object) { return dynamic_cast<CControlUI*>(object); }

}  // namespace tarn
