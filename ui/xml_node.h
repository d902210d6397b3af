#pragma once
// A small element tree read from an XML document: the toolkit's layouts,
// resource index, menus and language files. Only elements and attributes
// matter; text content is kept for elements that carry it.
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tarn {

struct CXmlNode {
  std::string tag;
  std::vector<std::pair<std::string, std::string>> attributes;  // in document order
  std::string text;                                             // trimmed character data
  std::vector<std::unique_ptr<CXmlNode>> children;

  // The value of an attribute, compared without regard to case; empty when
  // absent. Has() tells absence from an empty value.
  std::string Get(const std::string& name) const;
  bool Has(const std::string& name) const;
};

// Parses a whole document; null with a message in error ("line:column:
// reason") when it is not well-formed or has no root element.
std::unique_ptr<CXmlNode> ParseXml(const std::string& bytes, std::string* error = nullptr);

// Reads and parses a file; null when it cannot be read or parsed.
std::unique_ptr<CXmlNode> LoadXmlFile(const std::string& path, std::string* error = nullptr);

}  // namespace tarn
