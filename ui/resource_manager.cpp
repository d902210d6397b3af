#include "ui/resource_manager.h"

#include <QApplication>

#include "platform/debug_output.h"
#include "platform/paths.h"
#include "ui/control.h"
#include "ui/ui_string.h"
#include "ui/window.h"
#include "ui/xml_node.h"

namespace tarn {
namespace {

QFont MakeFont(const std::string& face, int size, bool bold, bool underline, bool italic) {
  QFont font(QString::fromStdString(face));
  font.setPixelSize(size > 0 ? size : 12);
  font.setBold(bold);
  font.setUnderline(underline);
  font.setItalic(italic);
  return font;
}

QFont Scaled(QFont font, double scale) {
  int size = font.pixelSize() > 0 ? font.pixelSize() : 12;
  int scaled = static_cast<int>(size * scale + 0.5);
  font.setPixelSize(scaled > 0 ? scaled : 1);
  return font;
}

template <class Fn>
void ForEachControl(Fn fn) {
  for (CWindowUI* window : CWindowUI::AllWindows()) {
    for (CControlUI* control : window->AllControls()) fn(control);
  }
}

}  // namespace

CResourceManager& CResourceManager::Instance() {
  static CResourceManager manager;
  return manager;
}

void CResourceManager::SetResourcePath(const std::string& folder) {
  m_sResourcePath = folder;
  if (!m_sResourcePath.empty() && m_sResourcePath.back() != '/') m_sResourcePath.push_back('/');
  m_images.clear();
}

bool CResourceManager::SetResourceType(ResourceType type) { return type == ResourceType::File; }

bool CResourceManager::SetResourceZip(const std::string& zipFile) {
  DebugOutputF("resource archives are not supported: %s", zipFile.c_str());
  return false;
}

bool CResourceManager::LoadResource(const std::string& indexFile) {
  std::string error;
  auto root = LoadXmlFile(JoinPath(m_sResourcePath, indexFile), &error);
  if (root == nullptr) {
    DebugOutputF("resource index %s: %s", indexFile.c_str(), error.c_str());
    return false;
  }
  std::map<std::string, std::string> index;
  for (const auto& group : root->children) {
    // Entries may sit directly under the root or in typed groups.
    auto add = [&index](const CXmlNode& node) {
      std::string id = node.Get("id");
      std::string path = node.Get("path");
      if (!id.empty() && !path.empty()) index[MakeLower(id)] = path;
    };
    add(*group);
    for (const auto& entry : group->children) add(*entry);
  }
  m_index = std::move(index);
  return true;
}

void CResourceManager::Release() {
  m_index.clear();
  m_texts.clear();
  m_sLanguage.clear();
  m_images.clear();
  m_pTextQuery = nullptr;
}

std::string CResourceManager::ResolvePath(const std::string& idOrPath) const {
  if (idOrPath.empty()) return {};
  auto found = m_index.find(MakeLower(idOrPath));
  std::string relative = found != m_index.end() ? found->second : idOrPath;
  for (char& c : relative) {
    if (c == '\\') c = '/';
  }
  if (!relative.empty() && relative[0] == '/') return relative;
  return JoinPath(m_sResourcePath, relative);
}

bool CResourceManager::LoadLanguage(const std::string& file) {
  m_texts.clear();
  std::string error;
  auto root = LoadXmlFile(ResolvePath(file), &error);
  if (root == nullptr) {
    DebugOutputF("language file %s: %s", file.c_str(), error.c_str());
    return false;
  }
  for (const auto& node : root->children) {
    std::string id = node->Get("id");
    if (id.empty()) continue;
    m_texts[id] = node->Has("value") ? node->Get("value") : node->text;
  }
  return true;
}

std::optional<std::string> CResourceManager::FindText(const std::string& textId) const {
  auto found = m_texts.find(textId);
  if (found == m_texts.end()) return std::nullopt;
  return found->second;
}

std::string CResourceManager::GetText(const std::string& textId, const std::string& controlType) const {
  if (textId.empty()) return {};
  if (m_pTextQuery != nullptr) {
    std::string answer = m_pTextQuery->QueryControlText(textId, controlType);
    if (!answer.empty()) return answer;
  }
  auto found = m_texts.find(textId);
  return found != m_texts.end() ? found->second : textId;
}

void CResourceManager::ReloadText() {
  ForEachControl([](CControlUI* control) { control->ReloadText(); });
}

void CResourceManager::AddFont(int id, const std::string& face, int size, bool bold, bool underline,
                               bool italic) {
  m_fonts[id] = MakeFont(face, size, bold, underline, italic);
}

void CResourceManager::SetDefaultFont(const std::string& face, int size, bool bold, bool underline,
                                      bool italic) {
  m_defaultFont = MakeFont(face, size, bold, underline, italic);
}

void CResourceManager::RemoveAllFonts() {
  m_fonts.clear();
  m_defaultFont.reset();
}

QFont CResourceManager::GetDefaultFont(double scale) const {
  if (m_defaultFont) return Scaled(*m_defaultFont, scale);
  QFont font = QApplication::font();
  if (font.pixelSize() <= 0) font.setPixelSize(12);
  return Scaled(font, scale);
}

QFont CResourceManager::GetFont(int id, double scale) const {
  auto found = m_fonts.find(id);
  if (found == m_fonts.end()) return GetDefaultFont(scale);
  return Scaled(found->second, scale);
}

void CResourceManager::ReloadFonts() {
  ForEachControl([](CControlUI* control) { control->ApplyFont(); });
}

QPixmap CResourceManager::GetImage(const std::string& idOrPath) {
  std::string path = ResolvePath(ImageFileOf(idOrPath));
  if (path.empty()) return {};
  auto found = m_images.find(path);
  if (found != m_images.end()) return found->second;
  QPixmap image(QString::fromStdString(path));
  if (image.isNull()) DebugOutputF("image not readable: %s", path.c_str());
  m_images[path] = image;
  return image;
}

std::string ImageFileOf(const std::string& imageString) {
  auto at = imageString.find("file='");
  if (at == std::string::npos) return Trim(imageString);
  at += 6;
  auto end = imageString.find('\'', at);
  if (end == std::string::npos) return {};
  return imageString.substr(at, end - at);
}

}  // namespace tarn
