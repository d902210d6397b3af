#include "ui/dialog_builder.h"

#include "platform/debug_output.h"
#include "platform/settings_file.h"
#include "ui/basic_controls.h"
#include "ui/color_palette.h"
#include "ui/container.h"
#include "ui/input_controls.h"
#include "ui/list_control.h"
#include "ui/menu_window.h"
#include "ui/resource_manager.h"
#include "ui/ui_string.h"
#include "ui/window.h"
#include "ui/xml_node.h"

namespace tarn {
namespace {

// Layouts are hand-written and shallow; this only stops a runaway file.
constexpr int kMaxDepth = 64;

bool IsItemTag(const std::string& tag) {
  return EqualsNoCase(tag, "ListLabelElement") || EqualsNoCase(tag, "ListTextElement") ||
         EqualsNoCase(tag, "Item");
}

void AddFontElement(const CXmlNode& node) {
  std::string face = node.Get("name");
  int size = ToInt(node.Get("size"));
  bool bold = ToBool(node.Get("bold"));
  bool underline = ToBool(node.Get("underline"));
  bool italic = ToBool(node.Get("italic"));
  auto& resources = CResourceManager::Instance();
  if (node.Has("id")) resources.AddFont(ToInt(node.Get("id")), face, size, bold, underline, italic);
  if (ToBool(node.Get("default"))) resources.SetDefaultFont(face, size, bold, underline, italic);
}

}  // namespace

CControlFactory& CControlFactory::Instance() {
  static CControlFactory factory;
  return factory;
}

void CControlFactory::RegistControl(const std::string& className, Creator creator) {
  if (className.empty() || !creator) return;
  m_creators[MakeLower(className)] = std::move(creator);
}

void CControlFactory::UnregistControl(const std::string& className) { m_creators.erase(MakeLower(className)); }

bool CControlFactory::IsRegistered(const std::string& className) const {
  return m_creators.count(MakeLower(className)) != 0;
}

CControlUI* CControlFactory::CreateControl(const std::string& type) const {
  auto found = m_creators.find(MakeLower(type));
  if (found == m_creators.end()) found = m_creators.find(MakeLower("C" + type + "UI"));
  if (found == m_creators.end()) return nullptr;
  return found->second();
}

CControlUI* CreateBuiltinControl(const std::string& type) {
  std::string t = MakeLower(type);
  if (t == "control") return new CPlainControlUI();
  if (t == "container" || t == "verticallayout") return t == "container" ? new CContainerUI() : new CVerticalLayoutUI();
  if (t == "horizontallayout") return new CHorizontalLayoutUI();
  if (t == "tablayout") return new CTabLayoutUI();
  if (t == "label") return new CLabelUI();
  if (t == "text") return new CTextUI();
  if (t == "button") return new CButtonUI();
  if (t == "option") return new COptionUI();
  if (t == "checkbox") return new CCheckBoxUI();
  if (t == "edit") return new CEditUI();
  if (t == "combo") return new CComboUI();
  if (t == "slider") return new CSliderUI();
  if (t == "progress") return new CProgressUI();
  if (t == "list") return new CListUI();
  if (t == "listcontainerelement") return new CListContainerElementUI();
  if (t == "colorpalette") return new CColorPaletteUI();
  if (t == "menu") return new CVerticalLayoutUI();
  if (t == "menuelement") return new CMenuElementUI();
  return nullptr;
}

CControlUI* CDialogBuilder::Create(const std::string& layout, IDialogBuilderCallback* callback, CWindowUI* window,
                                   CContainerUI* parent) {
  m_sError.clear();
  std::string path = CResourceManager::Instance().ResolvePath(layout);
  std::string bytes;
  if (path.empty() || !ReadWholeFile(path, bytes)) {
    m_sError = "cannot read " + (path.empty() ? layout : path);
    return nullptr;
  }
  return CreateFromText(bytes, callback, window, parent);
}

CControlUI* CDialogBuilder::CreateFromText(const std::string& xml, IDialogBuilderCallback* callback,
                                           CWindowUI* window, CContainerUI* parent) {
  m_sError.clear();
  auto root = ParseXml(xml, &m_sError);
  if (root == nullptr) return nullptr;
  return Build(*root, callback, window, parent);
}

CControlUI* CDialogBuilder::Build(const CXmlNode& root, IDialogBuilderCallback* callback, CWindowUI* window,
                                  CContainerUI* parent) {
  const CXmlNode* top = &root;
  if (EqualsNoCase(root.tag, "Window")) {
    if (window != nullptr && m_bWindowAttributes) {
      for (const auto& [name, value] : root.attributes) window->SetWindowAttribute(name, value);
    }
    top = nullptr;
    for (const auto& child : root.children) {
      if (EqualsNoCase(child->tag, "Font")) {
        AddFontElement(*child);
      } else if (top == nullptr) {
        top = child.get();
      } else {
        DebugOutputF("layout: element %s after the window's root ignored", child->tag.c_str());
      }
    }
    if (top == nullptr) {
      m_sError = "the window holds no control";
      return nullptr;
    }
  }
  CControlUI* control = BuildNode(*top, callback, parent, 0);
  if (control == nullptr && m_sError.empty()) m_sError = "unknown control type " + top->tag;
  return control;
}

CControlUI* CDialogBuilder::MakeControl(const std::string& type, IDialogBuilderCallback* callback) {
  if (callback != nullptr) {
    if (CControlUI* control = callback->CreateControl(type)) return control;
  }
  if (CControlUI* control = CControlFactory::Instance().CreateControl(type)) return control;
  return CreateBuiltinControl(type);
}

bool CDialogBuilder::AddItemElement(CControlUI* owner, const CXmlNode& node) {
  if (!IsItemTag(node.tag)) return false;
  std::string text = node.Has("text") ? node.Get("text") : node.text;
  if (auto* combo = dynamic_cast<CComboUI*>(owner)) {
    combo->AddItem(text, node.Get("userdata"));
    if (ToBool(node.Get("selected"))) combo->SelectItem(combo->GetCount() - 1);
    return true;
  }
  if (auto* list = dynamic_cast<CListUI*>(owner)) {
    list->AddItem(text, node.Get("userdata"));
    if (ToBool(node.Get("selected"))) list->SelectItem(list->GetCount() - 1);
    return true;
  }
  return false;
}

CControlUI* CDialogBuilder::BuildNode(const CXmlNode& node, IDialogBuilderCallback* callback, CContainerUI* parent,
                                      int depth) {
  if (depth > kMaxDepth) {
    m_sError = "layout nested too deep";
    return nullptr;
  }
  CControlUI* control = MakeControl(node.tag, callback);
  if (control == nullptr) {
    DebugOutputF("layout: unknown control type %s", node.tag.c_str());
    return nullptr;
  }
  // The name first, so that attribute handlers can refer to it.
  std::string name = node.Get("name");
  if (!name.empty()) control->SetName(name);
  for (const auto& [key, value] : node.attributes) control->SetAttribute(key, value);
  if (parent != nullptr) parent->Add(control);

  auto* container = dynamic_cast<CContainerUI*>(control);
  auto* list = dynamic_cast<CListUI*>(control);
  for (const auto& child : node.children) {
    if (AddItemElement(control, *child)) continue;
    if (list != nullptr) {
      if (CControlUI* element = BuildNode(*child, callback, nullptr, depth + 1)) list->Add(element);
    } else if (container != nullptr) {
      BuildNode(*child, callback, container, depth + 1);
    } else {
      DebugOutputF("layout: %s cannot hold %s", node.tag.c_str(), child->tag.c_str());
    }
  }
  control->DoInit();
  return control;
}

}  // namespace tarn
