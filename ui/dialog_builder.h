#pragma once
// Builds controls from a layout: an XML tree whose elements are control
// types ("VerticalLayout", "Button", or a registered or window-created type)
// and whose attributes are the controls' attributes. A "Window" root element
// carries the window's own attributes and "Font" elements.
#include <functional>
#include <map>
#include <string>

namespace tarn {

class CControlUI;
class CContainerUI;
class CWindowUI;
struct CXmlNode;

// Creates the system's own controls by type name; null for a type it does
// not make, so that registered and built-in classes apply.
class IDialogBuilderCallback {
 public:
  virtual ~IDialogBuilderCallback() = default;
  virtual CControlUI* CreateControl(const std::string& type) = 0;
};

// Control classes by name (compared without regard to case). A layout type
// "X" finds a class registered as "X" or as "CXUI".
class CControlFactory {
 public:
  using Creator = std::function<CControlUI*()>;
  static CControlFactory& Instance();
  void RegistControl(const std::string& className, Creator creator);
  void UnregistControl(const std::string& className);
  bool IsRegistered(const std::string& className) const;
  // Null when the name is not registered.
  CControlUI* CreateControl(const std::string& type) const;

 private:
  std::map<std::string, Creator> m_creators;  // lower-case name
};

// Makes a built-in control of the toolkit by type name; null when unknown.
CControlUI* CreateBuiltinControl(const std::string& type);

class CDialogBuilder {
 public:
  // Builds the controls of a layout (a resource id or a file under the
  // resource folder). When parent is given the tree's root is added to it;
  // otherwise the caller places it. window (may be null) supplies the
  // display scale and, with ApplyWindowAttributes, takes the "Window"
  // element's attributes. Returns the root control, null when the file
  // cannot be read or holds no control (LastError says why).
  CControlUI* Create(const std::string& layout, IDialogBuilderCallback* callback, CWindowUI* window = nullptr,
                     CContainerUI* parent = nullptr);
  // The same from layout text.
  CControlUI* CreateFromText(const std::string& xml, IDialogBuilderCallback* callback, CWindowUI* window = nullptr,
                             CContainerUI* parent = nullptr);
  void SetApplyWindowAttributes(bool apply) { m_bWindowAttributes = apply; }
  const std::string& LastError() const { return m_sError; }

 private:
  CControlUI* Build(const CXmlNode& root, IDialogBuilderCallback* callback, CWindowUI* window, CContainerUI* parent);
  CControlUI* BuildNode(const CXmlNode& node, IDialogBuilderCallback* callback, CContainerUI* parent, int depth);
  CControlUI* MakeControl(const std::string& type, IDialogBuilderCallback* callback);
  bool AddItemElement(CControlUI* owner, const CXmlNode& node);

  bool m_bWindowAttributes = false;
  std::string m_sError;
};

}  // namespace tarn
