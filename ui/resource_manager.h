#pragma once
// The toolkit's resource place: the skin folder, its resource index
// ("res.xml"), the language texts, the font table and an image cache.
#include <QFont>
#include <QPixmap>

#include <map>
#include <optional>
#include <string>

namespace tarn {

// Asked for a control's text before the language file; an empty answer
// means "no text of mine".
class IQueryControlText {
 public:
  virtual ~IQueryControlText() = default;
  virtual std::string QueryControlText(const std::string& textId, const std::string& controlType) = 0;
};

enum class ResourceType { File, Zip };

class CResourceManager {
 public:
  static CResourceManager& Instance();

  // The folder layouts, images and language files are read from (ends in '/').
  void SetResourcePath(const std::string& folder);
  const std::string& GetResourcePath() const { return m_sResourcePath; }
  // Only plain files are read on this platform; asking for a zip returns false.
  bool SetResourceType(ResourceType type);
  bool SetResourceZip(const std::string& zipFile);

  // Reads the resource index (a file under the resource path): ids of layouts
  // and images mapped to files. False, with nothing changed, when it is
  // missing or malformed.
  bool LoadResource(const std::string& indexFile);
  // Forgets the index, the language and the image cache.
  void Release();
  // The file behind a resource id or path: an index id, an absolute path or a
  // path relative to the resource folder ("\" reads as "/"). Empty for "".
  std::string ResolvePath(const std::string& idOrPath) const;

  // Language texts. LoadLanguage reads a language file (a resource);
  // false when it cannot be read, in which case no text is known.
  void SetLanguage(const std::string& name) { m_sLanguage = name; }
  const std::string& GetLanguage() const { return m_sLanguage; }
  bool LoadLanguage(const std::string& file);
  void SetTextQueryInterface(IQueryControlText* query) { m_pTextQuery = query; }
  // The text of an id in the current language; the id itself when unknown.
  std::string GetText(const std::string& textId, const std::string& controlType = {}) const;
  std::optional<std::string> FindText(const std::string& textId) const;
  // Re-reads the text of every control with language lookup in every window.
  void ReloadText();

  // Fonts by id; sizes in pixels at 96 DPI. The default font is used by
  // controls that name no font or an unknown one.
  void AddFont(int id, const std::string& face, int size, bool bold = false, bool underline = false,
               bool italic = false);
  void SetDefaultFont(const std::string& face, int size, bool bold = false, bool underline = false,
                      bool italic = false);
  void RemoveAllFonts();
  bool HasFont(int id) const { return m_fonts.count(id) != 0; }
  // The font at the given scale (1.0 = 96 DPI).
  QFont GetFont(int id, double scale = 1.0) const;
  QFont GetDefaultFont(double scale = 1.0) const;
  // Re-applies fonts to every control (after the table changed).
  void ReloadFonts();

  // An image by resource id or path, cached; a null pixmap when it cannot be read.
  QPixmap GetImage(const std::string& idOrPath);
  void FreeImageCache() { m_images.clear(); }

 private:
  CResourceManager() = default;

  std::string m_sResourcePath;
  std::map<std::string, std::string> m_index;  // lower-case id -> relative path
  std::string m_sLanguage;
  std::map<std::string, std::string> m_texts;
  IQueryControlText* m_pTextQuery = nullptr;
  std::map<int, QFont> m_fonts;
  std::optional<QFont> m_defaultFont;
  std::map<std::string, QPixmap> m_images;
};

// The file named by an image string: a plain path or the "file='...'" form.
std::string ImageFileOf(const std::string& imageString);

}  // namespace tarn
