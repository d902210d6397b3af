#include "ui/xml_node.h"

#include <QXmlStreamReader>

#include "platform/settings_file.h"
#include "ui/ui_string.h"

namespace tarn {

std::string CXmlNode::Get(const std::string& name) const {
  for (const auto& [key, value] : attributes) {
    if (EqualsNoCase(key, name)) return value;
  }
  return {};
}

bool CXmlNode::Has(const std::string& name) const {
  for (const auto& attribute : attributes) {
    if (EqualsNoCase(attribute.first, name)) return true;
  }
  return false;
}

std::unique_ptr<CXmlNode> ParseXml(const std::string& bytes, std::string* error) {
  QXmlStreamReader reader(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
  std::unique_ptr<CXmlNode> root;
  std::vector<CXmlNode*> open;
  // Layouts are small; a deeper tree than this is a broken or hostile file.
  constexpr size_t kMaxDepth = 256;
  while (!reader.atEnd()) {
    QXmlStreamReader::TokenType token = reader.readNext();
    if (token == QXmlStreamReader::StartElement) {
      if (open.size() >= kMaxDepth) {
        reader.raiseError(QStringLiteral("elements nested too deep"));
        break;
      }
      auto node = std::make_unique<CXmlNode>();
      node->tag = reader.name().toString().toStdString();
      for (const QXmlStreamAttribute& attribute : reader.attributes()) {
        node->attributes.emplace_back(attribute.name().toString().toStdString(),
                                      attribute.value().toString().toStdString());
      }
      CXmlNode* raw = node.get();
      if (open.empty()) {
        root = std::move(node);
      } else {
        open.back()->children.push_back(std::move(node));
      }
      open.push_back(raw);
    } else if (token == QXmlStreamReader::EndElement) {
      if (!open.empty()) {
        open.back()->text = Trim(open.back()->text);
        open.pop_back();
      }
    } else if (token == QXmlStreamReader::Characters && !open.empty()) {
      open.back()->text += reader.text().toString().toStdString();
    }
  }
  if (reader.hasError() || root == nullptr) {
    if (error != nullptr) {
      *error = reader.hasError()
                   ? StringFormat("%lld:%lld: %s", static_cast<long long>(reader.lineNumber()),
                                  static_cast<long long>(reader.columnNumber()),
                                  reader.errorString().toStdString().c_str())
                   : std::string("no root element");
    }
    return nullptr;
  }
  return root;
}

std::unique_ptr<CXmlNode> LoadXmlFile(const std::string& path, std::string* error) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) {
    if (error != nullptr) *error = "cannot read " + path;
    return nullptr;
  }
  return ParseXml(bytes, error);
}

}  // namespace tarn
